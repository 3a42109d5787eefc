#include "EditorTestSupport.h"

#include "VeskelApp/Editor/Script/DocumentTextView.h"
#include "VeskelApp/Editor/Script/ScriptEditorView.h"
#include "VeskelApp/Editor/Script/ScriptGutter.h"
#include "VeskelApp/Editor/Script/ScriptTextLayout.h"
#include "VeskelApp/Settings/Preferences.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QVariantAnimation>

namespace veskel::test {
namespace {

class DocumentTextViewTest : public EditorFixture
{
protected:
    // The script as typed, not in the form the document writer gives it.
    void show(const QString &script)
    {
        editor = openScript("");
        surface = std::make_unique<ScriptEditorView>(*editor, preferences);
        surface->resize(900, 600);
        surface->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(surface.get()));
        text = surface->textView();
        editor->applyDocumentText(script);
        editor->commitTypingUndo();
        ASSERT_EQ(text->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n'), script);
    }

    void setCaret(int anchor, int position)
    {
        QTextCursor cursor(text->document());
        cursor.setPosition(anchor);
        cursor.setPosition(position, QTextCursor::KeepAnchor);
        text->setTextCursor(cursor);
    }

    QSettings settings{dir.filePath("s.ini"), QSettings::IniFormat};
    Preferences preferences{&settings};
    std::unique_ptr<ProjectEditorViewModel> editor;
    std::unique_ptr<ScriptEditorView> surface;
    DocumentTextView *text = nullptr;
};

TEST_F(DocumentTextViewTest, ASecondReturnOnAnEmptyLineIsKeptAndLinesAreSpaced)
{
    preferences.setEditorNumber(EditorTheme::lineSpacing, 12);
    show("Words");
    text->setFocus();
    setCaret(5, 5);
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(editor->documentText(), "Words\n\n\n");
    QTest::keyClicks(text, "# Title");
    EXPECT_EQ(editor->documentText(), "Words\n\n\n# Title");

    const QTextBlock body = text->document()->firstBlock();
    const QTextBlock heading = text->document()->lastBlock();
    // The highlighter drew the heading larger than the body.
    const auto sizeAt = [](const QTextBlock &block) {
        return block.layout()->formats().value(0).format.font().pixelSize();
    };
    EXPECT_EQ(sizeAt(heading), sizeAt(body) + 2);
    // Spacing reaches the layout: the next line starts the spacing below the body line.
    QAbstractTextDocumentLayout *layout = text->document()->documentLayout();
    const double step
        = layout->blockBoundingRect(body.next()).top() - layout->blockBoundingRect(body).top();
    EXPECT_GE(step, QFontMetricsF(text->document()->defaultFont()).height() + 12 - 1);
}

// Russian typography puts no-break spaces in dates and initials; Shift+Return makes a line
// separator. A keystroke anywhere keeps every one of them, and a model change that leaves the
// text as it is does not reset the view.
TEST_F(DocumentTextViewTest, TypingKeepsNoBreakSpacesAndLineSeparators)
{
    const QString script = QStringLiteral("# Сцена\n\n2024\u00A0г. — А.\u00A0С.\u00A0Пушкин"
                                          "\u2028вторая строка\n");
    show(script);
    text->setFocus();
    const int end = int(script.size()) - 1;
    setCaret(end, end);
    QTest::keyClick(text, Qt::Key_X);
    EXPECT_EQ(editor->documentText(), QString(script).insert(end, u'x'));
    EXPECT_TRUE(editor->project().scenes.at(0).voiceoverText.contains(u"2024\u00A0г."));

    QSignalSpy reset(text->document(), &QTextDocument::contentsChange);
    editor->updateScene(editor->project().scenes.at(0).id,
                        [](Scene &scene) { scene.type = SceneType::titleCard; });
    EXPECT_EQ(reset.count(), 0);
    EXPECT_EQ(text->textCursor().position(), end + 1);
}

TEST_F(DocumentTextViewTest, OnSlideOnThreeLinesChangesOnlyTheContentLineAndAgainNothing)
{
    show("# Head\n\nplain line\nnext");
    text->setFocus();
    setCaret(0, 18); // heading, blank and the plain line
    editor->requestMarkup(MarkupCommand::Kind::role(ScriptBlockRole::onScreen));
    EXPECT_EQ(editor->documentText(), "# Head\n\n> plain line\nnext");
    editor->commitTypingUndo();
    const qsizetype steps = editor->undoStack().undoStack().size();

    setCaret(0, 20);
    editor->requestMarkup(MarkupCommand::Kind::role(ScriptBlockRole::onScreen));
    EXPECT_EQ(editor->documentText(), "# Head\n\n> plain line\nnext");
    editor->commitTypingUndo();
    EXPECT_EQ(editor->undoStack().undoStack().size(), steps);

    // A selection ending where a line starts leaves that line alone.
    setCaret(8, 21);
    editor->requestMarkup(MarkupCommand::Kind::role(ScriptBlockRole::note));
    EXPECT_EQ(editor->documentText(), "# Head\n\n// plain line\nnext");
}

// On an empty line (after Return) the role's marker goes in with the caret after it, so what is
// typed next has that role; inside a selection blank lines stay blank.
TEST_F(DocumentTextViewTest, ARoleChosenOnAnEmptyLineAppliesToWhatIsTypedThere)
{
    show("# Head\n\n");
    text->setFocus();
    setCaret(8, 8);
    editor->requestMarkup(MarkupCommand::Kind::role(ScriptBlockRole::onScreen));
    QTest::keyClicks(text, "Big words");
    EXPECT_EQ(editor->documentText(), "# Head\n\n> Big words");
    EXPECT_EQ(editor->project().scenes.at(0).onScreenText, "Big words");
}

TEST_F(DocumentTextViewTest, ModelTextKeepsTheCaretOrPutsItAtTheNewEnd)
{
    show("# One\n\nFirst paragraph here.");
    setCaret(10, 10);
    editor->applyDocumentEdit("# One\n\nFirst paragraph, changed.");
    EXPECT_EQ(text->toPlainText(), editor->documentText());
    EXPECT_EQ(text->textCursor().position(), 10);
    editor->applyDocumentEdit("# One");
    EXPECT_EQ(text->textCursor().position(), 5);
}

TEST_F(DocumentTextViewTest, SearchHighlightsIgnoreCaseButNotAccents)
{
    show("é e E");
    const qsizetype steps = editor->undoStack().undoStack().size();
    editor->setActiveSearchQuery(SearchQuery{"e"});
    QStringList highlighted;
    for (const QTextEdit::ExtraSelection &selection : text->extraSelections())
        highlighted << QString::number(selection.cursor.selectionStart());
    EXPECT_EQ(highlighted, (QStringList{"2", "4"}));
    editor->setActiveSearchQuery(SearchQuery{});
    EXPECT_TRUE(text->extraSelections().isEmpty());
    // Highlights are never part of the text or its history.
    EXPECT_EQ(editor->documentText(), "é e E");
    editor->commitTypingUndo();
    EXPECT_EQ(editor->undoStack().undoStack().size(), steps);
}

TEST_F(DocumentTextViewTest, FocusDimsAllButTheParagraphAndFollowsTheCaret)
{
    preferences.setFocusMode(FocusMode::paragraph);
    show("One\n\nTwo\nlines\n\nThree");
    setCaret(6, 6);
    const QList<QTextEdit::ExtraSelection> dimmed = text->extraSelections();
    ASSERT_EQ(dimmed.size(), 2);
    EXPECT_EQ(dimmed[0].cursor.selectionEnd(), 5);
    EXPECT_EQ(dimmed[1].cursor.selectionStart(), 14);
    preferences.setFocusMode(FocusMode::off);
    EXPECT_TRUE(text->extraSelections().isEmpty());
}

TEST_F(DocumentTextViewTest, BandsAreComputedOncePerTurnAndTheGutterOpensTheInspector)
{
    show("Draft words.\n\n# One\n\nFirst.\n\n# Two\n\nSecond.");
    QCoreApplication::processEvents();
    QSignalSpy changed(text, &DocumentTextView::bandsChanged);
    const int end = int(text->toPlainText().size());
    setCaret(end, end);
    // Several keys in one turn of the event loop: the bands follow once.
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClicks(text, "Third.");
    text->scheduleBandsUpdate();
    EXPECT_TRUE(text->isBandsUpdateScheduled());
    QCoreApplication::processEvents();
    EXPECT_EQ(changed.count(), 1);
    ASSERT_EQ(text->bands().size(), 3);
    EXPECT_FALSE(text->bands()[0].sceneID.has_value());
    EXPECT_LT(text->bands()[1].maxY, text->bands()[2].minY);

    QSignalSpy inspector(surface.get(), &ScriptEditorView::sceneInspectorRequested);
    const SceneBand second = text->bands()[2];
    const QPoint inGutter(20, int(second.minY) - text->scrollY() + 4);
    QTest::mouseClick(surface->gutter(), Qt::LeftButton, {}, inGutter);
    ASSERT_EQ(inspector.count(), 1);
    EXPECT_EQ(inspector[0][0].toString(), sceneID(*editor, "Two"));
}

TEST_F(DocumentTextViewTest, RevealSelectsOnlyWhenAskedAndPutsTheRangeAThirdDown)
{
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines << QString("Line %1").arg(i);
    show(lines.join("\n\n"));
    const qsizetype target = editor->documentText().indexOf("Line 150");
    text->perform(DocumentReveal{TextRange{target, 8}, false, "a"});
    EXPECT_FALSE(text->textCursor().hasSelection());
    text->perform(DocumentReveal{TextRange{target, 8}, true, "b"});
    EXPECT_EQ(text->textCursor().selectedText(), "Line 150");
    QVariantAnimation *scroll = text->scrollAnimation();
    scroll->setCurrentTime(scroll->duration());
    const QRect caret = text->cursorRect();
    EXPECT_NEAR(caret.top(), text->viewport()->height() / 3.0, 4);
}

TEST_F(DocumentTextViewTest, TheMarkupBarFadesWhileTheTextScrolls)
{
    QStringList lines;
    for (int i = 0; i < 100; ++i)
        lines << "Words";
    show(lines.join("\n\n"));
    QSignalSpy scrolled(text, &DocumentTextView::scrolled);
    text->verticalScrollBar()->setValue(200);
    EXPECT_EQ(scrolled.count(), 1);
    EXPECT_FALSE(surface->isMarkupBarShown());
    // The bar returns a second after the last scroll; the test does not wait that second.
    ASSERT_TRUE(surface->barReturnTimer()->isActive());
    surface->barReturnTimer()->start(0);
    QTest::qWait(0);
    EXPECT_TRUE(surface->isMarkupBarShown());

    preferences.setMarkupBarMode(MarkupBarMode::alwaysShow);
    text->verticalScrollBar()->setValue(0);
    EXPECT_TRUE(surface->isMarkupBarShown());
    preferences.setMarkupBarMode(MarkupBarMode::hidden);
    EXPECT_FALSE(surface->isMarkupBarShown());
}

// The model rewriting the text (an operation, undo) lays the script out again from scratch; the
// view stays on the lines it showed, even far down a long script.
TEST_F(DocumentTextViewTest, AModelChangeKeepsALongScriptWhereItWasScrolled)
{
    // Wide letters wrap into more lines than an estimate from the average width expects.
    QStringList paragraphs;
    for (int i = 0; i < 400; ++i)
        paragraphs << QString("%1 WWWWW MMMMM WWWWW MMMMM WWWWW MMMMM WWWWW MMMMM WWWWW").arg(i);
    show(paragraphs.join("\n\n"));
    const auto *layout = qobject_cast<ScriptTextLayout *>(text->document()->documentLayout());
    ASSERT_NE(layout, nullptr);
    while (!layout->isComplete())
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QScrollBar *bar = text->verticalScrollBar();
    bar->setValue(bar->maximum());
    const int scroll = bar->value();
    const int shown = text->cursorForPosition(QPoint(40, 40)).position();

    editor->applyDocumentEdit(editor->documentText() + "\n\nOne more.");
    EXPECT_EQ(bar->value(), scroll);
    EXPECT_EQ(text->cursorForPosition(QPoint(40, 40)).position(), shown);
}

struct TextEdit
{
    int from;
    int removed;
    QString inserted;
};

struct EditRun
{
    const char *name;
    std::vector<TextEdit> edits;
};

class DocumentTextViewEdits : public DocumentTextViewTest,
                              public ::testing::WithParamInterface<EditRun>
{
};

// Whatever an edit does to the text, the model gets every character of it, and reading only the
// edit gives the blocks and scenes reading the whole text gives.
TEST_P(DocumentTextViewEdits, TheModelGetsTheTextAndReadsItAsAWhole)
{
    show("# One\n\nFirst paragraph here.\n\n> Slide\n\n# Two\n\nSecond words.\n\n// note");
    for (const TextEdit &edit : GetParam().edits) {
        QTextCursor cursor(text->document());
        const int length = text->document()->characterCount() - 1;
        const int from = edit.from < 0 ? length : edit.from;
        cursor.setPosition(from);
        cursor.setPosition(std::min(from + edit.removed, length), QTextCursor::KeepAnchor);
        cursor.insertText(edit.inserted);

        const QString typed
            = text->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n');
        ASSERT_EQ(editor->documentText(), typed);
        const ParsedScriptDocument whole = ScriptDocumentCodec::parse(typed, {});
        const StoryboardProject &project = editor->project();
        ASSERT_EQ(project.scriptBlocks.size(), whole.blocks.size());
        for (qsizetype b = 0; b < whole.blocks.size(); ++b)
            EXPECT_EQ(project.scriptBlocks[b].text, whole.blocks[b].text);
        ASSERT_EQ(project.scenes.size(), whole.scenes.size());
        for (qsizetype i = 0; i < whole.scenes.size(); ++i) {
            EXPECT_EQ(project.scenes[i].title, whole.scenes[i].title);
            EXPECT_EQ(project.scenes[i].voiceoverText, whole.scenes[i].voiceoverText);
            EXPECT_EQ(project.scenes[i].onScreenText, whole.scenes[i].onScreenText);
            EXPECT_EQ(project.scenes[i].productionNote, whole.scenes[i].productionNote);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Runs,
    DocumentTextViewEdits,
    ::testing::Values(
        EditRun{"TypingInAParagraph", {{20, 0, "x"}, {21, 0, "y"}, {20, 1, ""}, {22, 0, " "}}},
        EditRun{"LinesBrokenAndJoined", {{15, 0, "\n\n"}, {15, 2, ""}, {40, 0, "\n"}}},
        EditRun{"PasteOverScenes", {{5, 35, "a\n\n# Pasted\n\nb"}, {0, 0, "\u00A0"}}},
        EditRun{"AtBothEnds", {{0, 0, "Draft\n\n"}, {-1, 0, "\n\nTail"}, {-1, 0, "!"}}},
        EditRun{"Everything", {{0, 1000, "# Only\n\nText"}, {0, 1000, ""}, {0, 0, "New"}}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace veskel::test
