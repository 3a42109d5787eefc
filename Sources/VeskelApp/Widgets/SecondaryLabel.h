#pragma once

#include <QString>

class QLabel;

namespace veskel {

// A label in the secondary text colour, its font scaled (0.85 for small captions).
QLabel *secondaryLabel(const QString &text, qreal fontScale = 1.0);

} // namespace veskel
