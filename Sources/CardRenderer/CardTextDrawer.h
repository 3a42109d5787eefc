#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <memory>
#include <vector>

class QPainter;
class QTextLayout;

namespace veskel {

// Lays out and draws the text blocks of a card. Points and boxes are in the card's own frame:
// the origin is the lower-left corner and y grows upward. A block is drawn into a box
// (x, y, width, height); inside it the text is wrapped at word boundaries and runs from the
// box's top edge downward, and only whole lines that fit the box are drawn.
class CardTextDrawer
{
public:
    struct SectionResult
    {
        qreal height = 0;
        bool truncated = false;
    };

    // A block as drawn, its box in the canvas (y grows downward).
    struct DrawnBlock
    {
        QString text;
        QRectF box;
    };

    struct TruncatedText
    {
        QString text;
        bool truncated = false;
    };

    // `text` with every line end as the Unicode line separator, the only break QTextLayout
    // makes.
    static QString layoutText(const QString &text);

    // `painter` draws on a canvas `canvasHeight` pixels tall; `scale` is the card's s.
    CardTextDrawer(QPainter &painter, qreal canvasHeight, qreal scale);
    ~CardTextDrawer();

    // Title line ("Scene 001 · Title") with the meta line above it; returns the height used.
    qreal drawHeader(const QString &sceneNumber,
                     const QString &title,
                     const QString &metaLine,
                     QPointF origin,
                     qreal width) const;

    // Label over its body; an empty body reads "—" and a long one is shortened to
    // `maximumBodyHeight`.
    SectionResult drawSection(const QString &label,
                              const QString &text,
                              QPointF origin,
                              qreal width,
                              qreal maximumBodyHeight) const;

    // One unwrapped line whose box hangs from `top`; returns the line's height.
    qreal drawTypeLine(const QString &text, qreal x, qreal top, qreal width) const;

    // `text` when it fits `maximumHeight` at `width`; otherwise the longest run of its leading
    // user-perceived characters that fits with "…" appended, or "…" alone.
    TruncatedText
    truncatedText(const QString &text, const QFont &font, qreal width, qreal maximumHeight) const;

    // Height of `text` wrapped at `width`, with the card's line spacing.
    qreal measuredHeight(const QString &text, const QFont &font, qreal width) const;

    // The fonts of each block at this card's scale.
    QFont titleFont() const;
    QFont metaFont() const;
    QFont labelFont() const;
    QFont bodyFont() const;
    QFont typeLineFont() const;

    // Every block drawn so far, in drawing order.
    const QList<DrawnBlock> &drawnBlocks() const { return m_drawn; }

private:
    // Draws the whole lines of `text` that fit the box; `wrap` false keeps it on one line.
    void drawBlock(const QString &text,
                   const QFont &font,
                   const QColor &color,
                   QPointF origin,
                   qreal width,
                   qreal height,
                   bool wrap = true) const;

    // A text laid out at a width; measuring and drawing it again reuse the layout.
    struct LaidOut
    {
        QString text;
        QFont font;
        qreal width;
        bool wrap;
        std::unique_ptr<QTextLayout> layout;
        qreal height;
    };
    const LaidOut &laidOut(const QString &text, const QFont &font, qreal width, bool wrap) const;

    QPainter &m_painter;
    qreal m_canvasHeight;
    qreal m_scale;
    qreal m_lineSpacing;
    mutable QList<DrawnBlock> m_drawn;
    // Every text this card laid out: a block is measured before it is drawn, a shortened one
    // several times. Shaping is most of the cost of text.
    mutable std::vector<LaidOut> m_laidOut;
};

} // namespace veskel
