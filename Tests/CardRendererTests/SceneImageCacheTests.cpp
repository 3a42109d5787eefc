#include "CardRenderer/SceneImageCache.h"
#include "CardRenderer/SceneImageLoader.h"

#include "CardTestSupport.h"
#include "Support/TestSupport.h"

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace veskel {
namespace {

QImage photo()
{
    QImage image(900, 600, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 900, 600);
    gradient.setColorAt(0, QColor(40, 90, 200));
    gradient.setColorAt(1, QColor(230, 120, 40));
    painter.fillRect(image.rect(), gradient);
    return image;
}

// A reference file of each kind, as an export's cards (320 px) and storyboard (a smaller box)
// ask for it.
struct Reference
{
    const char *fileName;
    SceneImage::MimeType type;
};

class SceneImageCacheTest : public ::testing::TestWithParam<Reference>
{
protected:
    void SetUp() override
    {
        path = QDir(test::makeTemporaryFolder()).filePath(QString::fromLatin1(GetParam().fileName));
        switch (GetParam().type) {
        case SceneImage::MimeType::svg:
            test::writeBytes(path,
                             R"(<svg xmlns="http://www.w3.org/2000/svg" width="90" height="60">
                <circle cx="45" cy="30" r="25" fill="#f0a020"/></svg>)");
            break;
        case SceneImage::MimeType::pdf: {
            QPdfWriter writer(path);
            writer.setPageSize(QPageSize(QPageSize::A6));
            QPainter painter(&writer);
            painter.drawImage(QRect(0, 0, writer.width(), writer.height()), photo());
            break;
        }
        default:
            ASSERT_TRUE(photo().save(path));
        }
    }

    std::optional<QImage> fromLoader(QSizeF cover) const
    {
        return SceneImageLoader::load(path, GetParam().type, cover);
    }

    static constexpr QSizeF card{320, 320};
    static constexpr QSizeF storyboard{250, 190};
    QString path;
};

TEST_P(SceneImageCacheTest, givesWhatTheLoaderGivesAtEachSize)
{
    SceneImageCache cache;
    for (const QSizeF cover : {card, storyboard, card}) {
        const auto image = cache.load(path, GetParam().type, cover);
        ASSERT_TRUE(image.has_value());
        EXPECT_EQ(*image, *fromLoader(cover)) << cover.width();
    }
}

TEST_P(SceneImageCacheTest, threadsAskingAtOnceAllGetTheImage)
{
    SceneImageCache cache;
    std::vector<std::optional<QImage>> images(6);
    {
        std::vector<std::jthread> threads;
        for (size_t i = 0; i < images.size(); ++i)
            threads.emplace_back([&, i] { images[i] = cache.load(path, GetParam().type, card); });
    }
    const auto expected = fromLoader(card);
    for (const auto &image : images)
        EXPECT_TRUE(image.has_value() && *image == *expected);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds,
    SceneImageCacheTest,
    ::testing::Values(Reference{"photo.png", SceneImage::MimeType::png},
                      Reference{"photo.jpg", SceneImage::MimeType::jpeg},
                      Reference{"diagram.svg", SceneImage::MimeType::svg},
                      Reference{"slide.pdf", SceneImage::MimeType::pdf}),
    [](const auto &info) {
        return QString::fromLatin1(info.param.fileName).section(u'.', 1).toStdString();
    });

// The storyboard takes the cards' decoding of a reference image instead of its own only when
// that decoding can be scaled down to fit its box: its pictures are never blurrier for it.
struct SharedCover
{
    const char *name;
    QSize image;
    QSizeF box;
    QSizeF cardCover;
};

class CoverServingTest : public ::testing::TestWithParam<SharedCover>
{
};

TEST_P(CoverServingTest, theDecodingServedFillsTheBox)
{
    const SharedCover &param = GetParam();
    const QString path = QDir(test::makeTemporaryFolder()).filePath(QStringLiteral("image.png"));
    QImage image(param.image, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(path));

    const QSizeF cover = SceneImageLoader::coverServing(param.box, param.cardCover);
    const SceneImageDecoding decoding
        = SceneImageLoader::decoding(path, SceneImage::MimeType::png, cover);
    const QSize decoded = decoding.scaledSize.isValid() ? decoding.scaledSize : param.image;
    const QSizeF fitted = QSizeF(param.image).scaled(param.box, Qt::KeepAspectRatio);
    EXPECT_GE(decoded.width(), std::min<qreal>(fitted.width(), param.image.width()) - 0.5);
    EXPECT_GE(decoded.height(), std::min<qreal>(fitted.height(), param.image.height()) - 0.5);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes,
    CoverServingTest,
    ::testing::Values(
        // An HD export's storyboard box and card: shared.
        SharedCover{"landscapeInTheHDBox", {1600, 1000}, {490, 275}, {320, 320}},
        SharedCover{"portraitInTheHDBox", {800, 1200}, {490, 275}, {320, 320}},
        SharedCover{"panoramaInTheHDBox", {3000, 400}, {490, 275}, {320, 320}},
        SharedCover{"tallStripInTheHDBox", {300, 2400}, {490, 275}, {320, 320}},
        // A vertical video's narrow box, and a small card's too small cover.
        SharedCover{"landscapeInAVerticalBox", {1600, 1000}, {109, 194}, {320, 320}},
        SharedCover{"squareWithASmallCard", {1000, 1000}, {490, 275}, {107, 107}},
        SharedCover{"smallImage", {120, 80}, {490, 275}, {320, 320}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CoverServing, anHDExportsStoryboardSharesTheCardsDecoding)
{
    EXPECT_EQ(SceneImageLoader::coverServing({490, 275}, {320, 320}), QSizeF(320, 320));
    EXPECT_EQ(SceneImageLoader::coverServing({490, 275}, {107, 107}), QSizeF(490, 275));
    EXPECT_EQ(SceneImageLoader::coverServing({490, 275}, {}), QSizeF(490, 275));
}

// A PDF page is rendered at one size for any cover, so a card and the storyboard share one
// rendering; after both had it, or when it does not fit the budget, it is not held.
TEST(SceneImageCache, sharesOneDecodingBetweenTwoAskersAndThenLetsItGo)
{
    const QString path = QDir(test::makeTemporaryFolder()).filePath(QStringLiteral("slide.pdf"));
    {
        QPdfWriter writer(path);
        QPainter painter(&writer);
        painter.fillRect(QRect(0, 0, writer.width() / 2, writer.height()), Qt::blue);
    }
    const auto bits
        = [](const std::optional<QImage> &image) { return image ? image->constBits() : nullptr; };
    constexpr auto pdf = SceneImage::MimeType::pdf;

    SceneImageCache cache;
    const auto first = cache.load(path, pdf, QSizeF(320, 320));
    const auto second = cache.load(path, pdf, QSizeF(250, 190));
    const auto third = cache.load(path, pdf, QSizeF(320, 320));
    ASSERT_TRUE(first && second && third);
    EXPECT_EQ(bits(first), bits(second));
    EXPECT_NE(bits(second), bits(third));

    SceneImageCache tooSmall(1000);
    const auto alone = tooSmall.load(path, pdf, QSizeF(320, 320));
    const auto again = tooSmall.load(path, pdf, QSizeF(320, 320));
    EXPECT_NE(bits(alone), bits(again));
    EXPECT_EQ(*alone, *again);
}

} // namespace
} // namespace veskel
