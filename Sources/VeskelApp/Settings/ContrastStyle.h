#pragma once

#include <QProxyStyle>

namespace veskel {

// Fusion as the forced light and dark appearances use it, with check boxes and radio buttons
// whose outline stands out from a dark window: Fusion derives it from the window colour, which
// leaves it nearly invisible there.
class ContrastStyle : public QProxyStyle
{
    Q_OBJECT

public:
    ContrastStyle();

    void drawPrimitive(PrimitiveElement element,
                       const QStyleOption *option,
                       QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};

} // namespace veskel
