#include "VeskelApp/Timeline/ClipFrameCache.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <tuple>

namespace veskel::test {
namespace {

using Look = ClipFrameCache::Look;

QImage blank(double ratio)
{
    QImage image(int(260 * ratio), int(120 * ratio), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(0xEC, 0xEC, 0xEC));
    return image;
}

int largestChannelDifference(const QImage &a, const QImage &b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

// A frame stretched to a clip shows what drawing the clip's own shape shows: corners, the
// border on all four sides, the translucent body over what lies beneath.
class ClipFrameTest : public testing::TestWithParam<std::tuple<Look, double, double>>
{
};

TEST_P(ClipFrameTest, AStretchedFrameLooksLikeTheShapeDrawnInPlace)
{
    const auto [look, width, ratio] = GetParam();
    const QRectF clip(17, 20, width, 92);

    QImage direct = blank(ratio);
    {
        QPainter painter(&direct);
        painter.setRenderHint(QPainter::Antialiasing);
        ClipFrameCache::paintShape(painter, clip, look);
    }
    ClipFrameCache cache;
    QImage framed = blank(ratio);
    for (int pass = 0; pass < 2; ++pass) { // the second draw comes from the cache
        framed = blank(ratio);
        QPainter painter(&framed);
        painter.setRenderHint(QPainter::Antialiasing);
        ASSERT_TRUE(cache.draw(painter, clip, look));
    }
    EXPECT_LE(largestChannelDifference(direct, framed), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Looks,
    ClipFrameTest,
    testing::Combine(
        testing::Values(Look{QColor(120, 80, 200, 26), QColor(0, 0, 0, 28), 1, 5, {}},
                        Look{QColor(120, 80, 200, 41), QColor(30, 110, 230), 2.5, 5, {}},
                        Look{QColor(20, 160, 90, 41), QColor(30, 110, 230, 140), 2, 5, {}}),
        testing::Values(15.0, 40.0, 230.0),
        testing::Values(1.0, 2.0)));

// Corners that do not fit, or dashes that a stretch would smear, are the caller's to draw.
TEST(ClipFrameCacheTest, NarrowOrDashedClipsAreLeftToTheCaller)
{
    ClipFrameCache cache;
    QImage image = blank(1);
    const QImage before = image;
    QPainter painter(&image);
    EXPECT_FALSE(cache.draw(painter, QRectF(10, 20, 12, 92), Look{Qt::red, Qt::black, 1, 5, {}}));
    EXPECT_FALSE(
        cache.draw(painter, QRectF(10, 20, 200, 92), Look{Qt::red, Qt::black, 1, 4, {5, 4}}));
    painter.end();
    EXPECT_EQ(image, before);
}

} // namespace
} // namespace veskel::test
