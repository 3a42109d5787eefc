#include "VeskelApp/Editor/Search/SearchQuery.h"

#include <gtest/gtest.h>

namespace veskel::test {
namespace {

struct FindCase
{
    const char *name;
    SearchQuery query;
    QString text;
    QList<qsizetype> found;
};

class SearchQueryFind : public ::testing::TestWithParam<FindCase>
{
};

TEST_P(SearchQueryFind, FindsTheHitsItShould)
{
    const FindCase &c = GetParam();
    QList<qsizetype> found;
    for (const TextRange &range : c.query.rangesIn(c.text))
        found << range.location;
    EXPECT_EQ(found, c.found);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    SearchQueryFind,
    ::testing::Values(
        FindCase{"Empty", SearchQuery{}, "abc", {}},
        // A hit is not searched into again.
        FindCase{"NoOverlap", SearchQuery{"AA"}, "aaa", {0}},
        // Diacritics count, case does not.
        FindCase{"Diacritics", SearchQuery{"é"}, "aaa ÉÉ é e", {4, 5, 7}},
        FindCase{"MatchCase", SearchQuery{"The", true}, "The other the There", {0, 14}},
        FindCase{"WholeWords",
                 SearchQuery{"the", false, true},
                 "The other, the; bathe the",
                 {0, 11, 22}},
        FindCase{
            "WholeWordsCyrillic", SearchQuery{"кот", false, true}, "Кот, котёнок и кот.", {0, 15}},
        // A combining mark continues the word it follows.
        FindCase{"WholeWordsMark", SearchQuery{"и", false, true}, "и\u0306 и", {3}},
        // Digits and the underscore are word characters.
        FindCase{"WholeWordsDigits", SearchQuery{"s1", false, true}, "s1 s12 _s1 s1", {0, 11}},
        // Letters outside the first plane count as word characters too.
        FindCase{"WholeWordsSurrogates", SearchQuery{"a", false, true}, "\U0001D400a a", {4}},
        // An edge that is not a word character cannot run into a neighbour.
        FindCase{"WholeWordsPunctuationEdge", SearchQuery{"(a", false, true}, "f(a) (ab", {1}},
        // A rejected hit does not hide one that starts inside it.
        FindCase{"WholeWordsRetry", SearchQuery{"aa", false, true}, "aaa aa", {4}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SearchQuery, ReplacesInOnePassAndChecksAHitStillStands)
{
    const SearchQuery words{"cat", false, true};
    EXPECT_EQ(words.replacedIn("Cat, cats and cat.", "cat cat"), "cat cat, cats and cat cat.");
    EXPECT_TRUE(words.matchesAt(u"a cat", TextRange{2, 3}));
    EXPECT_FALSE(words.matchesAt(u"a cats", TextRange{2, 3}));
    EXPECT_FALSE(words.matchesAt(u"a ca", TextRange{2, 3}));
    EXPECT_FALSE(words.matchesAt(u"a cat", TextRange{-1, 3}));
    EXPECT_FALSE((SearchQuery{"cat", true}).matchesAt(u"Cat", TextRange{0, 3}));
}

} // namespace
} // namespace veskel::test
