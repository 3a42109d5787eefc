#pragma once

#include <QColor>
#include <QIcon>
#include <QString>
#include <QStringList>

#include <optional>

class QPainter;
class QRectF;

namespace veskel {

// The interface's symbols: small line icons bundled as SVG and looked up by the platform symbol
// names the interface speaks of ("film.stack", "exclamationmark.triangle.fill", …). An icon
// without a tint takes the palette's text colour at paint time, so it follows a switch between
// light and dark; a tinted one keeps its colour (type colours, the orange warning sign).
namespace IconProvider {

bool hasSymbol(const QString &symbolName);
// Every bundled symbol name, sorted.
QStringList symbolNames();

// An unknown name gives a null icon.
QIcon icon(const QString &symbolName, std::optional<QColor> tint = std::nullopt);

// Draws the symbol into the square centred in `rect`; nothing for an unknown name.
void paint(QPainter &painter, const QRectF &rect, const QString &symbolName, const QColor &color);

} // namespace IconProvider

} // namespace veskel
