// Typing re-reads only the paragraphs it touched; the project must come out exactly as reading
// the whole text makes it, whatever happened to the project between keystrokes.

#include "StoryboardCore/Script/ScriptDocumentCodec.h"
#include "VeskelApp/Editor/Script/ScriptDocumentSession.h"

#include <gtest/gtest.h>

#include <functional>

using namespace veskel;
using namespace Qt::StringLiterals;

namespace {

struct Reader
{
    explicit Reader(bool editsOnly)
    {
        session.setReadsEditsOnly(editsOnly);
        const ParsedScriptDocument parsed = ScriptDocumentCodec::parse(
            u"Draft\n\n# Intro\n\nHello there\n\n> Slide\n\n# Outro\n\nBye now\n"_s, {});
        project.scriptBlocks = parsed.blocks;
        project.scenes = parsed.scenes;
        session.regenerate(project);
    }

    // As the editor hands typing over: read unless the document shows the text already.
    void type(qsizetype at, qsizetype removed, const QString &inserted)
    {
        const QString typed = QString(session.text()).replace(at, removed, inserted);
        if (auto reading = session.reading(typed))
            session.read(std::move(*reading), project);
        EXPECT_EQ(session.text(), QString(typed).replace(u"\r\n"_s, u"\n"_s));
        EXPECT_TRUE(session.shows(typed));
    }

    StoryboardProject project;
    ScriptDocumentSession session;
};

// A step done alike in both readers: typing, or a change of the project between keystrokes.
using Step = std::function<void(Reader &)>;

void expectSame(const Reader &edits, const Reader &whole)
{
    ASSERT_EQ(edits.session.text(), whole.session.text());
    const auto &blocks = edits.project.scriptBlocks;
    ASSERT_EQ(blocks.size(), whole.project.scriptBlocks.size());
    for (qsizetype b = 0; b < blocks.size(); ++b) {
        const ScriptBlock &other = whole.project.scriptBlocks[b];
        EXPECT_EQ(blocks[b].text, other.text);
        EXPECT_EQ(blocks[b].sceneID, other.sceneID);
        EXPECT_EQ(edits.session.layout().blockRanges.value(blocks[b].id),
                  whole.session.layout().blockRanges.value(other.id));
    }
    ASSERT_EQ(edits.project.scenes.size(), whole.project.scenes.size());
    for (qsizetype s = 0; s < edits.project.scenes.size(); ++s) {
        Scene scene = edits.project.scenes[s];
        scene.updatedAt = whole.project.scenes[s].updatedAt;
        EXPECT_EQ(scene, whole.project.scenes[s]);
    }
    EXPECT_EQ(edits.session.layout().sceneSpans.size(), whole.session.layout().sceneSpans.size());
    EXPECT_EQ(edits.session.layout().draftSpan, whole.session.layout().draftSpan);
    EXPECT_EQ(edits.session.keptAside().size(), whole.session.keptAside().size());
}

TEST(ScriptDocumentSession, ReadingEditsAloneGivesWhatReadingTheWholeTextGives)
{
    const std::vector<Step> steps{
        [](Reader &r) { r.type(24, 0, u" you"_s); },
        [](Reader &r) { r.project.scenes[1].durationSeconds = 30; },
        [](Reader &r) { r.type(r.session.text().indexOf(u"Bye"_s), 0, u"Good "_s); },
        [](Reader &r) { r.type(0, 5, {}); },
        [](Reader &r) { r.type(r.session.text().indexOf(u"Intro"_s), 5, u"Opening"_s); },
        [](Reader &r) { r.type(r.session.text().indexOf(u"Hello"_s), 0, u"Well\n\n"_s); },
        [](Reader &r) {
            r.project.scriptBlocks.last().text = u"Changed by a command"_s;
            r.session.regenerate(r.project);
        },
        [](Reader &r) { r.type(r.session.text().indexOf(u"command"_s), 0, u"menu "_s); },
        [](Reader &r) {
            const qsizetype outro = r.session.text().indexOf(u"# Outro"_s);
            r.type(outro, r.session.text().size() - outro, {});
        },
        [](Reader &r) { r.type(r.session.text().size(), 0, u"\n# Outro\n\nBack"_s); },
        [](Reader &r) { r.type(r.session.text().size(), 0, u" again"_s); },
        // Carriage returns are counted as they come and go: a lone one is kept, one before a
        // line feed is read as part of the line end.
        [](Reader &r) { r.type(r.session.text().indexOf(u"Back"_s), 0, u"\r"_s); },
        [](Reader &r) { r.type(r.session.text().indexOf(u"again"_s), 0, u"x"_s); },
        [](Reader &r) { r.type(r.session.text().indexOf(u"\r"_s), 1, {}); },
        [](Reader &r) { r.type(r.session.text().indexOf(u"Back"_s), 0, u"one\r\ntwo "_s); },
        [](Reader &r) { r.type(r.session.text().indexOf(u"two"_s), 0, u"y"_s); },
    };
    Reader edits(true);
    Reader whole(false);
    // The same scene ids in both, so the projects can be compared whole.
    whole.project = edits.project;
    whole.session.regenerate(whole.project);
    for (size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(i);
        steps[i](edits);
        steps[i](whole);
        expectSame(edits, whole);
    }
}

} // namespace
