#include "CardRenderer/PNGEncoder.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <functional>

namespace veskel {
namespace {

struct EncoderCase
{
    const char *name;
    std::function<QImage()> make;
};

QImage noise(int width, int height, QImage::Format format, quint32 seed)
{
    QImage image(width, height, format);
    QRandomGenerator random(seed);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = random.generate();
    }
    return image;
}

QImage drawing(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(245, 245, 240));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(30, 30, 30));
    for (int i = 0; i < 40; ++i)
        painter.drawEllipse(QPointF(37.0 * i, 11.0 * i), 9.5, 4.5);
    painter.fillRect(QRect(width / 2, 0, width / 3, height), QColor(90, 160, 220));
    return image;
}

class PNGEncoderTest : public ::testing::TestWithParam<EncoderCase>
{
};

TEST_P(PNGEncoderTest, decodesToTheSamePixels)
{
    const QImage source = GetParam().make();
    const QByteArray png = PNGEncoder::encode(source);
    ASSERT_TRUE(png.startsWith("\x89PNG\r\n\x1A\n"));
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(png, "png"));
    ASSERT_EQ(decoded.size(), source.size());
    // Opaque images are written as RGB.
    EXPECT_EQ(decoded.hasAlphaChannel(), source.hasAlphaChannel());
    EXPECT_EQ(decoded.convertToFormat(QImage::Format_ARGB32),
              source.convertToFormat(QImage::Format_ARGB32));
}

INSTANTIATE_TEST_SUITE_P(
    Images,
    PNGEncoderTest,
    ::testing::Values(
        EncoderCase{"onePixel", [] { return noise(1, 1, QImage::Format_ARGB32, 1); }},
        EncoderCase{"flatCard",
                    [] {
                        QImage image(1920, 1080, QImage::Format_ARGB32_Premultiplied);
                        image.fill(QColor(245, 245, 240));
                        return image;
                    }},
        EncoderCase{"drawing", [] { return drawing(1500, 700); }},
        // Opaque, as cards are: most rows repeat the one above and are declared zeros.
        EncoderCase{"opaqueDrawing",
                    [] { return drawing(1500, 700).convertToFormat(QImage::Format_RGB32); }},
        // Noise leaves nothing to match: every block is all literals.
        EncoderCase{"noise", [] { return noise(300, 200, QImage::Format_ARGB32, 7); }},
        EncoderCase{"translucentPremultiplied",
                    [] {
                        return noise(64, 64, QImage::Format_ARGB32, 3)
                            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
                    }},
        EncoderCase{"opaqueWithoutAlpha", [] { return noise(33, 17, QImage::Format_RGB32, 5); }},
        // Opaque rows are filtered four pixels a step while a step's store fits in the row:
        // a row of exactly one step, and one too short for any.
        EncoderCase{"opaqueOneStep", [] { return noise(6, 9, QImage::Format_RGB32, 13); }},
        EncoderCase{"opaqueNoStep", [] { return noise(5, 9, QImage::Format_RGB32, 17); }},
        EncoderCase{"otherFormat",
                    [] { return drawing(120, 90).convertToFormat(QImage::Format_RGB888); }},
        // Translucent rows between opaque ones: each is filtered against the row above as
        // it is written, unpremultiplied or not.
        EncoderCase{"partlyTranslucent",
                    [] {
                        QImage image = drawing(200, 60);
                        QPainter painter(&image);
                        painter.fillRect(QRect(0, 20, 200, 10), QColor(200, 40, 40, 90));
                        painter.setCompositionMode(QPainter::CompositionMode_Source);
                        painter.fillRect(QRect(50, 40, 100, 3), QColor(0, 90, 200, 30));
                        return image;
                    }},
        // Rows wider than the 32 KiB window, and a single tall column.
        EncoderCase{"wideRows", [] { return drawing(9000, 6); }},
        // Rows longer than the compressor's buffer.
        EncoderCase{"rowsLongerThanTheBuffer", [] { return drawing(80000, 4); }},
        EncoderCase{"column", [] { return noise(1, 3000, QImage::Format_ARGB32, 11); }}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PNGEncoder, nullImageGivesNothing)
{
    EXPECT_TRUE(PNGEncoder::encode(QImage()).isEmpty());
}

TEST(PNGEncoder, writesNoAncillaryChunks)
{
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(Qt::red);
    image.setDotsPerMeterX(5000);
    image.setText(QStringLiteral("Comment"), QStringLiteral("x"));
    const QByteArray png = PNGEncoder::encode(image);
    // Chunk types follow the 8-byte signature: IHDR, then only IDAT and IEND.
    EXPECT_EQ(png.mid(12, 4), QByteArray("IHDR"));
    EXPECT_FALSE(png.contains("pHYs"));
    EXPECT_FALSE(png.contains("tEXt"));
    EXPECT_TRUE(png.endsWith(QByteArray("IEND\xAE\x42\x60\x82", 8)));
}

} // namespace
} // namespace veskel
