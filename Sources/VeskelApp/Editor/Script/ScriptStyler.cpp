#include "VeskelApp/Editor/Script/ScriptStyler.h"

#include "VeskelApp/Editor/Script/ScriptHighlighter.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>

namespace veskel {

namespace {

// Sets a flag for the length of a scope and puts back what it was.
class Raised
{
public:
    explicit Raised(bool &flag)
        : m_flag(flag)
        , m_was(flag)
    {
        m_flag = true;
    }
    ~Raised() { m_flag = m_was; }
    Raised(const Raised &) = delete;
    Raised &operator=(const Raised &) = delete;

private:
    bool &m_flag;
    bool m_was;
};

} // namespace

ScriptStyler::ScriptStyler(QTextEdit &view, ScriptHighlighter &highlighter)
    : QObject(&view)
    , m_view(view)
    , m_highlighter(highlighter)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &ScriptStyler::step);
}

void ScriptStyler::applyBlockFormats(int from, int to)
{
    const Raised styling(m_styling);
    QTextDocument *document = m_view.document();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (QTextBlock block = document->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        const QTextBlockFormat wanted
            = m_highlighter.blockFormat(ScriptLineStyle::of(block.text()).role);
        if (block.blockFormat() == wanted)
            continue;
        cursor.setPosition(block.position());
        cursor.setBlockFormat(wanted);
    }
    cursor.endEditBlock();
}

void ScriptStyler::restyleAll()
{
    m_timer.stop();
    const Raised styling(m_styling);
    // One pass: block formats with the highlighter detached, then one highlight of everything.
    m_highlighter.setDocument(nullptr);
    applyBlockFormats(0, int(m_view.document()->characterCount()));
    m_highlighter.setDocument(m_view.document());
    // At once: typing before the highlighter's own deferred pass would cancel it.
    m_highlighter.rehighlight();
}

void ScriptStyler::setText(const QString &text, int caret)
{
    m_timer.stop();
    const Raised styling(m_styling);
    QTextDocument *document = m_view.document();
    // Attached, so it has no pass over everything pending that would hold typing back.
    m_highlighter.setSuspended(true);
    m_view.setPlainText(text);
    if (document->blockCount() <= 2 * sliceBlocks) {
        applyBlockFormats(0, int(text.size()) + 1);
        m_highlighter.setSuspended(false);
        m_highlighter.rehighlight();
        return;
    }
    m_highlighter.setSuspended(false);
    QTextBlock first = document->findBlock(caret);
    for (int back = 0; back < sliceBlocks / 2 && first.previous().isValid(); ++back)
        first = first.previous();
    styleAhead(first);
    m_behind = QTextCursor(first);
    m_timer.start();
}

QTextBlock ScriptStyler::styleBlocks(QTextBlock block, const QTextBlock &stop, int count)
{
    const Raised styling(m_styling);
    for (int i = 0; i < count && block.isValid() && block != stop; ++i, block = block.next()) {
        const QTextBlockFormat wanted
            = m_highlighter.blockFormat(ScriptLineStyle::of(block.text()).role);
        if (block.blockFormat() != wanted)
            QTextCursor(block).setBlockFormat(wanted);
        m_highlighter.rehighlightBlock(block);
    }
    return block;
}

void ScriptStyler::styleAhead(const QTextBlock &first)
{
    const QTextBlock next = styleBlocks(first, QTextBlock(), sliceBlocks);
    m_ahead = next.isValid() ? QTextCursor(next) : QTextCursor();
}

void ScriptStyler::step()
{
    if (!m_ahead.isNull()) {
        styleAhead(m_ahead.block());
        return;
    }
    const QTextBlock end = m_behind.block();
    if (m_behind.isNull() || !end.previous().isValid()) {
        m_timer.stop();
        return;
    }
    QTextBlock first = end;
    for (int back = 0; back < sliceBlocks && first.previous().isValid(); ++back)
        first = first.previous();
    // Styling above the screen moves what is on it: the scroll follows, so the text stays put.
    QAbstractTextDocumentLayout *layout = m_view.document()->documentLayout();
    const double before = layout->blockBoundingRect(end).top();
    styleBlocks(first, end, sliceBlocks);
    QScrollBar *bar = m_view.verticalScrollBar();
    if (bar->value() > 0)
        bar->setValue(bar->value() + qRound(layout->blockBoundingRect(end).top() - before));
    m_behind = QTextCursor(first);
}

} // namespace veskel
