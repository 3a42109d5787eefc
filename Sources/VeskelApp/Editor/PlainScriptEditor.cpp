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

} // namespace

PlainScriptEditor::PlainScriptEditor(ProjectEditorViewModel &model, Preferences &preferences,
                                     QWidget *parent)
    : QPlainTextEdit(parent)
    , m_model(&model)
    , m_preferences(&preferences)
{
    setObjectName(QStringLiteral("scriptEditor"));
    setUndoRedoEnabled(false);
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
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
        if (key == EditorTheme::textSize.key || key == EditorTheme::lineSpacing.key
            || key == EditorTheme::columnWidth.key)
            applyTypography();
    });
}

void PlainScriptEditor::applyTypography()
{
    QFont body = font();
    body.setPointSizeF(m_preferences->editorNumber(EditorTheme::textSize));
    setFont(body);
    applyPaper();

    // Line spacing as extra height on every line.
    const qreal spacing = m_preferences->editorNumber(EditorTheme::lineSpacing);
    QTextBlockFormat format;
    format.setLineHeight(spacing, QTextBlockFormat::LineDistanceHeight);
    const bool wasTaking = m_takingModelText;
    m_takingModelText = true;
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.mergeBlockFormat(format);
    m_takingModelText = wasTaking;
    updateColumn();
}

void PlainScriptEditor::applyPaper()
{
    // Paper behind the text, light or dark with the application.
    const QColor paper = EditorTheme::paper(AppearanceController::looksDark());
    if (palette().color(QPalette::Base) == paper)
        return;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, paper);
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
    // The text stays in a centred column no wider than the stored column width.
    const int column = int(m_preferences->editorNumber(EditorTheme::columnWidth));
    const int available = width() - verticalScrollBar()->sizeHint().width();
    const int side = std::max(columnPadding, (available - column) / 2);
    setViewportMargins(side, 0, side, 0);
}

void PlainScriptEditor::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    updateColumn();
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
    applyTypography();
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
    if (m_model && (event->matches(QKeySequence::Redo)
                    || event->keyCombination() == QKeyCombination(Qt::ControlModifier
                                                                  | Qt::ShiftModifier,
                                                                  Qt::Key_Z))) {
        m_model->redo();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

} // namespace veskel
