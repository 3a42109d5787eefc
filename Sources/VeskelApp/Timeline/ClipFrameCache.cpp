#include "VeskelApp/Timeline/ClipFrameCache.h"

#include <QPainter>
#include <QRectF>

#include <algorithm>
#include <cmath>

namespace veskel {

namespace {

// Looks change with selection, type and palette: a few dozen at most; past that the old ones go.
constexpr qsizetype maximumFrames = 64;

// Slivers of clips (a long film on a narrow window) are plain rectangles: cheaper, and the
// corners would not show.
void drawRounded(QPainter &painter, const QRectF &rect, double radius)
{
    if (rect.width() > 2 * radius)
        painter.drawRoundedRect(rect, radius, radius);
    else
        painter.drawRect(rect);
}

} // namespace

void ClipFrameCache::paintShape(QPainter &painter, const QRectF &rect, const Look &look)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(look.fill);
    drawRounded(painter, rect, look.radius);
    const double half = look.borderWidth / 2;
    QPen pen(look.border, look.borderWidth);
    if (!look.dashes.isEmpty())
        pen.setDashPattern(look.dashes);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    drawRounded(painter, rect.adjusted(half, half, -half, -half),
                std::max(look.radius - half, 0.0));
}

int ClipFrameCache::capWidth(const Look &look)
{
    return int(std::ceil(std::max(look.radius, look.borderWidth))) + 1;
}

bool ClipFrameCache::draw(QPainter &painter, const QRectF &rect, const Look &look)
{
    const int left = int(std::lround(rect.left()));
    const int right = int(std::lround(rect.right()));
    const int top = int(std::lround(rect.top()));
    const int height = int(std::lround(rect.height()));
    if (!look.dashes.isEmpty())
        return false;
    const int cap = capWidth(look);
    const int middle = right - left - 2 * cap;
    if (middle < 1 || height < 2 * cap)
        return false;
    const double ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QPixmap pixmap = frame(look, height, ratio);
    const double capPixels = cap * ratio;
    const double heightPixels = pixmap.height();
    painter.drawPixmap(QRectF(left, top, cap, height), pixmap,
                       QRectF(0, 0, capPixels, heightPixels));
    painter.drawPixmap(QRectF(left + cap, top, middle, height), pixmap,
                       QRectF(capPixels, 0, 1, heightPixels));
    painter.drawPixmap(QRectF(right - cap, top, cap, height), pixmap,
                       QRectF(pixmap.width() - capPixels, 0, capPixels, heightPixels));
    return true;
}

QPixmap ClipFrameCache::frame(const Look &look, int height, double pixelRatio)
{
    const FrameKey key{.fill = look.fill.rgba(),
                       .border = look.border.rgba(),
                       .borderWidth = look.borderWidth,
                       .radius = look.radius,
                       .height = height,
                       .pixelRatio = pixelRatio};
    const auto found = m_frames.constFind(key);
    if (found != m_frames.constEnd())
        return *found;

    // Two caps and one stretchable column between them, each in whole device pixels.
    const int cap = capWidth(look);
    QPixmap pixmap(int(std::ceil(2 * cap * pixelRatio)) + 1, int(std::ceil(height * pixelRatio)));
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        paintShape(painter, QRectF(QPointF(0, 0), pixmap.deviceIndependentSize()), look);
    }
    if (m_frames.size() >= maximumFrames)
        m_frames.clear();
    m_frames.insert(key, pixmap);
    return pixmap;
}

} // namespace veskel
