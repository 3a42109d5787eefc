#include "VeskelApp/Instance/InstanceName.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace veskel::test {
namespace {

QString nameFor(const QString &user, const QString &folder)
{
    return InstanceName::serverName(user, InstanceName::canonicalFolder(folder));
}

// A tree with Projects, a link to it and a missing folder inside it.
class InstanceNameTest : public ::testing::TestWithParam<std::pair<const char *, const char *>>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath("Projects"));
        ASSERT_TRUE(QFile::link(dir.filePath("Projects"), dir.filePath("Link")));
    }

    QTemporaryDir dir;
};

TEST_P(InstanceNameTest, EverySpellingOfOneFolderGivesOneName)
{
    const auto [spelling, same] = GetParam();
    EXPECT_EQ(nameFor("1000", dir.filePath(spelling)), nameFor("1000", dir.filePath(same)));
}

INSTANTIATE_TEST_SUITE_P(
    Spellings,
    InstanceNameTest,
    ::testing::Values(std::pair{"Projects/", "Projects"},
                      std::pair{"Projects/../Projects", "Projects"},
                      std::pair{"Link", "Projects"},
                      // Not created yet: the first start creates it, and the name must not change.
                      std::pair{"Link/Later", "Projects/Later"},
                      std::pair{"Projects/Later/", "Projects/Later"}));

TEST(InstanceName, UsersAndFoldersGetTheirOwnNamesOfOneLength)
{
    const QString names[]
        = {nameFor("1000", "/srv/films"), nameFor("1001", "/srv/films"),
           nameFor("1000", "/srv/films2"), nameFor("1000", "/srv/" + QString(4000, u'x'))};
    for (const QString &name : names)
        EXPECT_EQ(name.size(), names[0].size()) << name.toStdString();
    EXPECT_EQ(QSet<QString>(std::begin(names), std::end(names)).size(), std::size(names));
}

} // namespace
} // namespace veskel::test
