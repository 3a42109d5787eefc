#include "VeskelApp/Icons/SymbolIconEngine.h"

#include "VeskelApp/Icons/IconProvider.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace veskel {

SymbolIconEngine::SymbolIconEngine(QString symbolName, std::optional<QColor> tint)
    : m_symbolName(std::move(symbolName))
    , m_tint(tint)
{
}

QColor SymbolIconEngine::colorFor(QIcon::Mode mode) const
{
    const QPalette palette = QGuiApplication::palette();
    if (m_tint) {
        QColor color = *m_tint;
        if (mode == QIcon::Disabled)
            color.setAlphaF(color.alphaF() * 0.35f);
        return color;
    }
    switch (mode) {
    case QIcon::Disabled:
        return palette.color(QPalette::Disabled, QPalette::WindowText);
    case QIcon::Selected:
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    case QIcon::Normal:
    case QIcon::Active:
        break;
    }
    return palette.color(QPalette::Active, QPalette::WindowText);
}

void SymbolIconEngine::paint(QPainter *painter,
                             const QRect &rect,
                             QIcon::Mode mode,
                             QIcon::State /*state*/)
{
    IconProvider::paint(*painter, QRectF(rect), m_symbolName, colorFor(mode));
}

QPixmap SymbolIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return scaledPixmap(size, mode, state, 1.0);
}

QPixmap
SymbolIconEngine::scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale)
{
    const QSize pixels = (QSizeF(size) * scale).toSize();
    if (pixels.isEmpty())
        return {};
    QPixmap result(pixels);
    result.fill(Qt::transparent);
    {
        QPainter painter(&result);
        paint(&painter, QRect(QPoint(0, 0), pixels), mode, state);
    }
    result.setDevicePixelRatio(scale);
    return result;
}

QIconEngine *SymbolIconEngine::clone() const
{
    return new SymbolIconEngine(m_symbolName, m_tint);
}

QString SymbolIconEngine::key() const
{
    return QStringLiteral("VeskelSymbol");
}

} // namespace veskel
