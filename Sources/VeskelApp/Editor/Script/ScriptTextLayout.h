#pragma once

#include <QAbstractTextDocumentLayout>
#include <QSizeF>
#include <QTextLayout>
#include <QTimer>

#include <functional>
#include <limits>
#include <vector>

namespace veskel {

// The script view's document layout: a column of blocks, one after the other, as Qt's own
// layout places a plain document, with block margins (collapsed between neighbours), line
// heights, indents and the root frame's margins.
//
// Qt's layout walks every block after an edit to move it, so a keystroke costs what the script
// is long. This one keeps each block's height and top in arrays: an edit lays out the blocks it
// touched and moves the rest by arithmetic. A script given whole is laid out down to what is
// drawn or asked for, the rest a slice at a time while the event loop is idle (until then its
// height is estimated), so a long script opens at once.
class ScriptTextLayout : public QAbstractTextDocumentLayout
{
    Q_OBJECT

public:
    static constexpr int idleSliceMs = 8;

    explicit ScriptTextLayout(QTextDocument *document);

    void draw(QPainter *painter, const PaintContext &context) override;
    int hitTest(const QPointF &point, Qt::HitTestAccuracy accuracy) const override;
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame *frame) const override;
    QRectF blockBoundingRect(const QTextBlock &block) const override;

    // Whether every block is laid out, none estimated.
    bool isComplete() const { return m_exactUpTo >= m_blocks.size(); }
    void completeLayout() const;
    // Lays out everything down to `y` and tells the size at once, so that a scroll position
    // down there holds (estimates below could make the document look shorter).
    void showThrough(double y);

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    struct Metrics
    {
        double top = 0; // of the first line, valid below m_topsValidUpTo
        double height = 0;
        double topMargin = 0;
        double bottomMargin = 0;
        bool laidOut = false;
    };

    struct Frame
    {
        double left = 0;
        double top = 0;
        double right = 0;
        double bottom = 0;
        double pageWidth = 0;

        double textWidth() const { return pageWidth - left - right; }
        bool operator==(const Frame &) const = default;
    };

    bool hasPage() const;
    Frame readFrame() const;
    void resetAll();
    Metrics estimate(const QTextBlock &block) const;
    void layOut(const QTextBlock &block, size_t index) const;
    // Extends the laid-out run at the top while `goOn` says so for the next block. Every
    // block in that run stands where it will stay; below it heights may be estimates.
    void layOutWhile(const std::function<bool(size_t index, double top)> &goOn) const;
    void layOutThrough(double y) const;
    void layOutBefore(size_t index) const;
    void layOutIdleSlice();
    void startIdleLayout();
    void replaceBlocks(const QTextBlock &first, size_t index, size_t oldSpan, size_t span);
    // Brings the tops of the blocks before `upTo` (all by default) up to date.
    void updateTops(size_t upTo = std::numeric_limits<size_t>::max()) const;
    size_t blockAt(double y) const;
    double contentBottom() const;
    void scheduleSizeReport() const;
    void reportSize();
    QList<QTextLayout::FormatRange> selectionsIn(const QTextBlock &block,
                                                 const PaintContext &context) const;

    mutable std::vector<Metrics> m_blocks;
    // Every block before this index is laid out.
    mutable size_t m_exactUpTo = 0;
    mutable size_t m_topsValidUpTo = 0;
    Frame m_frame;
    double m_averageCharWidth = 8;
    double m_estimatedLineHeight = 20;
    QSizeF m_reportedSize;
    QTimer m_idle;
    mutable QTimer m_sizeReport;
};

} // namespace veskel
