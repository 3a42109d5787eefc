#include "VeskelApp/Editor/ScriptMarkupTransform.h"
#include "VeskelApp/Icons/IconProvider.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>

namespace veskel::test {
namespace {

class SymbolTest : public ::testing::TestWithParam<const char *>
{
};

// Every symbol the interface names is bundled and draws visible strokes in the colour asked
// (filled symbols cut their marks out in white).
TEST_P(SymbolTest, IsBundledAndDrawsInTheGivenColour)
{
    const QString name = GetParam();
    ASSERT_TRUE(IconProvider::hasSymbol(name)) << name.toStdString();
    QImage image(24, 24, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        IconProvider::paint(painter, QRectF(0, 0, 24, 24), name, QColor(0, 0, 255));
    }
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() < 128)
                continue;
            const bool asked = pixel.blue() > pixel.red() + 60 && pixel.blue() > pixel.green() + 60;
            const bool cutOut = std::min({pixel.red(), pixel.green(), pixel.blue()}) > 150;
            EXPECT_TRUE(asked || cutOut) << name.toStdString();
            inked += asked;
        }
    }
    EXPECT_GT(inked, 12) << name.toStdString();
    EXPECT_FALSE(IconProvider::icon(name).isNull());
}

INSTANTIATE_TEST_SUITE_P(InterfaceSymbols,
                         SymbolTest,
                         ::testing::Values("film.stack",
                                           "gearshape",
                                           "square.and.arrow.up",
                                           "square.and.arrow.down",
                                           "exclamationmark.triangle.fill",
                                           "arrow.uturn.backward",
                                           "arrow.uturn.forward",
                                           "magnifyingglass",
                                           "list.clipboard",
                                           "flag.fill",
                                           "checklist",
                                           "bookmark.fill",
                                           "person.crop.rectangle",
                                           "sparkles.tv",
                                           "record.circle",
                                           "macwindow",
                                           "photo",
                                           "textformat",
                                           "list.bullet.rectangle",
                                           "rectangle.dashed",
                                           "clock",
                                           "clock.arrow.circlepath",
                                           "photo.badge.plus",
                                           "xmark.octagon.fill",
                                           "checkmark.circle.fill",
                                           "square.and.pencil",
                                           "waveform",
                                           "display",
                                           "arrow.2.squarepath",
                                           "chevron.up",
                                           "chevron.down",
                                           "folder",
                                           "folder.badge.plus",
                                           "arrow.up.arrow.down",
                                           "plus",
                                           "sidebar.left",
                                           "eye",
                                           "doc.badge.gearshape",
                                           "photo.stack",
                                           "tablecells",
                                           "arrow.counterclockwise.circle"));

TEST(IconProviderTest, AnUnknownNameGivesNoIcon)
{
    EXPECT_FALSE(IconProvider::hasSymbol("no.such.symbol"));
    EXPECT_TRUE(IconProvider::icon("no.such.symbol").isNull());
    EXPECT_FALSE(IconProvider::hasSymbol("../Icons.qrc"));
}

struct LineCase
{
    const char *line;
    const char *markup; // "heading" or a role's raw value
    const char *expected;

    friend void PrintTo(const LineCase &c, std::ostream *os)
    {
        *os << c.markup << " on \"" << c.line << '"';
    }
};

class MarkupLineTest : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(MarkupLineTest, TransformsOneLine)
{
    const auto kind = MarkupCommand::kindNamed(GetParam().markup);
    ASSERT_TRUE(kind.has_value());
    EXPECT_EQ(ScriptMarkupTransform::transformLine(GetParam().line, *kind), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Lines,
                         MarkupLineTest,
                         ::testing::Values(LineCase{"Plain words", "heading", "# Plain words"},
                                           LineCase{"  ## Title ", "heading", "Title"},
                                           LineCase{"// a note", "heading", "# a note"},
                                           LineCase{"> slide", "heading", "# slide"},
                                           LineCase{"   ", "heading", "   "},
                                           LineCase{"Plain words", "onScreen", "> Plain words"},
                                           LineCase{"//note", "onScreen", "> note"},
                                           LineCase{"\t> slide\t", "note", "// slide"},
                                           LineCase{"> slide", "voiceover", "slide"},
                                           LineCase{"# Heading", "note", "# Heading"},
                                           LineCase{"", "note", ""}));

TEST(ScriptMarkupTransformTest, OnSlideTextChangesOnlyPlainLinesAndThenNothing)
{
    const auto onScreen = MarkupCommand::kindNamed("onScreen");
    ASSERT_TRUE(onScreen.has_value());
    const QString once = ScriptMarkupTransform::transformLines("# Scene\n\nLine", *onScreen);
    EXPECT_EQ(once, "# Scene\n\n> Line");
    EXPECT_EQ(ScriptMarkupTransform::transformLines(once, *onScreen), once);
}

} // namespace
} // namespace veskel::test
