#include "StoryboardCore/Models/StoryboardProject.h"
#include "StoryboardCore/Utilities/Slug.h"

#include <gtest/gtest.h>

using namespace veskel;

namespace {

struct SlugCase
{
    const char *title;
    int maxLength;
    const char *slug;
};

class Slugified : public ::testing::TestWithParam<SlugCase>
{};

TEST_P(Slugified, Title)
{
    const SlugCase c = GetParam();
    EXPECT_EQ(slugified(QString::fromUtf8(c.title), c.maxLength), QString::fromUtf8(c.slug));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Slugified,
    ::testing::Values(
        SlugCase{"Sample · What is Interface Design", 60, "sample-what-is-interface-design"},
        SlugCase{"Привет, мир!", 60, "привет-мир"}, SlugCase{"Q&A + Tips", 60, "q-a-tips"},
        SlugCase{"a--b", 60, "a--b"}, SlugCase{"a - b", 60, "a---b"},
        SlugCase{"!!!", 60, "untitled"}, SlugCase{"", 60, "untitled"},
        SlugCase{"   ", 60, "untitled"}, SlugCase{"snake_case_name", 60, "snake-case-name"},
        SlugCase{"Intro 🎬 video", 60, "intro-video"}, SlugCase{"ÉCOLE Ünïcode", 60, "école-ünïcode"},
        SlugCase{"-lead and trail-", 60, "lead-and-trail"}, SlugCase{"Chapter ２ – Ⅳ", 60, "chapter-２-ⅳ"},
        // A combining mark stays with its letter and counts as one character.
        SlugCase{"e\xCC\x81t\xC3\xA9", 60, "e\xCC\x81t\xC3\xA9"},
        SlugCase{"e\xCC\x81" "abc", 2, "e\xCC\x81" "a"}));

TEST(Slugified, TruncatesToMaxLengthAndTrimsTheCut)
{
    const QString seventy(70, u'A');
    EXPECT_EQ(slugified(seventy, 60), QString(60, u'a'));

    const QString exactly60 = QString(60, u'b');
    EXPECT_EQ(slugified(exactly60, 60), exactly60);

    // 61 characters whose 60th is a separator lose the last one and then the trailing hyphen.
    const QString cutAtHyphen = QString(59, u'c') + QStringLiteral(" d");
    EXPECT_EQ(slugified(cutAtHyphen, 60), QString(59, u'c'));

    // Cyrillic counts characters, not bytes.
    const QString cyrillic = QString(61, QChar(0x0436));
    EXPECT_EQ(slugified(cyrillic, 60).size(), 60);
}

TEST(Slugified, ProjectSlugUsesSixtyCharacters)
{
    StoryboardProject project;
    project.title = QString(61, u'x');
    EXPECT_EQ(project.slug(), QString(60, u'x'));
}

} // namespace
