#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QPixmap>

class QPainter;
class QRectF;

namespace veskel {

// The body and border of scene clips, drawn once per look and stretched to each clip's width.
// Qt's raster engine splits any antialiased shape as tall as a clip across its thread pool, which
// costs more than the drawing; a drawn frame is three plain image copies instead.
class ClipFrameCache
{
public:
    struct Look
    {
        QColor fill;
        QColor border;
        double borderWidth = 1;
        double radius = 0;
        // Dashes and gaps in border widths; none for a solid border. Framed looks are solid.
        QList<qreal> dashes;
    };

    // Draws the frame into `rect`, its edges on whole pixels. False when the clip is too narrow
    // for the frame's corners: the caller draws the shape itself.
    bool draw(QPainter &painter, const QRectF &rect, const Look &look);

    // Fills `rect` and strokes the border inside its edge: the frame's picture.
    static void paintShape(QPainter &painter, const QRectF &rect, const Look &look);

private:
    // Each side of a frame keeps its corners and border whole.
    static int capWidth(const Look &look);
    QPixmap frame(const Look &look, int height, double pixelRatio);

    struct FrameKey
    {
        QRgb fill = 0;
        QRgb border = 0;
        double borderWidth = 0;
        double radius = 0;
        int height = 0;
        double pixelRatio = 1;
        bool operator==(const FrameKey &) const = default;
        friend size_t qHash(const FrameKey &key, size_t seed = 0)
        {
            return qHashMulti(seed, key.fill, key.border, key.borderWidth, key.radius, key.height,
                              key.pixelRatio);
        }
    };

    QHash<FrameKey, QPixmap> m_frames;
};

} // namespace veskel
