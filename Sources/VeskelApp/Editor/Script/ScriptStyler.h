#pragma once

#include <QObject>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

class QTextEdit;

namespace veskel {

class ScriptHighlighter;

// Block formats and highlighting of the text view's document. A long text the view is given
// is styled around the caret at once and the rest a slice per turn of the event loop, after
// the caret first, so a long script shows without waiting for all of it; what typing touches
// is styled as it happens, by the highlighter and `applyBlockFormats`.
class ScriptStyler : public QObject
{
public:
    // Blocks styled at once around the caret, and per later turn.
    static constexpr int sliceBlocks = 300;

    ScriptStyler(QTextEdit &view, ScriptHighlighter &highlighter);

    // While true, the document's changes are formats, not the user's text.
    bool isStyling() const { return m_styling; }
    // No block is waiting to be styled.
    bool isComplete() const { return !m_timer.isActive(); }

    // The block formats of the blocks from the one holding `from` to the one holding `to`.
    void applyBlockFormats(int from, int to);
    // Everything anew in one pass, after the styles changed.
    void restyleAll();
    // Takes the view's new text: the highlighter is detached while the text is set.
    void setText(const QString &text, int caret);

private:
    // Block formats and highlighting of up to `count` blocks from `block`, stopping before
    // `stop`; returns the block after the last one styled.
    QTextBlock styleBlocks(QTextBlock block, const QTextBlock &stop, int count);
    // A slice from `first` on; the next slice starts after it.
    void styleAhead(const QTextBlock &first);
    void step();

    QTextEdit &m_view;
    ScriptHighlighter &m_highlighter;
    QTimer m_timer;
    // The first block after the part styled so far, and the first block of it.
    QTextCursor m_ahead;
    QTextCursor m_behind;
    bool m_styling = false;
};

} // namespace veskel
