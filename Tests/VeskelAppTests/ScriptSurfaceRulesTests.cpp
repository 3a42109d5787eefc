#include "StoryboardCore/Script/ScriptDocumentCodec.h"
#include "VeskelApp/Editor/Script/FocusRange.h"
#include "VeskelApp/Editor/Script/SceneBandCalculator.h"
#include "VeskelApp/Editor/Script/ScriptLineStyle.h"
#include "VeskelApp/Editor/Script/ScrollTarget.h"

#include <gtest/gtest.h>

namespace veskel::test {
namespace {

using Role = ScriptLineStyle::Role;

struct LineCase
{
    const char *name;
    QString line;
    Role role;
    int faded;
};

class LineStyleTest : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(LineStyleTest, RoleAndFadedMarkup)
{
    EXPECT_EQ(ScriptLineStyle::of(GetParam().line),
              (ScriptLineStyle{GetParam().role, GetParam().faded}));
}

INSTANTIATE_TEST_SUITE_P(
    Lines,
    LineStyleTest,
    ::testing::Values(LineCase{"HeadingWithoutSpaceStillLooksLikeOne", "#Title", Role::heading, 1},
                      LineCase{"HashRunAndOneSpace", "###  Deep", Role::heading, 4},
                      LineCase{"LoneOnSlideMarkerFadedWhole", "> ", Role::onSlide, 2},
                      LineCase{"LeadingSpacesFadedWithTheMarker", "  // cue", Role::note, 5},
                      LineCase{"TabBeforeMarkerFadesNothing", "\t> x", Role::onSlide, 0},
                      LineCase{"NoteBeforeOnSlide", "//> x", Role::note, 2},
                      LineCase{"SlashAloneIsBody", "/ x", Role::body, 0},
                      LineCase{"Body", "Plain words", Role::body, 0}),
    [](const auto &info) { return std::string(info.param.name); });

struct FocusCase
{
    const char *name;
    FocusMode mode;
    QString text;
    qsizetype caret;
    std::optional<TextRange> expected;
};

class FocusRangeTest : public ::testing::TestWithParam<FocusCase>
{
};

TEST_P(FocusRangeTest, KeepsTheRightPartBright)
{
    const FocusCase &c = GetParam();
    const ScriptDocumentLayout layout = ScriptDocumentCodec::parse(c.text, {}).layout;
    EXPECT_EQ(FocusRange::around(c.mode, c.text, layout, c.caret), c.expected);
}

const QString twoSentences = "One two. Three four.";
const QString paragraphs = "Alpha\nbeta\n\nGamma\n\nDelta\n";
// As typed, one Return between blocks.
const QString typed = "# Opening\nFirst words\nmore words\n> Slide\n// Note";

INSTANTIATE_TEST_SUITE_P(
    Ranges,
    FocusRangeTest,
    ::testing::Values(
        FocusCase{"CaretRightAfterAFullStopKeepsThatSentence", FocusMode::sentence, twoSentences, 8,
                  TextRange{0, 9}},
        FocusCase{"CaretInTheSecondSentence", FocusMode::sentence, twoSentences, 12,
                  TextRange{9, 11}},
        FocusCase{"SentencesEndAtLineFeeds", FocusMode::sentence, "First line\nSecond", 11,
                  TextRange{11, 6}},
        FocusCase{"NoSentenceOnAnEmptyLine", FocusMode::sentence, "One.\n\nTwo.", 5, std::nullopt},
        FocusCase{"NoSentenceOnABlankLine", FocusMode::sentence, "One.\n \t\nTwo.", 6,
                  std::nullopt},
        FocusCase{"ParagraphIsTheBlockAcrossItsLines", FocusMode::paragraph, paragraphs, 7,
                  TextRange{0, 10}},
        FocusCase{"ParagraphEndsWhereTheRoleChanges", FocusMode::paragraph, typed, 22,
                  TextRange{10, 22}},
        FocusCase{"OnSlideLineIsItsOwnParagraph", FocusMode::paragraph, typed, 35,
                  TextRange{33, 7}},
        FocusCase{"HeadingIsItsOwnParagraph", FocusMode::paragraph, typed, 0, TextRange{0, 9}},
        FocusCase{"NoParagraphOnABlankLine", FocusMode::paragraph, paragraphs, 11, std::nullopt},
        FocusCase{"VeryEndIsTheLastBlock", FocusMode::paragraph, paragraphs, 24, TextRange{19, 5}},
        FocusCase{"TypewriterDimsNothing", FocusMode::typewriter, paragraphs, 3, std::nullopt},
        FocusCase{"EmptyTextDimsNothing", FocusMode::sentence, "", 0, std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SceneBands, StaleOrEmptySpansGiveNoBandAndBandsSortByTop)
{
    ScriptDocumentLayout layout;
    layout.sceneSpans.insert("late", TextRange{20, 5});
    layout.sceneSpans.insert("early", TextRange{8, 5});
    layout.sceneSpans.insert("stale", TextRange{22, 10}); // reaches past the text
    layout.sceneSpans.insert("empty", TextRange{3, 0});
    layout.draftSpan = TextRange{0, 6};
    // One unit of text is one point of height.
    const auto extent = [](const TextRange &range) {
        return std::pair(double(range.location), double(range.end()));
    };
    const QList<SceneBand> bands = SceneBandCalculator::compute(layout, 25, extent);
    EXPECT_EQ(bands, (QList<SceneBand>{{std::nullopt, 0, 6}, {"early", 8, 13}, {"late", 20, 25}}));
    EXPECT_EQ(SceneBandCalculator::bandAt(bands, 10)->sceneID, "early");
    EXPECT_FALSE(SceneBandCalculator::bandAt(bands, 15).has_value());

    // Only spans that reach into the window are measured.
    EXPECT_EQ(SceneBandCalculator::compute(layout, 25, extent, TextRange{7, 2}),
              (QList<SceneBand>{{"early", 8, 13}}));
    layout.draftSpan = TextRange{0, 30};
    EXPECT_EQ(SceneBandCalculator::compute(layout, 25, extent).size(), 2);
}

TEST(ScrollTargets, ClampedToTheDocumentAndSmallMovesIgnored)
{
    // Visible 300 of 1000: the caret line near the top cannot pull the view above 0.
    EXPECT_EQ(ScrollTarget::typewriter(40, 300, 1000, 100), 0.0);
    EXPECT_EQ(ScrollTarget::typewriter(40, 300, 1000, 0), std::nullopt);
    EXPECT_EQ(ScrollTarget::typewriter(353, 300, 1000, 200), 203.0);
    EXPECT_EQ(ScrollTarget::typewriter(352, 300, 1000, 200), std::nullopt);
    EXPECT_EQ(ScrollTarget::typewriter(990, 300, 1000, 0), 700.0);
    // A reveal puts the range a third of the way down.
    EXPECT_EQ(ScrollTarget::reveal(500, 300, 1000, 0), 400.0);
    EXPECT_EQ(ScrollTarget::typewriterPadding(200), 140.0);
    EXPECT_EQ(ScrollTarget::typewriterPadding(1000), 450.0);
}

} // namespace
} // namespace veskel::test
