#include "CardTestSupport.h"

#include "Support/TestSupport.h"

#include <QDir>
#include <QUuid>

#include <algorithm>
#include <climits>

namespace veskel::test {

CardRenderInput cardInput(int width, int height)
{
    CardRenderInput input;
    input.scene.id = QStringLiteral("0E5B2C1A-7D3F-4A59-9C1B-2F6E8D4A1B3C");
    input.scene.order = 2;
    input.scene.title = QStringLiteral("Opening");
    input.scene.durationSeconds = 12;
    input.scene.onScreenText = QStringLiteral("Three steps to a cleaner desk");
    input.scene.voiceoverText
        = QStringLiteral("Most of us lose ten minutes a day looking for things.");
    input.scene.productionNote = QStringLiteral("Warm light, slow push-in.");
    input.sceneIndex = 2;
    input.videoSettings.width = width;
    input.videoSettings.height = height;
    input.videoSettings.fps = 25;
    return input;
}

QRect inkBounds(const QImage &image, const QRect &area)
{
    const QRgb background = cardBackground.rgb();
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    const QRect clipped = area & pixels.rect();
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if (line[x] != background) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return left > right ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QString makeTemporaryFolder()
{
    const QString path = QDir(sandboxRoot())
                             .filePath(QStringLiteral("cards-")
                                       + QUuid::createUuid().toString(QUuid::WithoutBraces));
    QDir().mkpath(path);
    return path;
}

} // namespace veskel::test
