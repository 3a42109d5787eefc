#include "VeskelApp/Editor/PlainScriptEditor.h"

#include "VeskelApp/Editor/EditorTheme.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Editor/ScriptMarkupTransform.h"
#include "VeskelApp/Settings/AppearanceController.h"
#include "VeskelApp/Settings/Preferences.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>

namespace veskel {

namespace {

constexpr int columnPadding = 28;
constexpr int topPadding = 12;

} // namespace

PlainScriptEditor::PlainScriptEditor(ProjectEditorViewModel &model,
                                     Preferences &preferences,
                                     QWidget *parent)
    : QPlainTextEdit(parent)
    , m_model(&model)
    , m_preferences(&preferences)
{
    setObjectName(QStringLiteral("scriptEditor"));
    setUndoRedoEnabled(false);
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAutoFillBackground(true);
    setTabChangesFocus(false);
    document()->setDocumentMargin(6);

    takeModelText();
    applyTypography();

    connect(this, &QPlainTextEdit::textChanged, this, &PlainScriptEditor::handOverText);
    connect(&model, &ProjectEditorViewModel::documentTextChanged, this,
            &PlainScriptEditor::takeModelText);
    connect(&model, &ProjectEditorViewModel::documentRevealChanged, this,
            &PlainScriptEditor::performReveal);
    connect(&model, &ProjectEditorViewModel::markupCommandChanged, this,
            &PlainScriptEditor::performMarkup);
    connect(m_preferences, &Preferences::changed, this, [this](const QString &key) {
        if (key == EditorTheme::textSize.key || key == EditorTheme::columnWidth.key)
            applyTypography();
    });
}

void PlainScriptEditor::applyTypography()
{
    // Sizes are in device-independent pixels, the unit the stored settings are given in.
    QFont body = font();
    body.setPixelSize(int(m_preferences->editorNumber(EditorTheme::textSize)));
    setFont(body);
    applyPaper();
    // Line spacing comes with the styled script surface: a line-height block format makes
    // the plain view drop a Return typed on an empty line.
    relayout();
}

void PlainScriptEditor::applyPaper()
{
    // Paper behind the text and around its column, light or dark with the application.
    const QColor paper = EditorTheme::paper(AppearanceController::looksDark());
    if (palette().color(QPalette::Base) == paper && palette().color(QPalette::Window) == paper)
        return;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, paper);
    pal.setColor(QPalette::Window, paper);
    setPalette(pal);
}

void PlainScriptEditor::changeEvent(QEvent *event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::PaletteChange)
        applyPaper();
}

void PlainScriptEditor::updateColumn()
{
    // The text stays in a centred column no wider than the stored column width; the paper
    // beside it belongs to the view, so the scroll bar stays at the window's edge.
    const int column = int(m_preferences->editorNumber(EditorTheme::columnWidth));
    const int available = width() - verticalScrollBar()->sizeHint().width();
    const int side = std::max(columnPadding, (available - column) / 2);
    const QMargins margins(side, topPadding, side, 0);
    if (viewportMargins() == margins)
        return;
    setViewportMargins(margins);
}

void PlainScriptEditor::resizeEvent(QResizeEvent *event)
{
    // The column first, so the text is laid out once for the viewport's final width.
    updateColumn();
    QPlainTextEdit::resizeEvent(event);
}

void PlainScriptEditor::relayout()
{
    updateColumn();
    // Lines are wrapped again when the width seems to change.
    QResizeEvent event(size(), QSize(-1, -1));
    QPlainTextEdit::resizeEvent(&event);
}

void PlainScriptEditor::takeModelText()
{
    if (!m_model)
        return;
    const QString text = m_model->documentText();
    if (text == toPlainText())
        return;
    // The model rewrote the document (an operation, undo): show it, keeping the caret where
    // it was as far as the new text allows.
    QTextCursor cursor = textCursor();
    const int length = int(text.size());
    const int position = std::min(cursor.position(), length);
    const int anchor = std::min(cursor.anchor(), length);
    const int scroll = verticalScrollBar()->value();
    m_takingModelText = true;
    setPlainText(text);
    m_takingModelText = false;
    QTextCursor restored(document());
    restored.setPosition(anchor);
    restored.setPosition(position, QTextCursor::KeepAnchor);
    setTextCursor(restored);
    verticalScrollBar()->setValue(scroll);
}

void PlainScriptEditor::handOverText()
{
    if (m_takingModelText || !m_model)
        return;
    m_model->applyDocumentText(toPlainText());
}

void PlainScriptEditor::performReveal()
{
    if (!m_model || !m_model->documentReveal())
        return;
    const DocumentReveal &reveal = *m_model->documentReveal();
    showRange(reveal.range, reveal.select);
}

void PlainScriptEditor::showRange(const TextRange &range, bool select, bool takeFocus)
{
    const qint64 length = toPlainText().size();
    const int start = int(std::clamp<qint64>(range.location, 0, length));
    const int end = int(std::clamp<qint64>(range.end(), start, length));
    QTextCursor cursor(document());
    cursor.setPosition(start);
    if (select)
        cursor.setPosition(end, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    if (takeFocus)
        setFocus();
    centerCursor();
}

void PlainScriptEditor::performMarkup()
{
    if (!m_model || !m_model->markupCommand())
        return;
    const MarkupCommand::Kind kind = m_model->markupCommand()->kind;
    setFocus();
    if (document()->isEmpty()) {
        insertPlainText(ScriptMarkupTransform::prefix(kind));
        return;
    }
    // Whole lines of the selection, without the line feed after the last one.
    QTextCursor cursor = textCursor();
    const int selectionStart = cursor.selectionStart();
    const int selectionEnd = cursor.selectionEnd();
    QTextCursor lines(document());
    lines.setPosition(document()->findBlock(selectionStart).position());
    const QTextBlock last = document()->findBlock(selectionEnd);
    lines.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
    const QString original = lines.selectedText().replace(QChar::ParagraphSeparator, u'\n');
    const QString transformed = ScriptMarkupTransform::transformLines(original, kind);
    if (transformed == original)
        return;
    // Inserted as typing is, so the model parses it and undo takes it as one step.
    lines.insertText(transformed);
}

void PlainScriptEditor::keyPressEvent(QKeyEvent *event)
{
    if (m_model && event->matches(QKeySequence::Undo)) {
        m_model->undo();
        return;
    }
    if (m_model
        && (event->matches(QKeySequence::Redo)
            || event->keyCombination()
                   == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z))) {
        m_model->redo();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

} // namespace veskel
