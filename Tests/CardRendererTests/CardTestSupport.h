#pragma once

#include "CardRenderer/CardRenderInput.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

namespace veskel::test {

// The card background, red 0.96, green 0.96, blue 0.94.
inline const QColor cardBackground(245, 245, 240);

CardRenderInput cardInput(int width, int height);

// Smallest rectangle holding every pixel of `area` that is not the card background.
QRect inkBounds(const QImage &image, const QRect &area);
inline QRect inkBounds(const QImage &image)
{
    return inkBounds(image, image.rect());
}

// A fresh folder under the test sandbox.
QString makeTemporaryFolder();

} // namespace veskel::test
