#include "EditorTestSupport.h"

#include "VeskelApp/Editor/Search/ScriptSearchPanel.h"
#include "VeskelApp/Editor/Search/ScriptSearchState.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace veskel::test {
namespace {

class ScriptSearchStateTest : public EditorFixture
{
protected:
    ScriptSearchState &search(const QString &text, const QString &query)
    {
        editor = openScript("");
        editor->applyDocumentText(text);
        editor->commitTypingUndo();
        state = std::make_unique<ScriptSearchState>(*editor);
        state->setQuery(query);
        return *state;
    }

    QList<qsizetype> locations() const
    {
        QList<qsizetype> found;
        for (const ScriptSearchMatch &match : state->matches())
            found << match.range.location;
        return found;
    }

    std::unique_ptr<ProjectEditorViewModel> editor;
    std::unique_ptr<ScriptSearchState> state;
};

TEST_F(ScriptSearchStateTest, StepsRoundTheEndsRevealingEachMatchSelected)
{
    ScriptSearchState &s = search("aa aa aa", "aa");
    EXPECT_EQ(s.matchCountLabel(), "1/3");
    s.advance(-1);
    EXPECT_EQ(s.currentMatchIndex(), 2);
    ASSERT_TRUE(editor->documentReveal().has_value());
    EXPECT_EQ(editor->documentReveal()->range, (TextRange{6, 2}));
    EXPECT_TRUE(editor->documentReveal()->select);
    const QString token = editor->documentReveal()->token;
    s.advance(1);
    EXPECT_EQ(s.currentMatchIndex(), 0);
    EXPECT_NE(editor->documentReveal()->token, token);
    s.setQuery("zz");
    EXPECT_EQ(s.matchCountLabel(), "none");
    s.advance(1);
    EXPECT_EQ(s.currentMatchIndex(), 0);
}

// A selection left over a replaced word would be typed over next; it moves to the next hit.
TEST_F(ScriptSearchStateTest, ReplaceSelectsTheNextHitAndLeavesNoStaleSelection)
{
    ScriptSearchState &s = search("cat, then cat, cat", "cat");
    s.advance(1);
    s.replacement = "cats";
    s.replaceCurrent();
    EXPECT_EQ(editor->documentText(), "cat, then cats, cat");
    // The replacement holds the query: the next hit is the one after it.
    EXPECT_EQ(editor->documentReveal()->range, (TextRange{16, 3}));
    EXPECT_EQ(s.currentMatchIndex(), 2);
    s.setQuery("then");
    s.replacement = "now";
    s.replaceCurrent();
    EXPECT_EQ(editor->documentReveal()->range, (TextRange{8, 0}));
    EXPECT_TRUE(editor->documentReveal()->select);
    EXPECT_EQ(s.matchCountLabel(), "none");
}

TEST_F(ScriptSearchStateTest, ReplaceAllIsOnePassAndOneUndoStep)
{
    ScriptSearchState &s = search("Cat and cat.", "cat");
    const qsizetype steps = editor->undoStack().undoStack().size();
    s.replacement = "cats";
    s.replaceAll();
    EXPECT_EQ(editor->documentText(), "cats and cats.");
    EXPECT_EQ(editor->documentReveal()->range, (TextRange{13, 0}));
    EXPECT_EQ(editor->undoStack().undoStack().size(), steps + 1);
    editor->undo();
    EXPECT_EQ(editor->documentText().trimmed(), "Cat and cat.");
}

TEST_F(ScriptSearchStateTest, ContextIsTheMatchsOwnLineWithItsMarkupApart)
{
    const QString text
        = "# Opening\n> " + QString(40, u'x') + "needle" + QString(40, u'y') + "\nnext line";
    ScriptSearchState &s = search(text, "needle");
    const auto deep = s.context(s.matches().at(0));
    EXPECT_EQ(deep.markup, "");
    EXPECT_EQ(deep.before, "…" + QString(28, u'x'));
    EXPECT_EQ(deep.match, "needle");
    EXPECT_EQ(deep.after, QString(28, u'y') + "…");
    s.setQuery("open");
    const auto heading = s.context(s.matches().at(0));
    EXPECT_EQ(heading.markup, "# ");
    EXPECT_EQ(heading.before, "");
    EXPECT_EQ(heading.after, "ing");
}

// Characters as the reader counts them: "й" written as и + combining breve, an emoji of two
// UTF-16 units, each one.
TEST(ScriptSearchExcerpt, CutsTheFirstLineAtSixtyOneCharacters)
{
    EXPECT_EQ(ScriptSearchState::excerpt("  " + QString(60, u'a') + "\nnext"), QString(60, u'a'));
    EXPECT_EQ(ScriptSearchState::excerpt(QString(61, u'b')), QString(57, u'b') + "…");
    const QString composed = QStringLiteral("\u0438\u0306").repeated(60);
    EXPECT_EQ(ScriptSearchState::excerpt(composed), composed);
    const QString emoji = QStringLiteral("\U0001F3AC").repeated(61);
    EXPECT_EQ(ScriptSearchState::excerpt(emoji), emoji.left(2 * 57) + "…");
}

TEST_F(ScriptSearchStateTest, OutlineListsEachSceneAtItsFirstBlockAndThePanelShowsIt)
{
    ScriptSearchState &s
        = search("Draft.\n\n# \n\nFirst.\n\n> Slide\n\n# Two\n\n# Three\n\nLast.", "");
    QStringList kinds;
    for (const StructureEntry &entry : s.structureEntries())
        kinds << (entry.scene() ? "S:" + entry.scene()->title : "B:" + entry.block()->text);
    // Draft text first; a scene without blocks is not listed.
    EXPECT_EQ(kinds, (QStringList{"B:Draft.", "S:", "B:First.", "B:Slide", "S:Three", "B:Last."}));

    ScriptSearchPanel panel(*editor);
    ASSERT_EQ(panel.list()->count(), 6);
    auto *untitled = qobject_cast<QLabel *>(panel.list()->itemWidget(panel.list()->item(1)));
    ASSERT_NE(untitled, nullptr);
    EXPECT_TRUE(untitled->text().contains("Untitled"));

    editor->applyDocumentText("");
    EXPECT_EQ(panel.list()->count(), 0);
    EXPECT_EQ(panel.findChild<QLabel *>("searchEmpty")->text(), "The document is empty");
    panel.field()->setText("x");
    EXPECT_EQ(panel.findChild<QLabel *>("searchEmpty")->text(), "No results");
    EXPECT_EQ(panel.counter()->text(), "none");
}

// The chosen row is a tint of the accent: its black or white words stay readable on it.
TEST_F(ScriptSearchStateTest, TheChosenRowKeepsItsWordsReadableInLightAndDark)
{
    search("UI here.\n\n# A\n\nUI there.", "");
    ScriptSearchPanel panel(*editor);
    const QPalette original = QApplication::palette();
    for (const QColor &base : {QColor(Qt::white), QColor(30, 30, 30)}) {
        QPalette palette = original;
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::Text, base.lightness() > 128 ? Qt::black : Qt::white);
        palette.setColor(QPalette::Highlight, QColor(0, 100, 230));
        QApplication::setPalette(palette);
        QApplication::processEvents(); // widgets hear of the new palette from the event loop
        const QPalette list = panel.list()->palette();
        EXPECT_EQ(list.color(QPalette::HighlightedText), palette.color(QPalette::Text));
        EXPECT_GT(std::abs(qGray(list.color(QPalette::Highlight).rgb())
                           - qGray(palette.color(QPalette::Text).rgb())),
                  110)
            << base.name().toStdString();
    }
    QApplication::setPalette(original);
}

} // namespace
} // namespace veskel::test
