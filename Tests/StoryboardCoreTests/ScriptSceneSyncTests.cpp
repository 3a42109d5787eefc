#include "StoryboardCore/Script/ScriptSceneSync.h"
#include "StoryboardCore/Script/ScriptText.h"

#include <gtest/gtest.h>

#include <QDateTime>

using namespace veskel;
using namespace Qt::StringLiterals;

namespace {

ScriptBlock block(const QString &text,
                  ScriptBlockRole role = ScriptBlockRole::voiceover,
                  std::optional<QString> sceneID = std::nullopt)
{
    static int counter = 0;
    return ScriptBlock{QStringLiteral("B%1").arg(++counter), text, role, std::move(sceneID)};
}

Scene scene(const QString &id, int order)
{
    Scene s;
    s.id = id;
    s.order = order;
    s.title = id;
    return s;
}

QString repeatedWords(int count, QChar separator = u' ')
{
    QStringList words;
    for (int i = 0; i < count; ++i)
        words << QStringLiteral("word");
    return words.join(separator);
}

const QString A = QStringLiteral("A");
const QString B = QStringLiteral("B");
const QString C = QStringLiteral("C");

// --- duration estimate ------------------------------------------------------------------------

struct WordsCase
{
    int words;
    double seconds;
    int wordsPerMinute = 140;
};

void PrintTo(const WordsCase &c, std::ostream *os)
{
    *os << c.words << " words at " << c.wordsPerMinute;
}

class EstimateByWordCount : public ::testing::TestWithParam<WordsCase>
{
};

TEST_P(EstimateByWordCount, HalfSecondStepsAtLeastTwoSeconds)
{
    EXPECT_EQ(ScriptSceneSync::estimatedDuration(repeatedWords(GetParam().words),
                                                 GetParam().wordsPerMinute),
              GetParam().seconds);
}

// The minimum, the first half step, rounding to the nearest half second, the 140-word minute;
// other speaking rates, and rates outside 80 … 220 taken as the nearest end.
INSTANTIATE_TEST_SUITE_P(Values,
                         EstimateByWordCount,
                         ::testing::Values(WordsCase{0, 2},
                                           WordsCase{5, 2},
                                           WordsCase{6, 2.5},
                                           WordsCase{8, 3.5},
                                           WordsCase{140, 60},
                                           WordsCase{141, 60.5},
                                           WordsCase{300, 128.5},
                                           WordsCase{100, 60, 100},
                                           WordsCase{100, 27.5, 220},
                                           WordsCase{100, 75, 10},
                                           WordsCase{100, 27.5, 1000}));

TEST(ScriptText, CharacterClassesAgreeWithTheUnicodeTables)
{
    QList<int> whiteSpaceMismatches;
    QList<int> horizontalMismatches;
    for (int u = 0; u <= 0xFFFF; ++u) {
        const QChar c(u);
        if (ScriptText::isWhiteSpace(c) != c.isSpace())
            whiteSpaceMismatches << u;
        const bool horizontal = u == '\t' || c.category() == QChar::Separator_Space;
        if (ScriptText::isHorizontalSpace(c) != horizontal)
            horizontalMismatches << u;
    }
    EXPECT_TRUE(whiteSpaceMismatches.isEmpty()) << whiteSpaceMismatches.first();
    EXPECT_TRUE(horizontalMismatches.isEmpty()) << horizontalMismatches.first();
}

TEST(ScriptText, HorizontalTrimKeepsLineBreaks)
{
    EXPECT_EQ(ScriptText::trimmedHorizontally(u" \t\u00A0\u3000x y\u2003 "), u"x y");
    EXPECT_EQ(ScriptText::trimmedHorizontally(u"\r x \u2028"), u"\r x \u2028");
    EXPECT_EQ(ScriptText::trimmedHorizontally(u" \t "), u"");
    EXPECT_TRUE(ScriptText::isBlank(u" \r\n\u2029\v"));
    EXPECT_FALSE(ScriptText::isBlank(u" \u200B "));
}

TEST(ScriptSceneSyncEstimate, CountsRunsOfNonWhiteSpace)
{
    // Line breaks and the rarer space characters separate words like a plain space.
    for (QChar separator :
         QStringView(u"\t\n\v\f\r\u0085\u00A0\u1680\u2003\u2028\u2029\u202F\u3000")) {
        SCOPED_TRACE(int(separator.unicode()));
        EXPECT_EQ(ScriptSceneSync::estimatedDuration(repeatedWords(6, separator)), 2.5);
    }
    EXPECT_EQ(ScriptText::wordCount(u"one, two"), 2);
    EXPECT_EQ(ScriptSceneSync::estimatedDuration(u"  \n\n \t "_s), 2.0);
    // Punctuation and zero-width characters join words; surrogate pairs are one word.
    EXPECT_EQ(ScriptText::wordCount(u"well—known (really)!"), 2);
    EXPECT_EQ(ScriptText::wordCount(u"a\u200Bb"), 1);
    EXPECT_EQ(ScriptText::wordCount(u"\U0001F600 \U0001F600\U0001F600"), 2);
}

TEST(ScriptSceneSyncEstimate, SceneEstimateReadsOnlyItsVoiceover)
{
    const QList<ScriptBlock> blocks{block(repeatedWords(280), ScriptBlockRole::onScreen, A),
                                    block(repeatedWords(280), ScriptBlockRole::note, A),
                                    block(repeatedWords(140), ScriptBlockRole::voiceover, B),
                                    block(repeatedWords(140), ScriptBlockRole::voiceover, B)};
    EXPECT_EQ(ScriptSceneSync::estimatedDuration(A, blocks), 2.0);
    EXPECT_EQ(ScriptSceneSync::estimatedDuration(B, blocks), 120.0);
    EXPECT_EQ(ScriptSceneSync::estimatedDuration(QStringLiteral("missing"), blocks), 2.0);
}

// --- scene texts ------------------------------------------------------------------------------

TEST(ScriptSceneSyncFields, TrimsDropsEmptyAndJoinsWithBlankLine)
{
    const QList<ScriptBlock> blocks{
        block(QStringLiteral("  first \t"), ScriptBlockRole::voiceover, A),
        block(QStringLiteral("other scene"), ScriptBlockRole::voiceover, B),
        block(QStringLiteral("slide"), ScriptBlockRole::onScreen, A),
        block(QStringLiteral("second\nline\n"), ScriptBlockRole::voiceover, A),
        block(QStringLiteral("   \n "), ScriptBlockRole::voiceover, A),
        block(QStringLiteral("draft"), ScriptBlockRole::voiceover),
    };
    EXPECT_EQ(ScriptSceneSync::fieldText(ScriptBlockRole::voiceover, A, blocks),
              QStringLiteral("first\n\nsecond\nline"));
    EXPECT_EQ(ScriptSceneSync::fieldText(ScriptBlockRole::onScreen, A, blocks),
              QStringLiteral("slide"));
    EXPECT_EQ(ScriptSceneSync::fieldText(ScriptBlockRole::note, A, blocks), QString());
    EXPECT_EQ(ScriptSceneSync::fieldText(ScriptBlockRole::voiceover, C, blocks), QString());
    // A scene id is compared as a whole string, never as a prefix or case-insensitively.
    EXPECT_EQ(ScriptSceneSync::fieldText(ScriptBlockRole::voiceover, QStringLiteral("a"), blocks),
              QString());
}

TEST(ScriptSceneSyncFields, ApplyBlocksFillsAllThreeTextsAndStampsTheScene)
{
    const QList<ScriptBlock> blocks{
        block(QStringLiteral("Hello"), ScriptBlockRole::voiceover, A),
        block(QStringLiteral("Slide"), ScriptBlockRole::onScreen, A),
        block(QStringLiteral("Mic\nCut"), ScriptBlockRole::note, A),
    };
    Scene s = scene(A, 0);
    s.voiceoverText = QStringLiteral("stale");
    s.productionNote = QStringLiteral("stale");
    const QDateTime before = QDateTime::currentDateTimeUtc();
    ScriptSceneSync::applyBlocks(blocks, s);
    EXPECT_EQ(s.voiceoverText, QStringLiteral("Hello"));
    EXPECT_EQ(s.onScreenText, QStringLiteral("Slide"));
    EXPECT_EQ(s.productionNote, QStringLiteral("Mic\nCut"));
    EXPECT_GE(s.updatedAt, before);

    Scene other = scene(B, 1);
    other.voiceoverText = QStringLiteral("stale");
    ScriptSceneSync::applyBlocks(blocks, other);
    EXPECT_TRUE(other.voiceoverText.isEmpty());
}

// --- order and numbering ----------------------------------------------------------------------

TEST(ScriptSceneSyncOrder, SceneOrderListsEachSceneAtItsFirstBlock)
{
    const QList<ScriptBlock> blocks{block(u"draft"_s),    block(u"c"_s, {}, C),
                                    block(u"a"_s, {}, A), block(u"c again"_s, {}, C),
                                    block(u"free"_s),     block(u"b"_s, {}, B)};
    EXPECT_EQ(ScriptSceneSync::sceneOrder(blocks), (QList<QString>{C, A, B}));
    EXPECT_TRUE(ScriptSceneSync::sceneOrder({}).isEmpty());
}

struct RenumberCase
{
    const char *name;
    QList<ScriptBlock> blocks;
    QList<Scene> scenes;
    QList<int> orders; // expected, in the list's element order
};

void PrintTo(const RenumberCase &c, std::ostream *os)
{
    *os << c.name;
}

class Renumbering : public ::testing::TestWithParam<RenumberCase>
{
};

TEST_P(Renumbering, ScenesInTheOrderTheDocumentShowsThem)
{
    QList<Scene> scenes = GetParam().scenes;
    ScriptSceneSync::renumberScenes(GetParam().blocks, scenes);
    ASSERT_EQ(scenes.size(), GetParam().scenes.size());
    QList<int> orders;
    for (qsizetype i = 0; i < scenes.size(); ++i) {
        EXPECT_EQ(scenes[i].id, GetParam().scenes[i].id) << "the list keeps its element order";
        orders << scenes[i].order;
    }
    EXPECT_EQ(orders, GetParam().orders);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    Renumbering,
    ::testing::Values(
        RenumberCase{"NoBlocksClosesGaps", {}, {scene(A, 7), scene(B, -3), scene(C, 7)}, {1, 0, 2}},
        RenumberCase{"BlocksOfUnknownScenesOnly",
                     {block(u"x"_s, {}, u"gone"_s), block(u"draft"_s)},
                     {scene(A, 5), scene(B, 1)},
                     {1, 0}},
        RenumberCase{"ScriptOrderWinsAndASceneWithoutTextKeepsItsPlace",
                     {block(u"c"_s, {}, C), block(u"a"_s, {}, A)},
                     {scene(A, 1), scene(B, 0), scene(C, 2)},
                     {2, 0, 1}},
        RenumberCase{"SceneWithoutTextStaysBetweenItsNeighbours",
                     {block(u"a"_s, {}, A), block(u"c"_s, {}, C)},
                     {scene(A, 0), scene(B, 1), scene(C, 2)},
                     {0, 1, 2}},
        RenumberCase{"FirstRunGivesThePlace",
                     {block(u"b"_s, {}, B), block(u"a"_s, {}, A), block(u"b2"_s, {}, B)},
                     {scene(A, 0), scene(B, 1), scene(C, 2)},
                     {1, 0, 2}},
        RenumberCase{"WithoutTextKeepRelativeOrderOnTies",
                     {block(u"c"_s, {}, C)},
                     {scene(A, 4), scene(B, 4), scene(C, 9)},
                     {0, 1, 2}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ScriptSceneSyncDetach, ClearsOnlyTheNamedScenesAndKeepsPositions)
{
    const QList<ScriptBlock> original{block(u"a"_s, {}, A), block(u"b"_s, {}, B), block(u"draft"_s),
                                      block(u"a2"_s, ScriptBlockRole::note, A)};

    QList<ScriptBlock> unchanged = original;
    ScriptSceneSync::detachBlocks({}, unchanged);
    EXPECT_EQ(unchanged, original);

    QList<ScriptBlock> blocks = original;
    ScriptSceneSync::detachBlocks({A, QStringLiteral("missing")}, blocks);
    ASSERT_EQ(blocks.size(), original.size());
    EXPECT_EQ(blocks[0].sceneID, std::nullopt);
    EXPECT_EQ(blocks[0].text, u"a"_s);
    EXPECT_EQ(blocks[1].sceneID, B);
    EXPECT_EQ(blocks[3].sceneID, std::nullopt);
    EXPECT_EQ(blocks[3].role, ScriptBlockRole::note);
    // The detached scene's text no longer counts for it; it became unassigned text.
    EXPECT_FALSE(ScriptSceneSync::sceneHasBlocks(A, blocks));
    EXPECT_TRUE(ScriptSceneSync::sceneHasBlocks(B, blocks));
    // Draft text belongs to no scene, not even one whose id is empty.
    EXPECT_FALSE(ScriptSceneSync::sceneHasBlocks(QString(), blocks));
    EXPECT_EQ(ScriptSceneSync::sceneOrder(blocks), QList<QString>{B});
}

} // namespace
