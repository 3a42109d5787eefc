#include "StoryboardCore/Storage/PackageGuard.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace veskel;

namespace {

struct GuardCase
{
    const char *name;
    const char *path; // relative to the folder holding x.veskel
    bool passes;
};

class PackageGuardPaths : public testing::TestWithParam<GuardCase>
{
};

// Only what lies below the package passes: neither the package itself nor a sibling whose
// name begins with the package's.
TEST_P(PackageGuardPaths, PassOnlyBelowThePackage)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir().mkpath(dir.filePath("x.veskel/Media")));
    ASSERT_TRUE(QDir().mkpath(dir.filePath("x.veskel2/Media")));
    const auto checked
        = PackageGuard::check(dir.filePath("x.veskel"), dir.filePath(GetParam().path));
    EXPECT_EQ(checked.has_value(), GetParam().passes);
    if (!checked) {
        EXPECT_TRUE(checked.error().endsWith("lies outside the project package"));
    }
}

INSTANTIATE_TEST_SUITE_P(Paths,
                         PackageGuardPaths,
                         testing::Values(GuardCase{"Inside", "x.veskel/Media/a.png", true},
                                         GuardCase{"NotYetThere", "x.veskel/New/a.png", true},
                                         GuardCase{"ThePackageItself", "x.veskel", false},
                                         GuardCase{"SiblingSharingItsPrefix",
                                                   "x.veskel2/Media/a.png", false},
                                         GuardCase{"ClimbingOut", "x.veskel/../y/a.png", false}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
