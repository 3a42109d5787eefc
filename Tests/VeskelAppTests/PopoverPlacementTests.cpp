#include "VeskelApp/Widgets/PopoverPlacement.h"

#include <gtest/gtest.h>

namespace veskel::test {
namespace {

struct PlaceCase
{
    const char *name;
    QRect anchor;
    QSize size;
    QPoint expected;
};

class PopoverPlacementCases : public ::testing::TestWithParam<PlaceCase>
{
};

// An 800×600 window at the screen's origin.
TEST_P(PopoverPlacementCases, PutsThePopoverWhereItFits)
{
    const PlaceCase &c = GetParam();
    const QRect available(0, 0, 800, 600);
    const QRect placed = PopoverPlacement::place(c.size, c.anchor, available);
    EXPECT_EQ(placed.topLeft(), c.expected);
    EXPECT_EQ(placed.size(), c.size);
}

INSTANTIATE_TEST_SUITE_P(
    Anchors,
    PopoverPlacementCases,
    ::testing::Values(
        // Centred under the anchor.
        PlaceCase{"Below", QRect(350, 100, 100, 20), QSize(200, 300), QPoint(300, 125)},
        // Exactly to the last pixel below.
        PlaceCase{"JustFitsBelow", QRect(350, 100, 100, 20), QSize(200, 475), QPoint(300, 125)},
        PlaceCase{"AboveWhenNoRoomBelow", QRect(350, 500, 100, 20), QSize(200, 300),
                  QPoint(300, 195)},
        // Neither under nor over: beside, centred on the anchor's middle, kept inside.
        PlaceCase{"RightWhenNeitherFits", QRect(100, 280, 100, 20), QSize(300, 450),
                  QPoint(205, 65)},
        PlaceCase{"LeftWhenTheRightIsFull", QRect(600, 280, 100, 20), QSize(300, 450),
                  QPoint(295, 65)},
        // Kept inside at the window's edge.
        PlaceCase{"ClampedAtTheEdge", QRect(0, 100, 40, 20), QSize(200, 300), QPoint(0, 125)},
        // Taller than the room: from the top.
        PlaceCase{"TooTall", QRect(350, 280, 100, 20), QSize(700, 700), QPoint(50, 0)}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace veskel::test
