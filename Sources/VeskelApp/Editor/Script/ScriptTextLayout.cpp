#include "VeskelApp/Editor/Script/ScriptTextLayout.h"

#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>

#include <algorithm>
#include <cmath>

namespace veskel {

namespace {

// Beyond this many blocks a change is laid out as a new document is: what is shown at once,
// the rest when idle. Below it (typing, a paste) the blocks are laid out as the change comes.
constexpr size_t eagerBlocks = 64;

// QAbstractTextDocumentLayout::update's own default: everything.
const QRectF everything(0, 0, 1e9, 1e9);

} // namespace

ScriptTextLayout::ScriptTextLayout(QTextDocument *document)
    : QAbstractTextDocumentLayout(document)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &ScriptTextLayout::layOutIdleSlice);
    m_sizeReport.setSingleShot(true);
    m_sizeReport.setInterval(0);
    connect(&m_sizeReport, &QTimer::timeout, this, &ScriptTextLayout::reportSize);
    resetAll();
}

bool ScriptTextLayout::hasPage() const
{
    return document()->pageSize().width() > 0;
}

ScriptTextLayout::Frame ScriptTextLayout::readFrame() const
{
    const QTextFrameFormat format = document()->rootFrame()->frameFormat();
    const double edge = format.border() + format.padding();
    Frame frame;
    frame.left = format.leftMargin() + edge;
    frame.right = format.rightMargin() + edge;
    frame.top = format.topMargin() + edge;
    frame.bottom = format.bottomMargin() + edge;
    frame.pageWidth = std::max(0.0, document()->pageSize().width());
    return frame;
}

// --- keeping up with the document ---------------------------------------------------------------

void ScriptTextLayout::resetAll()
{
    m_frame = readFrame();
    const QFontMetricsF metrics(document()->defaultFont());
    m_averageCharWidth = std::max(1.0, metrics.averageCharWidth());
    m_estimatedLineHeight = std::max(1.0, metrics.height());
    m_blocks.clear();
    m_blocks.reserve(size_t(document()->blockCount()));
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        m_blocks.push_back(estimate(block));
    m_exactUpTo = 0;
    m_topsValidUpTo = 0;
    startIdleLayout();
    emit update(everything);
    reportSize();
}

void ScriptTextLayout::documentChanged(int from, int /*charsRemoved*/, int charsAdded)
{
    QTextDocument *doc = document();
    const Frame frame = readFrame();
    const bool whole = from <= 0 && from + charsAdded >= doc->characterCount() - 1;
    if (whole || m_blocks.empty() || frame.pageWidth != m_frame.pageWidth
        || frame.textWidth() != m_frame.textWidth()) {
        resetAll();
        return;
    }
    if (!(frame == m_frame)) {
        m_frame = frame;
        m_topsValidUpTo = 0;
    }

    const QTextBlock first = doc->findBlock(from);
    QTextBlock last = doc->findBlock(from + charsAdded);
    if (!last.isValid())
        last = doc->lastBlock();
    const qint64 firstIndex = first.blockNumber();
    const qint64 span = qint64(last.blockNumber()) - firstIndex + 1;
    const qint64 oldSpan = span - (qint64(doc->blockCount()) - qint64(m_blocks.size()));
    if (!first.isValid() || span < 1 || oldSpan < 1
        || firstIndex + oldSpan > qint64(m_blocks.size())) {
        resetAll(); // not a change this layout can follow: start again
        return;
    }
    replaceBlocks(first, size_t(firstIndex), size_t(oldSpan), size_t(span));
}

void ScriptTextLayout::replaceBlocks(const QTextBlock &first,
                                     size_t index,
                                     size_t oldSpan,
                                     size_t span)
{
    // Where the blocks after the change stood, to see whether they move.
    updateTops(index + oldSpan + 1);
    const double top = m_blocks[index].top - m_blocks[index].topMargin;
    const auto nextTop = [this](size_t after) {
        return after < m_blocks.size() ? m_blocks[after].top : std::nan("");
    };
    const double oldNext = nextTop(index + oldSpan);
    const size_t oldTopsValid = m_topsValidUpTo;

    if (span != oldSpan) {
        const auto at = m_blocks.begin() + qsizetype(index);
        m_blocks.erase(at, at + qsizetype(oldSpan));
        m_blocks.insert(m_blocks.begin() + qsizetype(index), span, Metrics{});
    }
    // Blocks in the laid-out run are laid out again at once (a keystroke, a paste); a change
    // larger than that is laid out as a new document is, from the top of the change.
    const bool inRun = m_exactUpTo > index;
    const bool eager = inRun && span <= eagerBlocks;
    if (inRun) {
        m_exactUpTo = !eager                           ? index
                      : m_exactUpTo >= index + oldSpan ? m_exactUpTo + span - oldSpan
                                                       : index + span;
    }
    QTextBlock block = first;
    for (size_t i = index; i < index + span && block.isValid(); ++i, block = block.next()) {
        if (eager)
            layOut(block, i);
        else
            m_blocks[i] = estimate(block);
    }

    m_topsValidUpTo = std::min(m_topsValidUpTo, index);
    updateTops(index + span + 1);
    const double newNext = nextTop(index + span);
    // The blocks below kept their places (the usual keystroke): their tops still hold.
    const bool stayed = newNext == oldNext;
    if (stayed && oldTopsValid > index + oldSpan)
        m_topsValidUpTo = std::max(m_topsValidUpTo, oldTopsValid + span - oldSpan);
    startIdleLayout();
    emit update(QRectF(0, top, m_frame.pageWidth, stayed ? newNext - top : 1e9));
    // A keystroke's new size is told at once, so the caret it moved can be scrolled to.
    if (eager)
        reportSize();
    else
        scheduleSizeReport();
}

void ScriptTextLayout::scheduleSizeReport() const
{
    // Once a turn: a rehighlight changes every block, one at a time.
    if (!m_sizeReport.isActive())
        m_sizeReport.start();
}

void ScriptTextLayout::reportSize()
{
    const QSizeF size = documentSize();
    if (size == m_reportedSize)
        return;
    m_reportedSize = size;
    emit documentSizeChanged(size);
}

// --- laying out ---------------------------------------------------------------------------------

ScriptTextLayout::Metrics ScriptTextLayout::estimate(const QTextBlock &block) const
{
    const QTextBlockFormat format = block.blockFormat();
    Metrics metrics;
    metrics.topMargin = format.topMargin();
    metrics.bottomMargin = format.bottomMargin();
    const double width
        = std::max(1.0, m_frame.textWidth() - format.leftMargin() - format.rightMargin());
    const double characters = std::max(0, block.length() - 1);
    const double lines = std::max(1.0, std::ceil(characters * m_averageCharWidth / width));
    metrics.height = lines * format.lineHeight(m_estimatedLineHeight, 1.0);
    return metrics;
}

void ScriptTextLayout::layOut(const QTextBlock &block, size_t index) const
{
    QTextLayout *layout = block.layout();
    const QTextBlockFormat format = block.blockFormat();
    const Qt::LayoutDirection direction = block.textDirection();
    QTextOption option = document()->defaultTextOption();
    option.setTextDirection(direction);
    if (format.hasProperty(QTextFormat::TabPositions))
        option.setTabs(format.tabPositions());
    const Qt::Alignment alignment
        = format.hasProperty(QTextFormat::BlockAlignment) ? format.alignment() : option.alignment();
    option.setAlignment(QStyle::visualAlignment(direction, alignment));
    if (format.nonBreakableLines())
        option.setWrapMode(QTextOption::ManualWrap);
    layout->setTextOption(option);

    const double indent = format.indent() * document()->indentWidth();
    const bool leftToRight = direction != Qt::RightToLeft;
    const double left = format.leftMargin() + (leftToRight ? indent : 0);
    const double right = format.rightMargin() + (leftToRight ? 0 : indent);
    const double width = std::max(0.0, m_frame.textWidth() - left - right);

    double y = 0;
    layout->beginLayout();
    for (bool firstLine = true;; firstLine = false) {
        QTextLine line = layout->createLine();
        if (!line.isValid())
            break;
        line.setLeadingIncluded(true);
        const double textIndent = firstLine ? format.textIndent() : 0;
        line.setLineWidth(std::max(0.0, width - textIndent));
        const double height = line.height();
        const double advance = format.lineHeight(height, 1.0);
        // Fixed and minimum heights keep the text on the line's baseline, as Qt's layout does.
        double adjustment = 0;
        if (format.lineHeightType() == QTextBlockFormat::FixedHeight)
            adjustment = line.ascent() + std::max(line.leading(), 0.0) - advance * 4 / 5;
        else if (format.lineHeightType() == QTextBlockFormat::MinimumHeight)
            adjustment = height - advance;
        line.setPosition(QPointF(left + (leftToRight ? textIndent : 0), y - adjustment));
        y += advance;
    }
    layout->endLayout();

    Metrics &metrics = m_blocks[index];
    metrics.height = y;
    metrics.topMargin = format.topMargin();
    metrics.bottomMargin = format.bottomMargin();
    metrics.laidOut = true;
}

void ScriptTextLayout::updateTops(size_t upTo) const
{
    const size_t count = std::min(upTo, m_blocks.size());
    for (size_t i = m_topsValidUpTo; i < count; ++i) {
        if (i == 0) {
            m_blocks[0].top = m_frame.top;
            continue;
        }
        const Metrics &previous = m_blocks[i - 1];
        m_blocks[i].top = previous.top + previous.height
                          + std::max(m_blocks[i].topMargin, previous.bottomMargin);
    }
    m_topsValidUpTo = std::max(m_topsValidUpTo, count);
}

void ScriptTextLayout::layOutWhile(const std::function<bool(size_t, double)> &goOn) const
{
    if (!hasPage() || isComplete())
        return;
    updateTops(m_exactUpTo + 1);
    const size_t start = m_exactUpTo;
    QTextBlock block = document()->findBlockByNumber(int(m_exactUpTo));
    for (; m_exactUpTo < m_blocks.size() && block.isValid(); block = block.next()) {
        const size_t i = m_exactUpTo;
        if (!goOn(i, m_blocks[i].top))
            break;
        const bool estimated = !m_blocks[i].laidOut;
        if (estimated)
            layOut(block, i);
        ++m_exactUpTo;
        // Everything down to here is exact; what follows moves with it.
        if (i + 1 < m_blocks.size()) {
            Metrics &next = m_blocks[i + 1];
            next.top = m_blocks[i].top + m_blocks[i].height
                       + std::max(next.topMargin, m_blocks[i].bottomMargin);
            m_topsValidUpTo = estimated ? i + 2 : std::max(m_topsValidUpTo, i + 2);
        }
    }
    // Asked for while painting or measuring: the scroll range follows on the next turn.
    if (m_exactUpTo != start)
        scheduleSizeReport();
}

void ScriptTextLayout::showThrough(double y)
{
    layOutThrough(y);
    reportSize();
}

void ScriptTextLayout::layOutThrough(double y) const
{
    layOutWhile([y](size_t, double top) { return top <= y; });
}

void ScriptTextLayout::layOutBefore(size_t index) const
{
    layOutWhile([index](size_t i, double) { return i <= index; });
}

void ScriptTextLayout::completeLayout() const
{
    layOutWhile([](size_t, double) { return true; });
}

void ScriptTextLayout::layOutIdleSlice()
{
    QElapsedTimer clock;
    clock.start();
    layOutWhile([&clock](size_t, double) { return clock.elapsed() < idleSliceMs; });
    reportSize();
    startIdleLayout();
}

void ScriptTextLayout::startIdleLayout()
{
    if (hasPage() && !isComplete() && !m_idle.isActive())
        m_idle.start();
}

// --- geometry -----------------------------------------------------------------------------------

double ScriptTextLayout::contentBottom() const
{
    updateTops();
    if (m_blocks.empty())
        return m_frame.top;
    return m_blocks.back().top + m_blocks.back().height;
}

QSizeF ScriptTextLayout::documentSize() const
{
    if (!hasPage())
        return {};
    return {m_frame.pageWidth, contentBottom() + m_frame.bottom};
}

QRectF ScriptTextLayout::frameBoundingRect(QTextFrame *frame) const
{
    if (frame != document()->rootFrame())
        return {};
    return {QPointF(0, 0), documentSize()};
}

size_t ScriptTextLayout::blockAt(double y) const
{
    updateTops();
    const auto after = std::upper_bound(
        m_blocks.cbegin(), m_blocks.cend(), y,
        [](double value, const Metrics &metrics) { return value < metrics.top; });
    return size_t(std::max<qsizetype>(0, (after - m_blocks.cbegin()) - 1));
}

QRectF ScriptTextLayout::blockBoundingRect(const QTextBlock &block) const
{
    if (!hasPage() || !block.isValid() || block.document() != document())
        return {};
    const size_t index = size_t(block.blockNumber());
    if (index >= m_blocks.size())
        return {};
    layOutBefore(index);
    // Only the tops down to this block: the rest may wait for whoever needs them.
    updateTops(index + 1);
    const Metrics &metrics = m_blocks[index];
    return {m_frame.left, metrics.top, m_frame.textWidth(), metrics.height};
}

int ScriptTextLayout::hitTest(const QPointF &point, Qt::HitTestAccuracy accuracy) const
{
    if (!hasPage() || m_blocks.empty())
        return -1;
    layOutThrough(point.y());
    // Above the text is its start, below it its end, as in Qt's own layout.
    const bool exact = accuracy == Qt::ExactHit;
    updateTops(1);
    if (point.y() < m_blocks.front().top)
        return exact ? -1 : 0;
    if (point.y() >= contentBottom())
        return exact ? -1 : document()->characterCount() - 1;
    const size_t index = blockAt(point.y());
    const QTextBlock block = document()->findBlockByNumber(int(index));
    if (!block.isValid())
        return -1;
    if (!m_blocks[index].laidOut)
        layOut(block, index);
    const QTextLayout *layout = block.layout();
    const QPointF local = point - QPointF(m_frame.left, m_blocks[index].top);
    const int lines = layout->lineCount();
    if (lines == 0)
        return exact ? -1 : block.position();
    // The line whose advance holds the point: the space under a line belongs to it.
    int chosen = 0;
    while (chosen + 1 < lines && local.y() >= layout->lineAt(chosen + 1).y())
        ++chosen;
    const QTextLine line = layout->lineAt(chosen);
    if (exact
        && (local.y() < line.y() || local.y() >= line.y() + line.height() || local.x() < line.x()
            || local.x() > line.x() + line.naturalTextWidth()))
        return -1;
    return block.position() + line.xToCursor(local.x());
}

// --- drawing ------------------------------------------------------------------------------------

QList<QTextLayout::FormatRange> ScriptTextLayout::selectionsIn(const QTextBlock &block,
                                                               const PaintContext &context) const
{
    QList<QTextLayout::FormatRange> ranges;
    const int position = block.position();
    const int length = block.length();
    for (const Selection &selection : context.selections) {
        const int start = selection.cursor.selectionStart() - position;
        const int end = selection.cursor.selectionEnd() - position;
        if (start < length && end > 0 && end > start)
            ranges.append({start, end - start, selection.format});
    }
    return ranges;
}

void ScriptTextLayout::draw(QPainter *painter, const PaintContext &context)
{
    if (!hasPage() || m_blocks.empty())
        return;
    const QRectF clip = context.clip;
    if (clip.isValid())
        layOutThrough(clip.bottom());
    else
        completeLayout();
    bool ok = false;
    int cursorWidth = property("cursorWidth").toInt(&ok);
    if (!ok)
        cursorWidth = 1;

    const QPen pen = painter->pen();
    painter->setPen(context.palette.color(QPalette::Text));
    size_t index = clip.isValid() ? blockAt(clip.top()) : 0;
    for (QTextBlock block = document()->findBlockByNumber(int(index));
         block.isValid() && index < m_blocks.size(); block = block.next(), ++index) {
        if (clip.isValid() && m_blocks[index].top > clip.bottom())
            break;
        if (!m_blocks[index].laidOut)
            layOut(block, index);
        const Metrics &metrics = m_blocks[index];
        const QPointF origin(m_frame.left, metrics.top);
        QTextLayout *layout = block.layout();
        const QBrush background = block.blockFormat().background();
        if (background.style() != Qt::NoBrush)
            painter->fillRect(QRectF(origin, QSizeF(m_frame.textWidth(), metrics.height)),
                              background);
        layout->draw(painter, origin, selectionsIn(block, context), clip);

        const int position = block.position();
        const bool caretHere = context.cursorPosition >= position
                               && context.cursorPosition < position + block.length();
        const bool preeditHere
            = context.cursorPosition < -1 && !layout->preeditAreaText().isEmpty();
        if (caretHere || preeditHere) {
            const int caret = preeditHere
                                  ? layout->preeditAreaPosition() - (context.cursorPosition + 2)
                                  : context.cursorPosition - position;
            layout->drawCursor(painter, origin, caret, cursorWidth);
        }
    }
    painter->setPen(pen);
}

} // namespace veskel
