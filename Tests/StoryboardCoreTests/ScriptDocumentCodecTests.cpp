#include "StoryboardCore/Script/BatchedUUIDGenerator.h"
#include "StoryboardCore/Script/ScriptDocumentCodec.h"
#include "StoryboardCore/Script/ScriptSceneSync.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QUuid>

using namespace veskel;
using namespace Qt::StringLiterals;

namespace {

constexpr auto voiceover = ScriptBlockRole::voiceover;
constexpr auto onScreen = ScriptBlockRole::onScreen;
constexpr auto note = ScriptBlockRole::note;

Scene scene(const QString &id, const QString &title, int order, double duration = 5)
{
    Scene s;
    s.id = id;
    s.title = title;
    s.order = order;
    s.durationSeconds = duration;
    s.type = SceneType::talkingHead;
    s.createdAt = QDateTime(QDate(2025, 3, 1), QTime(10, 15), Qt::UTC);
    s.updatedAt = s.createdAt;
    return s;
}

ScriptBlock
block(const QString &id, const QString &text, ScriptBlockRole role, std::optional<QString> sceneID)
{
    return ScriptBlock{id, text, role, std::move(sceneID)};
}

// Block ranges listed in block order, so layouts of two parses (with different block ids)
// compare directly.
QList<TextRange> blockRangesInOrder(const QList<ScriptBlock> &blocks,
                                    const ScriptDocumentLayout &layout)
{
    QList<TextRange> ranges;
    for (const ScriptBlock &b : blocks) {
        EXPECT_TRUE(layout.blockRanges.contains(b.id));
        ranges << layout.blockRanges.value(b.id);
    }
    EXPECT_EQ(layout.blockRanges.size(), blocks.size());
    return ranges;
}

QList<QString> field(const QList<Scene> &scenes, QString Scene::*member)
{
    QList<QString> result;
    for (const Scene &s : scenes)
        result << s.*member;
    return result;
}

QList<QString> ids(const QList<Scene> &scenes)
{
    return field(scenes, &Scene::id);
}

} // namespace

namespace veskel {
void PrintTo(const TextRange &r, std::ostream *os)
{
    *os << "(" << r.location << ", " << r.length << ")";
}
} // namespace veskel

namespace {

// --- the worked example: Intro, Outro, Empty ---------------------------------------------------

class WorkedExample : public ::testing::Test
{
protected:
    const QList<Scene> scenes{scene(u"A"_s, u"Intro"_s, 0, 7), scene(u"C"_s, u"Empty"_s, 2, 3),
                              scene(u"B"_s, u"Outro"_s, 1, 9)};
    const QList<ScriptBlock> blocks{block(u"b1"_s, u"Hello"_s, voiceover, u"A"_s),
                                    block(u"b2"_s, u"Slide"_s, onScreen, u"A"_s),
                                    block(u"b3"_s, u"Mic\nCut"_s, note, u"B"_s)};
    const QString expectedText = u"# Intro\n"
                                 "\n"
                                 "Hello\n"
                                 "\n"
                                 "> Slide\n"
                                 "\n"
                                 "# Outro\n"
                                 "\n"
                                 "// Mic\n"
                                 "// Cut\n"
                                 "\n"
                                 "# Empty\n"_s;
    const QHash<QString, TextRange> expectedHeadings{
        {u"A"_s, {0, 7}}, {u"B"_s, {25, 7}}, {u"C"_s, {49, 7}}};
    const QHash<QString, TextRange> expectedSpans{
        {u"A"_s, {0, 23}}, {u"B"_s, {25, 22}}, {u"C"_s, {49, 7}}};
    const QList<TextRange> expectedBlockRanges{{9, 5}, {16, 7}, {34, 13}};
};

TEST_F(WorkedExample, ParsingTheTextGivesBackTheSameDocument)
{
    const QDateTime before = QDateTime::currentDateTimeUtc();
    const ParsedScriptDocument parsed = ScriptDocumentCodec::parse(expectedText, scenes);

    ASSERT_EQ(parsed.blocks.size(), 3);
    for (qsizetype i = 0; i < 3; ++i) {
        EXPECT_EQ(parsed.blocks[i].text, blocks[i].text);
        EXPECT_EQ(parsed.blocks[i].role, blocks[i].role);
        EXPECT_EQ(parsed.blocks[i].sceneID, blocks[i].sceneID);
        EXPECT_NE(parsed.blocks[i].id, blocks[i].id) << "every parse makes new block ids";
        EXPECT_EQ(parsed.blocks[i].id.size(), 36);
    }
    EXPECT_EQ(ids(parsed.scenes), (QList<QString>{u"A"_s, u"B"_s, u"C"_s}));
    EXPECT_EQ(parsed.scenes[0].order, 0);
    EXPECT_EQ(parsed.scenes[1].order, 1);
    EXPECT_EQ(parsed.scenes[2].order, 2);
    EXPECT_EQ(parsed.scenes[0].durationSeconds, 7) << "kept scenes keep their duration";
    EXPECT_EQ(parsed.scenes[2].durationSeconds, 3);
    EXPECT_EQ(parsed.scenes[0].voiceoverText, u"Hello"_s);
    EXPECT_EQ(parsed.scenes[0].onScreenText, u"Slide"_s);
    EXPECT_EQ(parsed.scenes[1].productionNote, u"Mic\nCut"_s);
    EXPECT_EQ(parsed.scenes[0].type, SceneType::talkingHead);
    EXPECT_EQ(parsed.scenes[0].createdAt, scenes[0].createdAt);
    EXPECT_GE(parsed.scenes[0].updatedAt, before);

    EXPECT_EQ(parsed.layout.sceneHeadingRanges, expectedHeadings);
    EXPECT_EQ(parsed.layout.sceneSpans, expectedSpans);
    EXPECT_EQ(blockRangesInOrder(parsed.blocks, parsed.layout), expectedBlockRanges);
    EXPECT_EQ(parsed.layout.draftSpan, std::nullopt);

    // And writing the parse again gives the same text and ranges.
    const auto rewritten = ScriptDocumentCodec::serialize(parsed.blocks, parsed.scenes);
    EXPECT_EQ(rewritten.text, expectedText);
    EXPECT_EQ(rewritten.layout, parsed.layout);
}

// --- reading lines --------------------------------------------------------------------------

struct ExpectedBlock
{
    ScriptBlockRole role;
    QString text;
    int heading; // index of the owning heading, -1 for draft text
};

struct LinesCase
{
    const char *name;
    QString text;
    QList<QString> headings;
    QList<ExpectedBlock> blocks;
};

void PrintTo(const LinesCase &c, std::ostream *os)
{
    *os << c.name;
}

class LineClassification : public ::testing::TestWithParam<LinesCase>
{
};

TEST_P(LineClassification, HeadingsAndParagraphs)
{
    const LinesCase &c = GetParam();
    const ParsedScriptDocument parsed = ScriptDocumentCodec::parse(c.text, {});
    EXPECT_EQ(field(parsed.scenes, &Scene::title), c.headings);
    ASSERT_EQ(parsed.blocks.size(), c.blocks.size());
    for (qsizetype i = 0; i < c.blocks.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(parsed.blocks[i].role, c.blocks[i].role);
        EXPECT_EQ(parsed.blocks[i].text, c.blocks[i].text);
        const int h = c.blocks[i].heading;
        EXPECT_EQ(parsed.blocks[i].sceneID,
                  h < 0 ? std::nullopt : std::optional<QString>(parsed.scenes[h].id));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Headings,
    LineClassification,
    ::testing::Values(
        LinesCase{"BareHashes", u"#\n# \n###\n#\t"_s, {u""_s, u""_s, u""_s, u""_s}, {}},
        LinesCase{"TitleNeedsASpace",
                  u"# A\n#Title\n#\tTabbed\n##No"_s,
                  {u"A"_s},
                  {{voiceover, u"#Title\n#\tTabbed\n##No"_s, 0}}},
        LinesCase{"IndentedAndPadded",
                  u"   ## Title  \t\n\u3000#  \u00A0Spaced out \u2003"_s,
                  {u"Title"_s, u"Spaced out"_s},
                  {}},
        LinesCase{"HashInsideTitleStays", u"# #1 and #2 #"_s, {u"#1 and #2 #"_s}, {}}),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Paragraphs,
    LineClassification,
    ::testing::Values(
        LinesCase{
            "PrefixesWithoutSpaceAndPadding",
            u">shown  \n\n//noted\t\n\n  >  padded  "_s,
            {},
            {{onScreen, u"shown"_s, -1}, {note, u"noted"_s, -1}, {onScreen, u"padded"_s, -1}}},
        LinesCase{"NoteIsTestedFirst",
                  u"/// three\n\n//> quoted\n\n>// slashes\n\n/ one"_s,
                  {},
                  {{note, u"/ three"_s, -1},
                   {note, u"> quoted"_s, -1},
                   {onScreen, u"// slashes"_s, -1},
                   {voiceover, u"/ one"_s, -1}}},
        LinesCase{"LinesOfOneRoleJoin",
                  u"  one  \ntwo\n> a\n>b\n// x\n//y\nback"_s,
                  {},
                  {{voiceover, u"one\ntwo"_s, -1},
                   {onScreen, u"a\nb"_s, -1},
                   {note, u"x\ny"_s, -1},
                   {voiceover, u"back"_s, -1}}},
        LinesCase{"EmptyParagraphsYieldNothing",
                  u">\n> \n\n//\n\n \t \n# S\n>\n//\n\u2028\n"_s,
                  {u"S"_s},
                  {}},
        LinesCase{"EmptyLinesInsideAParagraphStay",
                  u">\n> content\n>\n\n// a\n//\n// b"_s,
                  {},
                  {{onScreen, u"\ncontent\n"_s, -1}, {note, u"a\n\nb"_s, -1}}},
        LinesCase{"HeadingEndsParagraph",
                  u"draft\n# A\ntext\n## B\n> s"_s,
                  {u"A"_s, u"B"_s},
                  {{voiceover, u"draft"_s, -1}, {voiceover, u"text"_s, 0}, {onScreen, u"s"_s, 1}}},
        LinesCase{"LoneCarriageReturnStaysInTheLine",
                  u"a\rb\r\nc"_s,
                  {},
                  {{voiceover, u"a\rb\nc"_s, -1}}},
        LinesCase{"LineSeparatorsAreNotLineFeeds",
                  u"a\u2028b\n\u2029"_s,
                  {},
                  {{voiceover, u"a\u2028b\n\u2029"_s, -1}}}),
    [](const auto &info) { return std::string(info.param.name); });

// --- ranges ------------------------------------------------------------------------------------

TEST(ScriptDocumentParse, EmptyTextDropsEveryScene)
{
    const auto written = ScriptDocumentCodec::serialize({}, {});
    EXPECT_EQ(written, ScriptDocumentCodec::SerializedDocument{});
    for (const QString &text : {QString(), u"\n\n  \n"_s}) {
        const auto parsed = ScriptDocumentCodec::parse(text, {scene(u"A"_s, u"A"_s, 0)});
        EXPECT_TRUE(parsed.blocks.isEmpty());
        EXPECT_TRUE(parsed.scenes.isEmpty());
        EXPECT_EQ(parsed.layout, ScriptDocumentLayout{});
    }
}

TEST(ScriptDocumentParse, DraftSpanRunsFromFirstToLastDraftBlock)
{
    //                                  0 1 2        11 13    19     26
    const auto parsed = ScriptDocumentCodec::parse(u"\n\n  first  \n\n> second\n# A\nowned"_s, {});
    ASSERT_EQ(parsed.blocks.size(), 3);
    EXPECT_EQ(blockRangesInOrder(parsed.blocks, parsed.layout),
              (QList<TextRange>{{2, 9}, {13, 8}, {26, 5}}));
    EXPECT_EQ(parsed.layout.draftSpan, (TextRange{2, 19}));
    EXPECT_EQ(parsed.layout.sceneSpans.value(parsed.scenes[0].id), (TextRange{22, 9}));

    const auto onlyDraft = ScriptDocumentCodec::parse(u"one\n\ntwo\n\n"_s, {});
    EXPECT_TRUE(onlyDraft.scenes.isEmpty());
    EXPECT_EQ(onlyDraft.layout.draftSpan, (TextRange{0, 8}));

    const auto noDraft = ScriptDocumentCodec::parse(u"\n>\n# A\ntext"_s, {});
    EXPECT_EQ(noDraft.layout.draftSpan, std::nullopt) << "an empty paragraph is no draft text";
}

TEST(ScriptDocumentParse, SpanReachesTheLastBlockAndHeadingsCoverTheWholeLine)
{
    const auto parsed = ScriptDocumentCodec::parse(u"  # A  \n\ntext \n\n\n# B\n\n"_s, {});
    ASSERT_EQ(parsed.scenes.size(), 2);
    const QString a = parsed.scenes[0].id;
    const QString b = parsed.scenes[1].id;
    EXPECT_EQ(parsed.layout.sceneHeadingRanges.value(a), (TextRange{0, 7}));
    EXPECT_EQ(parsed.layout.sceneSpans.value(a), (TextRange{0, 14}));
    EXPECT_EQ(parsed.layout.sceneHeadingRanges.value(b), (TextRange{17, 3}));
    EXPECT_EQ(parsed.layout.sceneSpans.value(b), (TextRange{17, 3}));
}

TEST(ScriptDocumentParse, CarriageReturnLineFeedReadsAsLineFeed)
{
    const QString lf = u"draft\n# A\n\nHello\nthere\n> Slide\n"_s;
    QString crlf = lf;
    crlf.replace(u"\n"_s, u"\r\n"_s);
    const auto fromLF = ScriptDocumentCodec::parse(lf, {});
    const auto fromCRLF = ScriptDocumentCodec::parse(crlf, fromLF.scenes);

    ASSERT_EQ(fromCRLF.blocks.size(), 3);
    EXPECT_EQ(fromCRLF.blocks[1].text, u"Hello\nthere"_s);
    EXPECT_EQ(ids(fromCRLF.scenes), ids(fromLF.scenes));
    EXPECT_EQ(fromCRLF.layout.sceneHeadingRanges, fromLF.layout.sceneHeadingRanges);
    EXPECT_EQ(fromCRLF.layout.sceneSpans, fromLF.layout.sceneSpans);
    EXPECT_EQ(fromCRLF.layout.draftSpan, fromLF.layout.draftSpan);
    EXPECT_EQ(blockRangesInOrder(fromCRLF.blocks, fromCRLF.layout),
              (QList<TextRange>{{0, 5}, {11, 11}, {23, 7}}));
}

TEST(ScriptDocumentRanges, CountUTF16CodeUnits)
{
    // U+1F3AC is two UTF-16 code units: everything after it moves by two.
    const QString parsedText = u"# \U0001F3AC Take\n\nHi\n\n# B\n"_s;
    const auto parsed = ScriptDocumentCodec::parse(parsedText, {});
    ASSERT_EQ(parsed.scenes.size(), 2);
    EXPECT_EQ(parsed.scenes[0].title, u"\U0001F3AC Take"_s);
    EXPECT_EQ(parsed.layout.sceneHeadingRanges.value(parsed.scenes[0].id), (TextRange{0, 9}));
    EXPECT_EQ(parsed.layout.blockRanges.value(parsed.blocks[0].id), (TextRange{11, 2}));
    EXPECT_EQ(parsed.layout.sceneHeadingRanges.value(parsed.scenes[1].id), (TextRange{15, 3}));
}

// --- matching headings to scenes ---------------------------------------------------------------

struct MatchCase
{
    const char *name;
    QString text;
    QList<QString> ids; // "*" for a new scene
};

void PrintTo(const MatchCase &c, std::ostream *os)
{
    *os << c.name;
}

class HeadingMatching : public ::testing::TestWithParam<MatchCase>
{
};

TEST_P(HeadingMatching, ByExactTitleThenKeptAsideByTitleThenByPosition)
{
    const QList<Scene> previous{scene(u"A"_s, u"Intro"_s, 0, 11), scene(u"C"_s, u"Outro"_s, 2, 13),
                                scene(u"E"_s, u"Same"_s, 4, 15), scene(u"B"_s, u"Middle"_s, 1, 12),
                                scene(u"D"_s, u"Same"_s, 3, 14)};
    // Scenes whose headings typing removed, the most recent first. One shares a live id.
    QList<Scene> keptAside{scene(u"K"_s, u"Milling"_s, 1, 4), scene(u"L"_s, u"Milling"_s, 2, 6),
                           scene(u"M"_s, u"Intro"_s, 5, 7), scene(u"A"_s, u"Lost"_s, 0, 8)};
    keptAside[0].type = SceneType::screenRecording;
    const auto parsed = ScriptDocumentCodec::parse(GetParam().text, previous, keptAside);
    const QList<Scene> known = previous + keptAside;
    ASSERT_EQ(parsed.scenes.size(), GetParam().ids.size());
    for (int i = 0; i < parsed.scenes.size(); ++i) {
        const Scene &s = parsed.scenes[i];
        EXPECT_EQ(s.order, i);
        const QString &expected = GetParam().ids[i];
        if (expected == u"*"_s) {
            EXPECT_TRUE(std::none_of(previous.cbegin(), previous.cend(),
                                     [&](const Scene &p) { return p.id == s.id; }));
            continue;
        }
        EXPECT_EQ(s.id, expected);
        const Scene &before = *std::find_if(known.cbegin(), known.cend(),
                                            [&](const Scene &p) { return p.id == s.id; });
        EXPECT_EQ(s.durationSeconds, before.durationSeconds) << "kept scenes keep their duration";
        EXPECT_EQ(s.createdAt, before.createdAt);
        EXPECT_EQ(s.type, before.type);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    HeadingMatching,
    ::testing::Values(
        MatchCase{"RenameKeepsSceneByPosition",
                  u"# Intro\n# Centre\n# Outro"_s,
                  {u"A"_s, u"B"_s, u"C"_s}},
        MatchCase{"InsertMakesOneNewScene",
                  u"# Intro\n# New\n# Middle\n# Outro\n# Same\n# Same"_s,
                  {u"A"_s, u"*"_s, u"B"_s, u"C"_s, u"D"_s, u"E"_s}},
        MatchCase{"TitleBeforePosition", u"# Outro\n# Unknown"_s, {u"C"_s, u"A"_s}},
        MatchCase{"SwapKeepsIds", u"# Outro\n# Middle\n# Intro"_s, {u"C"_s, u"B"_s, u"A"_s}},
        MatchCase{"CaseIsSignificant", u"# intro\n# Intro"_s, {u"B"_s, u"A"_s}},
        // Also drops the scenes whose headings are gone.
        MatchCase{"DuplicateTitlesInOrder", u"# Same\n# Same\n# Same"_s, {u"D"_s, u"E"_s, u"A"_s}},
        // A title typed again takes its removed scene back, even where the position match
        // would have handed the heading a scene of another name.
        MatchCase{"KeptAsideTakenBackByTitle",
                  u"# Intro\n# Milling\n# Middle"_s,
                  {u"A"_s, u"K"_s, u"B"_s}},
        MatchCase{
            "KeptAsideBeforePosition", u"# Intro\n# Milling\n# Outro"_s, {u"A"_s, u"K"_s, u"C"_s}},
        MatchCase{"KeptAsideMostRecentFirst", u"# Milling\n# Milling"_s, {u"K"_s, u"L"_s}},
        MatchCase{"LiveTitleBeforeKeptAside", u"# Intro\n# Intro"_s, {u"A"_s, u"M"_s}},
        MatchCase{"KeptAsideWithALiveIdIsNeverTaken", u"# Intro\n# Lost"_s, {u"A"_s, u"B"_s}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ScriptDocumentMatching, RepeatedPreviousIdIsTakenOverOnlyOnce)
{
    // A damaged project with one id twice must not give two scenes the same id.
    const QList<Scene> previous{scene(u"X"_s, u"One"_s, 0), scene(u"X"_s, u"Two"_s, 1)};
    const auto parsed = ScriptDocumentCodec::parse(u"# One\n# Two\n"_s, previous);
    ASSERT_EQ(parsed.scenes.size(), 2);
    EXPECT_EQ(parsed.scenes[0].id, u"X"_s);
    EXPECT_NE(parsed.scenes[1].id, u"X"_s);
    EXPECT_EQ(parsed.layout.sceneSpans.size(), 2);
}

TEST(ScriptDocumentMatching, NewScenesArePlaceholdersTimedByTheirVoiceover)
{
    QStringList words;
    for (int i = 0; i < 280; ++i)
        words << (i % 2 ? u"word"_s : u"word,"_s);
    const QString long280 = words.join(u' ');
    const QString text = u"# Kept\n"_s + long280 + u"\n# Long\n"_s + long280
                         + u"\n> not counted\n# Silent\n// note only\n"_s;
    const QDateTime before = QDateTime::currentDateTimeUtc();
    const auto parsed = ScriptDocumentCodec::parse(text, {scene(u"K"_s, u"Kept"_s, 0, 9.5)});
    ASSERT_EQ(parsed.scenes.size(), 3);
    EXPECT_EQ(parsed.scenes[0].durationSeconds, 9.5);
    EXPECT_EQ(parsed.scenes[1].durationSeconds, 120);
    EXPECT_EQ(parsed.scenes[1].onScreenText, u"not counted"_s);
    EXPECT_EQ(parsed.scenes[2].durationSeconds, 2);
    EXPECT_EQ(parsed.scenes[2].productionNote, u"note only"_s);

    const Scene &added = parsed.scenes[2];
    EXPECT_EQ(added.id.size(), 36);
    EXPECT_EQ(added.id, added.id.toUpper());
    EXPECT_EQ(added.type, SceneType::placeholder);
    EXPECT_GE(added.createdAt, before);
    EXPECT_EQ(added.updatedAt, added.createdAt);
}

QString words(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << u"word"_s;
    return list.join(u' ');
}

TEST(ScriptDocumentMatching, SceneTypedHeadingFirstFollowsItsWordsAsTheyAreTyped)
{
    // Each keystroke parses against the scenes of the one before, so the scene is taken over
    // from its second character on.
    QList<Scene> scenes;
    const QString heading = u"# Opening\n"_s;
    for (const QString &typed :
         {heading, heading + u"w"_s, heading + words(70), heading + words(140)}) {
        scenes = ScriptDocumentCodec::parse(typed, scenes).scenes;
        ASSERT_EQ(scenes.size(), 1);
    }
    EXPECT_EQ(scenes[0].durationSeconds, 60);
}

struct RetimeCase
{
    const char *name;
    QString oldVoiceover;
    double oldDuration;
    double expected;
};

class TakenOverDuration : public ::testing::TestWithParam<RetimeCase>
{
};

TEST_P(TakenOverDuration, FollowsTheVoiceoverOnlyUntilTimedByHand)
{
    Scene previous = scene(u"A"_s, u"Intro"_s, 0, GetParam().oldDuration);
    previous.voiceoverText = GetParam().oldVoiceover;
    const auto parsed = ScriptDocumentCodec::parse(u"# Intro\n"_s + words(140), {previous});
    ASSERT_EQ(parsed.scenes.size(), 1);
    EXPECT_EQ(parsed.scenes[0].id, u"A"_s);
    EXPECT_EQ(parsed.scenes[0].durationSeconds, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    TakenOverDuration,
    ::testing::Values(RetimeCase{"EmptyAtTheMinimum", {}, 2, 60},
                      RetimeCase{"StillTheEstimateOfItsWords", words(70), 30, 60},
                      RetimeCase{"HandSetWithoutWords", {}, 7, 7},
                      RetimeCase{"HandSetAwayFromItsEstimate", words(70), 45, 45},
                      RetimeCase{"UnchangedVoiceoverKeepsAnyValue", words(140), 12, 12}),
    [](const auto &info) { return std::string(info.param.name); });

// --- writing -----------------------------------------------------------------------------------

TEST(ScriptDocumentSerialize, DraftComesFirstAndUnassignedTextJoinsThePreviousScene)
{
    const QList<Scene> scenes{scene(u"A"_s, u"A"_s, 0)};
    const QList<ScriptBlock> blocks{block(u"d1"_s, u"draft"_s, voiceover, std::nullopt),
                                    block(u"d2"_s, u"more"_s, note, std::nullopt),
                                    block(u"a1"_s, u"owned"_s, voiceover, u"A"_s),
                                    block(u"free"_s, u"detached"_s, onScreen, std::nullopt)};
    const auto [text, layout] = ScriptDocumentCodec::serialize(blocks, scenes);
    EXPECT_EQ(text, u"draft\n\n// more\n\n# A\n\nowned\n\n> detached\n"_s);
    EXPECT_EQ(layout.draftSpan, (TextRange{0, 14}));
    EXPECT_EQ(layout.sceneSpans.value(u"A"_s), (TextRange{16, 10}));
    EXPECT_EQ(layout.blockRanges.value(u"free"_s), (TextRange{28, 10}));

    const auto parsed = ScriptDocumentCodec::parse(text, scenes);
    ASSERT_EQ(parsed.blocks.size(), 4);
    EXPECT_EQ(parsed.blocks[3].sceneID, u"A"_s);
    EXPECT_EQ(parsed.scenes[0].onScreenText, u"detached"_s);
}

TEST(ScriptDocumentSerialize, BlockOfAMissingSceneGetsABareHeading)
{
    const QList<ScriptBlock> blocks{block(u"1"_s, u"orphan"_s, voiceover, u"gone"_s)};
    const auto [text, layout] = ScriptDocumentCodec::serialize(blocks, {scene(u"E"_s, u"E"_s, 0)});
    EXPECT_EQ(text, u"#\n\norphan\n\n# E\n"_s);
    EXPECT_EQ(layout.sceneHeadingRanges.value(u"gone"_s), (TextRange{0, 1}));
    EXPECT_EQ(layout.sceneSpans.value(u"gone"_s), (TextRange{0, 9}));
    EXPECT_EQ(layout.sceneHeadingRanges.value(u"E"_s), (TextRange{11, 3}));
}

TEST(ScriptDocumentSerialize, ScenesWithoutBlocksStandWhereTheirOrderPutsThem)
{
    const QList<Scene> scenes{scene(u"B"_s, u"B"_s, 2), scene(u"D"_s, u"D"_s, 1),
                              scene(u"A"_s, u"A"_s, 0), scene(u"C"_s, u"C"_s, 3),
                              scene(u"E"_s, u"E"_s, 4)};
    const QList<ScriptBlock> blocks{block(u"0"_s, u"draft"_s, voiceover, std::nullopt),
                                    block(u"1"_s, u"a"_s, voiceover, u"A"_s),
                                    block(u"2"_s, u"c"_s, voiceover, u"C"_s)};
    const auto [text, layout] = ScriptDocumentCodec::serialize(blocks, scenes);
    EXPECT_EQ(text, u"draft\n\n# A\n\na\n\n# D\n\n# B\n\n# C\n\nc\n\n# E\n"_s);
    EXPECT_EQ(layout.sceneSpans.value(u"A"_s), (TextRange{7, 6}));
    EXPECT_EQ(layout.sceneSpans.value(u"D"_s), (TextRange{15, 3}));
    EXPECT_EQ(layout.sceneSpans.value(u"B"_s), (TextRange{20, 3}));
    EXPECT_EQ(layout.sceneSpans.value(u"E"_s), (TextRange{33, 3}));
    EXPECT_EQ(layout.draftSpan, (TextRange{0, 5}));

    const auto parsed = ScriptDocumentCodec::parse(text, scenes);
    EXPECT_EQ(ids(parsed.scenes), (QList<QString>{u"A"_s, u"D"_s, u"B"_s, u"C"_s, u"E"_s}));
}

TEST(ScriptDocumentSerialize, SceneInTwoRunsGetsOneHeadingAndASpanOverBoth)
{
    const QList<Scene> scenes{scene(u"A"_s, u"A"_s, 0), scene(u"B"_s, u"B"_s, 1)};
    const QList<ScriptBlock> blocks{block(u"1"_s, u"a"_s, voiceover, u"A"_s),
                                    block(u"2"_s, u"b"_s, voiceover, u"B"_s),
                                    block(u"3"_s, u"a again"_s, note, u"A"_s)};
    const auto [text, layout] = ScriptDocumentCodec::serialize(blocks, scenes);
    EXPECT_EQ(text, u"# A\n\na\n\n# B\n\nb\n\n// a again\n"_s);
    EXPECT_EQ(layout.sceneSpans.value(u"A"_s), (TextRange{0, 26}));
    EXPECT_EQ(layout.sceneSpans.value(u"B"_s), (TextRange{8, 6}));
}

TEST(ScriptDocumentSerialize, HeadingsAndLinesAreNormalised)
{
    const QList<Scene> scenes{scene(u"A"_s, u" \tPadded\u00A0"_s, 0),
                              scene(u"B"_s, u"Two\nLines "_s, 1), scene(u"C"_s, u" \t"_s, 2),
                              scene(u"D"_s, u"\nLead"_s, 3)};
    const QList<ScriptBlock> blocks{block(u"1"_s, u"one\ntwo"_s, note, u"A"_s),
                                    block(u"2"_s, u"x\n\ny"_s, onScreen, u"A"_s)};
    const auto [text, layout] = ScriptDocumentCodec::serialize(blocks, scenes);
    EXPECT_EQ(text,
              u"# Padded\n\n// one\n// two\n\n> x\n> \n> y\n\n# Two Lines\n\n#\n\n# Lead\n"_s);
    EXPECT_EQ(layout.blockRanges.value(u"2"_s), (TextRange{25, 10}));

    // The one-line title no longer matches by title; the position match keeps the scene.
    const auto parsed = ScriptDocumentCodec::parse(text, scenes);
    EXPECT_EQ(ids(parsed.scenes), (QList<QString>{u"A"_s, u"B"_s, u"C"_s, u"D"_s}));
    EXPECT_EQ(parsed.scenes[1].title, u"Two Lines"_s);
    EXPECT_EQ(parsed.blocks[1].text, u"x\n\ny"_s);
}

TEST(ScriptDocumentSerialize, WriteThenParseKeepsTheModel)
{
    // Trimmed one-line titles, trimmed non-blank lines, no markup at voiceover line starts, each
    // scene's blocks contiguous: the conditions under which the text is a faithful copy.
    const QList<Scene> scenes{scene(u"S1"_s, u"Hook"_s, 0, 4.5), scene(u"S2"_s, u"Hook"_s, 1, 6),
                              scene(u"S3"_s, u"Ending \U0001F44B"_s, 3, 8),
                              scene(u"S4"_s, u"Spare"_s, 2, 1)};
    const QList<ScriptBlock> blocks{
        block(u"1"_s, u"Before anything"_s, voiceover, std::nullopt),
        block(u"2"_s, u"Hello there\nsecond line"_s, voiceover, u"S1"_s),
        block(u"3"_s, u"Big title"_s, onScreen, u"S1"_s),
        block(u"4"_s, u"Still talking"_s, voiceover, u"S1"_s),
        block(u"5"_s, u"Same title, other scene"_s, voiceover, u"S2"_s),
        block(u"6"_s, u"Zoom in\nslowly"_s, note, u"S2"_s),
        block(u"7"_s, u"Bye #1 > all"_s, voiceover, u"S3"_s),
    };
    const auto written = ScriptDocumentCodec::serialize(blocks, scenes);
    const auto parsed = ScriptDocumentCodec::parse(written.text, scenes);

    ASSERT_EQ(parsed.blocks.size(), blocks.size());
    for (qsizetype i = 0; i < blocks.size(); ++i) {
        EXPECT_EQ(parsed.blocks[i].text, blocks[i].text);
        EXPECT_EQ(parsed.blocks[i].role, blocks[i].role);
        EXPECT_EQ(parsed.blocks[i].sceneID, blocks[i].sceneID);
    }
    // S4 owns no block and keeps its place before S3.
    EXPECT_EQ(ids(parsed.scenes), (QList<QString>{u"S1"_s, u"S2"_s, u"S4"_s, u"S3"_s}));
    for (const Scene &s : parsed.scenes) {
        const auto original = std::find_if(scenes.cbegin(), scenes.cend(),
                                           [&](const Scene &o) { return o.id == s.id; });
        EXPECT_EQ(s.title, original->title);
        EXPECT_EQ(s.durationSeconds, original->durationSeconds);
    }
    EXPECT_EQ(parsed.layout.sceneHeadingRanges, written.layout.sceneHeadingRanges);
    EXPECT_EQ(parsed.layout.sceneSpans, written.layout.sceneSpans);
    EXPECT_EQ(parsed.layout.draftSpan, written.layout.draftSpan);
    EXPECT_EQ(blockRangesInOrder(parsed.blocks, parsed.layout),
              blockRangesInOrder(blocks, written.layout));
}

TEST(BatchedUUIDGenerator, MakesDistinctVersionFourIdsInUpperCase)
{
    const QRegularExpression form(
        u"^[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}$"_s);
    BatchedUUIDGenerator generator;
    QSet<QString> seen;
    // Several batches, so refilling is covered too.
    for (int i = 0; i < 1000; ++i) {
        const QString id = generator.next();
        ASSERT_TRUE(form.match(id).hasMatch()) << id.toStdString();
        EXPECT_EQ(QUuid::fromString(id).version(), QUuid::Random);
        seen.insert(id);
    }
    EXPECT_EQ(seen.size(), 1000);
    EXPECT_FALSE(seen.contains(BatchedUUIDGenerator().next()));
}

// --- property: the written form is stable ------------------------------------------------------

// Documents as a careless writer types them: stray white space, CR LF, missing blank lines,
// empty prefixes, repeated and empty titles, headings without text, emoji.
class DocumentGenerator
{
public:
    explicit DocumentGenerator(quint32 seed)
        : m_random(seed)
    {
    }

    QString document()
    {
        QStringList lines;
        const int count = int(m_random.bounded(0, 40));
        for (int i = 0; i < count; ++i)
            lines << line();
        const QString eol = m_random.bounded(4) == 0 ? u"\r\n"_s : u"\n"_s;
        QString text = lines.join(eol);
        if (m_random.bounded(2))
            text += eol;
        return text;
    }

private:
    QString pick(std::initializer_list<QString> options)
    {
        return *(options.begin() + m_random.bounded(int(options.size())));
    }

    QString space() { return pick({u""_s, u""_s, u" "_s, u"\t"_s, u"\u00A0"_s, u"  "_s}); }

    QString words()
    {
        QStringList result;
        const int count = int(m_random.bounded(1, 6));
        for (int i = 0; i < count; ++i)
            result << pick({u"word"_s, u"Слово"_s, u"\U0001F3AC"_s, u"a\rb"_s, u"x#y"_s,
                            u"co-op,"_s, u"//"_s, u">"_s, u"#"_s, u"\u2028"_s, u"\v"_s});
        return result.join(pick({u" "_s, u"  "_s, u"\t"_s, u"\u2003"_s}));
    }

    QString line()
    {
        switch (m_random.bounded(10)) {
        case 0:
            return space();
        case 1:
        case 2:
            return space() + pick({u"#"_s, u"##"_s, u"###"_s}) + pick({u""_s, u" "_s, u" "_s})
                   + pick({u"Intro"_s, u"Outro"_s, u""_s, words(), words(),
                           u"\U0001F600 "_s + QString::number(m_random.bounded(1000))})
                   + space();
        case 3:
            return space() + u">"_s + space() + (m_random.bounded(3) ? words() : QString())
                   + space();
        case 4:
            return space() + pick({u"//"_s, u"///"_s}) + space()
                   + (m_random.bounded(3) ? words() : QString()) + space();
        default:
            // Voiceover starting with a word, so it never becomes a heading or a prefix line.
            return space() + pick({u"Say"_s, u"Then"_s, u"#tag"_s}) + u" "_s + words() + space();
        }
    }

    QRandomGenerator m_random;
};

struct BlockView
{
    QString text;
    ScriptBlockRole role;
    std::optional<QString> owner; // the scene id, or its title when titles repeat
    bool operator==(const BlockView &) const = default;
};

void PrintTo(const BlockView &b, std::ostream *os)
{
    *os << int(b.role) << ":" << b.text.toStdString() << "@"
        << b.owner.value_or(u"-"_s).toStdString();
}

QList<BlockView> view(const ParsedScriptDocument &doc, bool byTitle)
{
    QHash<QString, QString> titleByID;
    for (const Scene &s : doc.scenes)
        titleByID.insert(s.id, s.title);
    QList<BlockView> result;
    for (const ScriptBlock &b : doc.blocks) {
        std::optional<QString> owner = b.sceneID;
        if (owner && byTitle)
            owner = titleByID.value(*owner);
        result << BlockView{b.text, b.role, owner};
    }
    return result;
}

TEST(ScriptDocumentProperty, WrittenFormParsesBackToTheSameDocument)
{
    for (quint32 seed = 1; seed <= 400; ++seed) {
        SCOPED_TRACE(seed);
        const QString original = DocumentGenerator(seed).document();
        const ParsedScriptDocument first = ScriptDocumentCodec::parse(original, {});
        const auto written = ScriptDocumentCodec::serialize(first.blocks, first.scenes);
        const ParsedScriptDocument second = ScriptDocumentCodec::parse(written.text, first.scenes);

        // Every scene, with text or without, keeps its place and its identity.
        ASSERT_EQ(view(second, false), view(first, false)) << original.toStdString();
        EXPECT_EQ(ids(second.scenes), ids(first.scenes));
        for (int i = 0; i < second.scenes.size(); ++i)
            EXPECT_EQ(second.scenes[i].order, i);

        // The written form is a fixed point: writing and reading it again changes nothing.
        const auto rewritten = ScriptDocumentCodec::serialize(second.blocks, second.scenes);
        EXPECT_EQ(rewritten.text, written.text);
        EXPECT_EQ(rewritten.layout, second.layout);
        const ParsedScriptDocument third
            = ScriptDocumentCodec::parse(rewritten.text, second.scenes);
        EXPECT_EQ(view(third, false), view(second, false));
        EXPECT_EQ(ids(third.scenes), ids(second.scenes));
        EXPECT_EQ(blockRangesInOrder(third.blocks, third.layout),
                  blockRangesInOrder(second.blocks, second.layout));
        EXPECT_EQ(third.layout.sceneSpans, second.layout.sceneSpans);
        EXPECT_EQ(third.layout.draftSpan, second.layout.draftSpan);
    }
}

} // namespace
