#include "StoryboardCore/Editing/CopyTitle.h"

#include <gtest/gtest.h>

using namespace veskel;

namespace {

struct CopyTitleCase
{
    const char *title;
    const char *copy;
};

void PrintTo(const CopyTitleCase &c, std::ostream *os)
{
    *os << '"' << c.title << '"';
}

class CopyTitle : public ::testing::TestWithParam<CopyTitleCase>
{
};

TEST_P(CopyTitle, AddsTheCopySuffixOnce)
{
    EXPECT_EQ(copyTitle(QString::fromUtf8(GetParam().title), QStringLiteral("Untitled")),
              QString::fromUtf8(GetParam().copy));
}

INSTANTIATE_TEST_SUITE_P(Titles,
                         CopyTitle,
                         ::testing::Values(CopyTitleCase{"Intro", "Intro (copy)"},
                                           CopyTitleCase{"  Intro \n", "Intro (copy)"},
                                           CopyTitleCase{"Intro (copy)", "Intro (copy)"},
                                           CopyTitleCase{"   ", "Untitled (copy)"}));

} // namespace
