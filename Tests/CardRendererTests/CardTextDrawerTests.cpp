#include "CardRenderer/CardFonts.h"
#include "CardRenderer/CardTextDrawer.h"

#include "CardTestSupport.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTextBoundaryFinder>

#include <gtest/gtest.h>

#include <memory>

namespace veskel {
namespace {

using test::inkBounds;

// A 1920 × 1080 canvas (s = 1) painted with the card background.
class CardTextDrawerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CardFonts::ensureRegistered());
        canvas = QImage(1920, 1080, QImage::Format_ARGB32_Premultiplied);
        canvas.setDotsPerMeterX(CardFonts::canvasDotsPerMeter);
        canvas.setDotsPerMeterY(CardFonts::canvasDotsPerMeter);
        canvas.fill(test::cardBackground);
        painter = std::make_unique<QPainter>(&canvas);
        drawer = std::make_unique<CardTextDrawer>(*painter, 1080, 1.0);
    }

    void TearDown() override
    {
        drawer.reset();
        painter.reset();
    }

    QImage drawnSection(const QString &text)
    {
        canvas.fill(test::cardBackground);
        drawer->drawSection(QStringLiteral("NOTE"), text, QPointF(120, 120), 800, 200);
        return canvas.copy();
    }

    // What shortening one character at a time gives; the drawer may search faster.
    CardTextDrawer::TruncatedText oneAtATime(const QString &text, qreal width, qreal maximum) const
    {
        const QFont font = drawer->bodyFont();
        if (drawer->measuredHeight(text, font, width) <= maximum)
            return {text, false};
        QList<qsizetype> ends;
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
        for (qsizetype p = finder.toNextBoundary(); p > 0; p = finder.toNextBoundary())
            ends.append(p);
        for (qsizetype kept = ends.size() - 1; kept > 0; --kept) {
            const QString candidate = text.left(ends[kept - 1]) + QChar(0x2026);
            if (drawer->measuredHeight(candidate, font, width) <= maximum)
                return {candidate, true};
        }
        return {QString(QChar(0x2026)), true};
    }

    QImage canvas;
    std::unique_ptr<QPainter> painter;
    std::unique_ptr<CardTextDrawer> drawer;
};

// The last step of the search: one character and the ellipsis is all the room there is.
TEST_F(CardTextDrawerTest, roomForOneCharacterAndTheEllipsisKeepsThatCharacter)
{
    const QFont font = drawer->bodyFont();
    const QString kept = QStringLiteral("W\u2026");
    const qreal width = QFontMetricsF(font).horizontalAdvance(kept) + 1;
    const qreal oneLine = drawer->measuredHeight(kept, font, width);
    const auto result = drawer->truncatedText(QStringLiteral("WWWWWWWW"), font, width, oneLine);
    EXPECT_EQ(result.text, kept);
    EXPECT_TRUE(result.truncated);
}

struct ShorteningCase
{
    const char *name;
    QString text;
    qreal width;
    qreal maximum;
};

class ShorteningTest : public CardTextDrawerTest,
                       public ::testing::WithParamInterface<ShorteningCase>
{
};

TEST_P(ShorteningTest, sameTextAsRemovingOneCharacterAtATime)
{
    const auto &param = GetParam();
    const auto expected = oneAtATime(param.text, param.width, param.maximum);
    const auto actual
        = drawer->truncatedText(param.text, drawer->bodyFont(), param.width, param.maximum);
    EXPECT_EQ(actual.text, expected.text);
    EXPECT_EQ(actual.truncated, expected.truncated);
}

INSTANTIATE_TEST_SUITE_P(
    Texts,
    ShorteningTest,
    ::testing::Values(
        ShorteningCase{"fitsUnshortened", QStringLiteral("Short"), 800, 200},
        ShorteningCase{"nothingFitsLeavesTheEllipsis", QStringLiteral("Some words"), 800, 5},
        ShorteningCase{"latin",
                       QStringLiteral("The quick brown fox jumps over the lazy dog. ").repeated(30),
                       700, 120},
        ShorteningCase{"cyrillic",
                       QStringLiteral("Съешь же ещё этих мягких французских булок, да выпей чаю. ")
                           .repeated(25),
                       500, 160},
        ShorteningCase{"oneLongWord", QStringLiteral("x").repeated(900), 300, 80},
        ShorteningCase{"lineBreaks", QStringLiteral("line\n").repeated(40), 900, 150},
        // Laid out as one character each, so the laid-out lines do not index this text.
        ShorteningCase{"windowsLineBreaks", QStringLiteral("line\r\n").repeated(40), 900, 150},
        ShorteningCase{"combiningMarks", QStringLiteral("e\u0301a\u0308 ").repeated(200), 400, 90},
        ShorteningCase{"emoji",
                       QStringLiteral("Ship it \U0001F680\U0001F44D\U0001F3FD ").repeated(60), 420,
                       120}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(CardTextDrawerTest, shortenedBodyStaysWithinItsMaximum)
{
    const QString longText = QStringLiteral("A sentence that keeps going. ").repeated(200);
    const auto section
        = drawer->drawSection(QStringLiteral("VOICEOVER"), longText, QPointF(120, 120), 800, 150);
    EXPECT_TRUE(section.truncated);
    // label (at most 1.5 × 20) + 5 + body (at most 150)
    EXPECT_LE(section.height, 30 + 5 + 150);
    EXPECT_GT(section.height, 30 + 5 + 150 - 40);
}

TEST_F(CardTextDrawerTest, emptyBodyReadsAsEmDash)
{
    const QImage dash = drawnSection(QStringLiteral("\u2014"));
    EXPECT_EQ(drawnSection(QString()), dash);
    EXPECT_EQ(drawnSection(QStringLiteral("  \n\t \n")), dash);
    EXPECT_NE(drawnSection(QStringLiteral("-")), dash);
}

TEST_F(CardTextDrawerTest, emptyTitleReadsAsUntitled)
{
    const QString meta = QStringLiteral("Duration: 02:00:00 \u00B7 TYPE: SUMMARY");
    drawer->drawHeader(QStringLiteral("001"), QString(), meta, QPointF(120, 120), 1680);
    const QImage empty = canvas.copy();
    canvas.fill(test::cardBackground);
    drawer->drawHeader(QStringLiteral("001"), QStringLiteral("Untitled"), meta, QPointF(120, 120),
                       1680);
    EXPECT_EQ(canvas, empty);
}

TEST_F(CardTextDrawerTest, blocksStackUpwardFromTheOrigin)
{
    // The frame's y grows upward: the title stands on the origin and the meta line sits
    // above it; a section's label is at the origin with its body above.
    const qreal height
        = drawer->drawHeader(QStringLiteral("001"), QStringLiteral("Title"),
                             QStringLiteral("Duration: 00:05"), QPointF(120, 120), 1680);
    const QRect header = inkBounds(canvas);
    EXPECT_LT(header.bottom(), 1080 - 120);
    EXPECT_GT(header.bottom(), 1080 - 120 - 16);
    EXPECT_NEAR(header.top(), 1080 - 120 - height, 12);
    const QRect title = inkBounds(canvas, QRect(0, 1080 - 120 - 64, 1920, 64));
    const QRect meta = inkBounds(canvas, QRect(0, 0, 1920, 1080 - 120 - 64));
    EXPECT_FALSE(title.isNull());
    EXPECT_FALSE(meta.isNull());
    EXPECT_LT(meta.height(), title.height());

    canvas.fill(test::cardBackground);
    drawer->drawSection(QStringLiteral("NOTE"), QStringLiteral("Body"), QPointF(120, 120), 800,
                        200);
    const QRect label = inkBounds(canvas, QRect(0, 1080 - 120 - 25, 1920, 25));
    const QRect body = inkBounds(canvas, QRect(0, 0, 1920, 1080 - 120 - 25));
    EXPECT_FALSE(label.isNull());
    EXPECT_FALSE(body.isNull());
    EXPECT_LT(body.bottom(), label.top());
}

} // namespace
} // namespace veskel
