#include "VeskelApp/Export/ExportHeadline.h"

#include "VeskelApp/Icons/IconProvider.h"

#include <QHBoxLayout>
#include <QLabel>

namespace veskel {

QWidget *exportHeadline(const QString &symbolName, const QColor &color, const QString &text)
{
    auto *headline = new QWidget;
    auto *row = new QHBoxLayout(headline);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    auto *symbol = new QLabel;
    symbol->setPixmap(IconProvider::icon(symbolName, color).pixmap(28, 28));
    row->addWidget(symbol);
    auto *label = new QLabel(text);
    label->setObjectName(QStringLiteral("headline"));
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 1.2);
    font.setWeight(QFont::DemiBold);
    label->setFont(font);
    row->addWidget(label, 1);
    return headline;
}

} // namespace veskel
