#include "CardRenderer/CardFileNaming.h"
#include "CardRenderer/PNGCardRenderer.h"

#include "CardTestSupport.h"
#include "Support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <thread>

namespace veskel {
namespace {

using test::cardBackground;
using test::cardInput;
using test::inkBounds;

QImage render(const CardRenderInput &input)
{
    const auto image = PNGCardRenderer().renderImage(input);
    EXPECT_TRUE(image.has_value());
    return image.value_or(QImage()).convertToFormat(QImage::Format_RGB32);
}

// ----- size, scale and where things go -------------------------------------------------------

struct CardSize
{
    int width;
    int height;
    double scale;
};

class CardGeometryTest : public ::testing::TestWithParam<CardSize>
{
};

TEST_P(CardGeometryTest, fillsTheFrameAndKeepsTextInsideTheContentBox)
{
    const auto [width, height, scale] = GetParam();
    const QImage card = render(cardInput(width, height));
    ASSERT_EQ(card.size(), QSize(width, height));
    EXPECT_EQ(card.pixelColor(0, 0), cardBackground);
    EXPECT_EQ(card.pixelColor(width - 1, height - 1), cardBackground);

    const double margin = 120 * scale;
    const QRect ink = inkBounds(card);
    EXPECT_GE(ink.left(), margin);
    EXPECT_GE(ink.top(), margin);
    EXPECT_LT(ink.right(), width - margin);
    EXPECT_LT(ink.bottom(), height - margin);
    // The type line hangs from the content box's top edge; the title line stands on its
    // bottom edge (its descenders reach close to it).
    EXPECT_LT(ink.top(), margin + 12 * scale);
    EXPECT_GT(ink.bottom(), height - margin - 16 * scale);
}

INSTANTIATE_TEST_SUITE_P(Formats,
                         CardGeometryTest,
                         // 4K is held to twice the HD card below.
                         ::testing::Values(CardSize{1920, 1080, 1.0},
                                           CardSize{1080, 1920, 1.0},
                                           CardSize{1280, 720, 720 / 1080.0}));

TEST(CardScale, fourKCardIsTheHDCardAtTwiceTheSize)
{
    const QRect hd = inkBounds(render(cardInput(1920, 1080)));
    const QRect uhd = inkBounds(render(cardInput(3840, 2160)));
    EXPECT_NEAR(uhd.left(), 2 * hd.left(), 3);
    EXPECT_NEAR(uhd.top(), 2 * hd.top(), 3);
    EXPECT_NEAR(uhd.right(), 2 * hd.right(), 6);
    EXPECT_NEAR(uhd.bottom(), 2 * hd.bottom(), 6);
}

TEST(CardSections, voiceoverSectionOnlyWhenItHasText)
{
    CardRenderInput blank = cardInput(1920, 1080);
    blank.scene.voiceoverText = QStringLiteral(" \n\t ");
    CardRenderInput empty = blank;
    empty.scene.voiceoverText.clear();
    EXPECT_EQ(render(blank), render(empty));
    EXPECT_NE(render(blank), render(cardInput(1920, 1080)));
}

TEST(CardSections, veryLongTextsStayBelowTheTypeLine)
{
    CardRenderInput input = cardInput(1920, 1080);
    const QString paragraph = QStringLiteral(
        "Каждая сцена получает свою карточку, and every card keeps its text inside the frame. ");
    input.scene.title = paragraph.repeated(3);
    input.scene.onScreenText = paragraph.repeated(20);
    input.scene.voiceoverText = paragraph.repeated(40);
    input.scene.productionNote = paragraph.repeated(20);
    const QImage card = render(input);
    const QRect ink = inkBounds(card);
    EXPECT_GE(ink.top(), 120);
    EXPECT_LT(ink.bottom(), 960);
    // Between the type line (about 32 px tall) and the last section there is clear space.
    EXPECT_TRUE(inkBounds(card, QRect(120, 152, 1680, 8)).isNull());
}

// Top to bottom, as an editor reads the card in a timeline: the type line, each section's label
// over its text in the order ON SCREEN, VOICEOVER, NOTE, then the meta line over the title.
TEST(CardSections, readFromTheTopWithEachLabelOverItsText)
{
    CardRenderInput input = cardInput(1920, 1080);
    input.scene.onScreenText = QStringLiteral("slide words");
    input.scene.voiceoverText = QStringLiteral("spoken words");
    input.scene.productionNote = QStringLiteral("note words");
    const auto blocks = PNGCardRenderer().textLayout(input);
    ASSERT_TRUE(blocks.has_value());
    QList<CardTextDrawer::DrawnBlock> fromTop = *blocks;
    std::ranges::sort(fromTop, {}, [](const auto &block) { return block.box.top(); });
    QStringList order;
    for (const auto &block : std::as_const(fromTop))
        order << block.text.section(u' ', 0, 0);
    EXPECT_EQ(order, QStringList({"TYPE:", "ON", "slide", "VOICEOVER", "spoken", "NOTE", "note",
                                  "Duration:", "Scene"}));
    for (qsizetype i = 1; i < fromTop.size(); ++i)
        EXPECT_LE(fromTop[i - 1].box.bottom(), fromTop[i].box.top()) << i;
}

// ----- the thumbnail -------------------------------------------------------------------------

class ThumbnailTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        media = test::makeTemporaryFolder();
        input = cardInput(1920, 1080);
        input.mediaBasePath = media;
    }

    void attach(const QString &localPath, SceneImage::MimeType type)
    {
        input.scene.image = SceneImage{QStringLiteral("5D1E0C0B-1111-4C4C-8F8F-0A0B0C0D0E0F"),
                                       QStringLiteral("reference"),
                                       localPath,
                                       type,
                                       100,
                                       100};
    }

    QString mediaFile(const QString &name) const { return QDir(media).filePath(name); }

    // The square's centre at 1920 × 1080: right and lower edges on the content box's.
    static constexpr QPoint centre{1800 - 160, 960 - 160};

    QString media;
    CardRenderInput input;
};

TEST_F(ThumbnailTest, fillsTheLowerRightSquareAndNarrowsEveryTextBlock)
{
    QImage red(40, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(mediaFile(QStringLiteral("scene.png"))));
    attach(QStringLiteral("scene.png"), SceneImage::MimeType::png);
    const QString words = QStringLiteral("words that would run across the whole width ");
    input.scene.onScreenText = words.repeated(12);
    input.scene.voiceoverText = words.repeated(30);
    input.scene.productionNote = words.repeated(12);

    const QImage card = render(input);
    EXPECT_EQ(card.pixelColor(centre), QColor(Qt::red));
    // A wide image is cropped to the square, not letterboxed.
    EXPECT_EQ(card.pixelColor(1480 + 2, 800), QColor(Qt::red));
    EXPECT_EQ(card.pixelColor(1800 + 3, 800), cardBackground);
    EXPECT_EQ(card.pixelColor(1640, 960 + 3), cardBackground);
    // No text in the 28 px gap beside the square, nor above it below the type line.
    EXPECT_TRUE(inkBounds(card, QRect(1452, 120, 27, 840)).isNull());
    EXPECT_TRUE(inkBounds(card, QRect(1452, 160, 348, 478)).isNull());
}

// A one-bit palette image is converted before it is scaled: scaled as it is, it comes out as a
// grey checker. The card is drawn at several sizes, as the timeline's thumbnails are.
TEST_F(ThumbnailTest, onePaletteBitImageIsScaledSmoothly)
{
    // One-pixel stripes: scaled down they are greys, never a pattern of black and white.
    QImage bits(400, 400, QImage::Format_Mono);
    bits.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    for (int y = 0; y < bits.height(); ++y) {
        for (int x = 0; x < bits.width(); ++x)
            bits.setPixel(x, y, x % 2);
    }
    ASSERT_TRUE(bits.save(mediaFile(QStringLiteral("bits.png"))));
    attach(QStringLiteral("bits.png"), SceneImage::MimeType::png);
    for (const int width : {1920, 480, 333}) {
        input.videoSettings.width = width;
        input.videoSettings.height = width * 9 / 16;
        const QImage card = render(input);
        const qreal s = std::min(card.width(), card.height()) / 1080.0;
        const QPoint middle(int(card.width() - 280 * s), int(card.height() - 280 * s));
        for (const QPoint &at : {middle, middle + QPoint(1, 0), middle + QPoint(0, 1)}) {
            const int grey = qGray(card.pixel(at));
            EXPECT_TRUE(grey > 16 && grey < 239) << width << ": " << grey;
        }
    }
}

TEST_F(ThumbnailTest, leftOutWhenTheProjectSaysSo)
{
    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(mediaFile(QStringLiteral("scene.png"))));
    attach(QStringLiteral("scene.png"), SceneImage::MimeType::png);
    input.includeUploadedImage = false;
    EXPECT_EQ(render(input).pixelColor(centre), cardBackground);
}

TEST_F(ThumbnailTest, pdfShowsItsFirstPage)
{
    {
        QPdfWriter writer(mediaFile(QStringLiteral("scene.pdf")));
        writer.setPageSize(QPageSize(QPageSize::A6));
        QPainter painter(&writer);
        painter.fillRect(QRect(0, 0, writer.width(), writer.height()), Qt::blue);
        writer.newPage();
        painter.fillRect(QRect(0, 0, writer.width(), writer.height()), Qt::red);
    }
    attach(QStringLiteral("scene.pdf"), SceneImage::MimeType::pdf);
    EXPECT_EQ(render(input).pixelColor(centre), QColor(Qt::blue));
}

TEST_F(ThumbnailTest, svgIsDrawn)
{
    test::writeBytes(mediaFile(QStringLiteral("scene.svg")),
                     R"(<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16">
                    <rect width="16" height="16" fill="#00ff00"/></svg>)");
    attach(QStringLiteral("scene.svg"), SceneImage::MimeType::svg);
    EXPECT_EQ(render(input).pixelColor(centre), QColor(0, 255, 0));
}

class UnusableImageTest : public ThumbnailTest, public ::testing::WithParamInterface<const char *>
{
};

TEST_P(UnusableImageTest, cardIsDrawnWithoutThumbnail)
{
    // A real image just outside the media folder must never be reached.
    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(QDir(media).filePath(QStringLiteral("../outside.png"))));
    test::writeBytes(mediaFile(QStringLiteral("broken.png")), "not an image at all");

    attach(QString::fromUtf8(GetParam()), SceneImage::MimeType::png);
    const auto card = PNGCardRenderer().renderImage(input);
    ASSERT_TRUE(card.has_value());
    EXPECT_EQ(card->pixelColor(centre), cardBackground);
}

INSTANTIATE_TEST_SUITE_P(References,
                         UnusableImageTest,
                         ::testing::Values("missing.png", "broken.png", "../outside.png", ""));

// ----- writing and failing -------------------------------------------------------------------

TEST(PNGCardRenderer, writesTheRenderedImageAndReplacesAnOldCard)
{
    const QString folder = test::makeTemporaryFolder();
    const QString path = QDir(folder).filePath(QStringLiteral("S003.png"));
    test::writeBytes(path, "an older card");

    const CardRenderInput input = cardInput(1920, 1080);
    const auto result = PNGCardRenderer().renderCard(input, path);
    ASSERT_TRUE(result.has_value()) << result.error().description().toStdString();
    EXPECT_EQ(result->fileName, QStringLiteral("S003.png"));
    EXPECT_TRUE(result->warnings.isEmpty());
    const QImage written(path);
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), render(input));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("S003.png")});
}

TEST(PNGCardRenderer, cardsRenderedInParallelMatchOneAtATime)
{
    // One at a time, each card is drawn where the one before was, now and then at another
    // size: nothing of it may show through, also when a short card follows a long one.
    const std::array<QSize, 7> sizes{QSize(1280, 720), QSize(1280, 720), QSize(1920, 1080),
                                     QSize(640, 360),  QSize(640, 360),  QSize(1280, 720),
                                     QSize(1280, 720)};
    QList<CardRenderInput> inputs;
    for (int i = 0; i < 7; ++i) {
        const int length = i % 6;
        CardRenderInput input = cardInput(sizes[size_t(i)].width(), sizes[size_t(i)].height());
        input.scene.order = i;
        input.scene.title = QStringLiteral("Scene title %1 ").arg(i).repeated(length + 1);
        input.scene.voiceoverText = QStringLiteral("Voiceover words go on. ").repeated(length * 20);
        inputs.append(input);
    }
    const PNGCardRenderer renderer;
    const QString sequential = test::makeTemporaryFolder();
    const QString parallel = test::makeTemporaryFolder();
    for (const CardRenderInput &input : std::as_const(inputs))
        ASSERT_TRUE(renderer.renderCard(
            input, QDir(sequential).filePath(CardFileNaming::fileName(input.scene))));
    {
        std::vector<std::jthread> threads;
        for (const CardRenderInput &input : std::as_const(inputs)) {
            threads.emplace_back([&renderer, &parallel, input] {
                (void)renderer.renderCard(
                    input, QDir(parallel).filePath(CardFileNaming::fileName(input.scene)));
            });
        }
    }
    for (const CardRenderInput &input : std::as_const(inputs)) {
        const QString name = CardFileNaming::fileName(input.scene);
        const QByteArray one = test::readBytes(QDir(sequential).filePath(name));
        ASSERT_FALSE(one.isEmpty()) << name.toStdString();
        EXPECT_TRUE(one == test::readBytes(QDir(parallel).filePath(name))) << name.toStdString();
    }
}

struct BadSize
{
    int width;
    int height;
};

class InvalidDimensionsTest : public ::testing::TestWithParam<BadSize>
{
};

TEST_P(InvalidDimensionsTest, failsBeforeAnythingIsWritten)
{
    const QString path = QDir(test::makeTemporaryFolder()).filePath(QStringLiteral("S001.png"));
    const auto result
        = PNGCardRenderer().renderCard(cardInput(GetParam().width, GetParam().height), path);
    ASSERT_FALSE(result.has_value());
    EXPECT_EQ(result.error(), CardRenderError::invalidDimensions());
    EXPECT_EQ(result.error().description(),
              QStringLiteral("The video size is not a usable picture size."));
    EXPECT_FALSE(QFile::exists(path));
}

INSTANTIATE_TEST_SUITE_P(Sizes,
                         InvalidDimensionsTest,
                         ::testing::Values(BadSize{0, 1080},
                                           BadSize{1920, 0},
                                           BadSize{-1920, -1080}));

TEST(PNGCardRenderer, refusesARasterTooLargeToAllocate)
{
    const auto result = PNGCardRenderer().renderImage(cardInput(2'000'000'000, 1080));
    ASSERT_FALSE(result.has_value());
    EXPECT_EQ(result.error().description(), QStringLiteral("Could not create bitmap context."));
}

TEST(PNGCardRenderer, tinyCardStillRenders)
{
    const auto result = PNGCardRenderer().renderImage(cardInput(1, 1));
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->size(), QSize(1, 1));
}

TEST(PNGCardRenderer, unwritableDestinationPassesTheFileErrorOn)
{
    const QString path
        = QDir(test::makeTemporaryFolder()).filePath(QStringLiteral("no-such-folder/S001.png"));
    const auto result = PNGCardRenderer().renderCard(cardInput(320, 180), path);
    ASSERT_FALSE(result.has_value());
    EXPECT_EQ(result.error().kind, CardRenderError::Kind::fileWriteFailed);
    EXPECT_TRUE(result.error().description().contains(QStringLiteral("S001.png")));
}

// ----- file names ----------------------------------------------------------------------------

TEST(CardFileNaming, sceneNumberOnly)
{
    Scene scene;
    scene.title = QStringLiteral("Renamed: a/b");
    const std::pair<int, const char *> cases[]
        = {{0, "S001.png"}, {41, "S042.png"}, {999, "S1000.png"}};
    for (const auto &[order, name] : cases) {
        scene.order = order;
        EXPECT_EQ(CardFileNaming::fileName(scene), QLatin1StringView(name));
    }
}

} // namespace
} // namespace veskel
