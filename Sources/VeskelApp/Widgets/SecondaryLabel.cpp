#include "VeskelApp/Widgets/SecondaryLabel.h"

#include <QLabel>

namespace veskel {

QLabel *secondaryLabel(const QString &text, qreal fontScale)
{
    auto *label = new QLabel(text);
    label->setForegroundRole(QPalette::PlaceholderText);
    if (fontScale != 1.0) {
        QFont font = label->font();
        font.setPointSizeF(font.pointSizeF() * fontScale);
        label->setFont(font);
    }
    return label;
}

} // namespace veskel
