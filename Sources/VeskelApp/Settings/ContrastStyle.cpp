#include "VeskelApp/Settings/ContrastStyle.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace veskel {

ContrastStyle::ContrastStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

void ContrastStyle::drawPrimitive(PrimitiveElement element,
                                  const QStyleOption *option,
                                  QPainter *painter,
                                  const QWidget *widget) const
{
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    const bool indicator = element == PE_IndicatorCheckBox || element == PE_IndicatorRadioButton;
    if (!indicator || option->palette.color(QPalette::Window).lightness() >= 128)
        return;
    QColor outline = option->palette.color(QPalette::WindowText);
    outline.setAlphaF((option->state & State_Enabled) ? 0.55f : 0.25f);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(outline, 1));
    painter->setBrush(Qt::NoBrush);
    const QRectF box = QRectF(option->rect).adjusted(0.5, 0.5, -1.5, -1.5);
    if (element == PE_IndicatorRadioButton)
        painter->drawEllipse(box.adjusted(0.5, 0.5, 0, 0));
    else
        painter->drawRoundedRect(box, 2, 2);
    painter->restore();
}

} // namespace veskel
