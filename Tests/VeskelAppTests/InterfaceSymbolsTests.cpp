#include "VeskelApp/Editor/Markup/ScriptMarkupTransform.h"
#include "VeskelApp/Editor/Script/ScriptBlockRoleAppearance.h"
#include "VeskelApp/Icons/IconProvider.h"
#include "VeskelApp/Widgets/SceneTypeAppearance.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>

namespace veskel::test {
namespace {

// Every bundled symbol draws visible strokes in the colour asked (filled symbols cut their
// marks out in white).
TEST(IconProviderTest, EverySymbolDrawsInTheGivenColour)
{
    const QStringList names = IconProvider::symbolNames();
    ASSERT_GE(names.size(), 50);
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
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
                const bool asked
                    = pixel.blue() > pixel.red() + 60 && pixel.blue() > pixel.green() + 60;
                const bool cutOut = std::min({pixel.red(), pixel.green(), pixel.blue()}) > 150;
                EXPECT_TRUE(asked || cutOut);
                inked += asked;
            }
        }
        EXPECT_GT(inked, 12);
        EXPECT_FALSE(IconProvider::icon(name).isNull());
    }
}

// The names the interface asks for, written out and from the scene type and role tables.
TEST(IconProviderTest, EverySymbolTheInterfaceNamesIsBundled)
{
    QStringList used
        = QStringLiteral("arrow.2.squarepath arrow.counterclockwise.circle arrow.up.arrow.down "
                         "arrow.uturn.backward arrow.uturn.forward bookmark.fill checklist "
                         "checkmark.circle.fill chevron.down chevron.right chevron.up clock "
                         "clock.arrow.circlepath doc.badge.gearshape doc.on.clipboard doc.text "
                         "exclamationmark.triangle.fill eye film.stack flag.fill folder "
                         "folder.badge.plus gearshape list.clipboard magnifyingglass pencil "
                         "photo.badge.plus photo.stack plus plus.square.on.square sidebar.left "
                         "square.and.arrow.down square.and.arrow.up tablecells textformat.size "
                         "timeline.selection trash xmark.circle.fill xmark.octagon.fill")
              .split(u' ');
    for (const SceneType type : EnumTraits<SceneType>::allCases)
        used << SceneTypeAppearance::symbolName(type);
    for (const ScriptBlockRole role : EnumTraits<ScriptBlockRole>::allCases)
        used << ScriptBlockRoleAppearance::symbolName(role);
    for (const QString &name : std::as_const(used))
        EXPECT_TRUE(IconProvider::hasSymbol(name)) << name.toStdString();
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
