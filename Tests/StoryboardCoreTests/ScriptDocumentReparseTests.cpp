#include "StoryboardCore/Script/ScriptDocumentCodec.h"
#include "StoryboardCore/Script/ScriptDocumentReparse.h"

#include <gtest/gtest.h>

using namespace veskel;
using namespace Qt::StringLiterals;

namespace {

const QString base = u"Draft words\n\n# Intro\n\nHello there\nsecond line\n> Slide\n\n// Mic\n\n"
                     u"# Outro\n\nBye now\n"_s;

struct Edit
{
    const char *name;
    qsizetype at;
    qsizetype removed;
    QString inserted;
    bool readAlone;
};

void PrintTo(const Edit &edit, std::ostream *os)
{
    *os << edit.name;
}

class Reparse : public testing::TestWithParam<Edit>
{
};

// Parsed whole, with the outro timed by hand so a re-estimate would show.
ParsedScriptDocument parsedBase()
{
    ParsedScriptDocument document = ScriptDocumentCodec::parse(base, {}, {}, 140);
    document.scenes[1].durationSeconds = 42;
    return document;
}

TEST_P(Reparse, GivesWhatTheWholeParseGivesOrDeclines)
{
    const Edit &edit = GetParam();
    const ParsedScriptDocument before = parsedBase();
    const QString text = QString(base).replace(edit.at, edit.removed, edit.inserted);
    ParsedScriptDocument reread = before;
    ASSERT_EQ(ScriptDocumentCodec::reparse(reread, base, text, 140), edit.readAlone);
    if (!edit.readAlone) {
        EXPECT_EQ(reread, before);
        return;
    }
    const ParsedScriptDocument whole = ScriptDocumentCodec::parse(text, before.scenes, {}, 140);
    ASSERT_EQ(reread.blocks.size(), whole.blocks.size());
    for (qsizetype b = 0; b < whole.blocks.size(); ++b) {
        EXPECT_EQ(reread.blocks[b].text, whole.blocks[b].text);
        EXPECT_EQ(reread.blocks[b].role, whole.blocks[b].role);
        EXPECT_EQ(reread.blocks[b].sceneID, whole.blocks[b].sceneID);
        EXPECT_EQ(reread.layout.blockRanges.value(reread.blocks[b].id),
                  whole.layout.blockRanges.value(whole.blocks[b].id));
    }
    for (qsizetype s = 0; s < whole.scenes.size(); ++s) {
        Scene scene = reread.scenes[s];
        scene.updatedAt = whole.scenes[s].updatedAt;
        EXPECT_EQ(scene, whole.scenes[s]);
    }
    EXPECT_EQ(reread.layout.sceneHeadingRanges, whole.layout.sceneHeadingRanges);
    EXPECT_EQ(reread.layout.sceneSpans, whole.layout.sceneSpans);
    EXPECT_EQ(reread.layout.draftSpan, whole.layout.draftSpan);
    // Blocks the edit did not reach keep their ids.
    if (edit.at > 12) {
        EXPECT_EQ(reread.blocks.first().id, before.blocks.first().id);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Edits,
    Reparse,
    testing::Values(Edit{"TypedInAParagraph", 25, 0, u"x"_s, true},
                    Edit{"ErasedInAParagraph", 25, 1, {}, true},
                    Edit{"TypedInTheDraft", 3, 0, u"more "_s, true},
                    Edit{"DraftErased", 0, 11, {}, true},
                    Edit{"LineSplitInAParagraph", 27, 0, u"\n"_s, true},
                    Edit{"BlankLineSplitsAParagraph", 33, 0, u"\n"_s, true},
                    Edit{"BlankLineRemovedBetweenSlideAndNote", 54, 1, {}, true},
                    Edit{"LineBecomesANote", 34, 0, u"// "_s, true},
                    Edit{"ParagraphAddedAtTheEnd", 79, 0, u"\n\nMore words"_s, true},
                    Edit{"OutroTimedByHandKeepsItsDuration", 72, 0, u"really "_s, true},
                    Edit{"TypedInAHeading", 15, 0, u"x"_s, false},
                    Edit{"HeadingLineBroken", 13, 0, u"x"_s, false},
                    Edit{"HeadingTyped", 33, 0, u"\n# New"_s, false},
                    Edit{"BlankLineBeforeAHeadingRemoved", 12, 1, {}, false},
                    Edit{"CarriageReturnBeforeALineFeed", 33, 0, u"\r"_s, false}),
    [](const testing::TestParamInfo<Edit> &info) { return std::string(info.param.name); });

} // namespace
