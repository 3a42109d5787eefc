#include "VeskelApp/Timeline/TimelineHit.h"
#include "VeskelApp/Timeline/TimelineLayout.h"

#include <gtest/gtest.h>

namespace veskel::test {
namespace {

TimelineItem sceneItem(const QString &id, double seconds)
{
    Scene scene;
    scene.id = id;
    scene.durationSeconds = seconds;
    return TimelineItem::scene(scene);
}

TimelineItem ghostItem(const QString &id, double seconds)
{
    return TimelineItem::ghost(TimelineGhost{id, {id + "-block"}, seconds});
}

TEST(TimelineLayoutTest, ClipsShareTheTrackByDuration)
{
    const TimelineLayout layout(840, {sceneItem("A", 5), sceneItem("B", 15)});
    EXPECT_EQ(layout.trackWidth, 800);
    EXPECT_EQ(layout.clipWidths.value("A"), 200);
    EXPECT_EQ(layout.clipWidths.value("B"), 600);
    EXPECT_EQ(layout.clipStarts.value("A"), 0);
    EXPECT_EQ(layout.clipStarts.value("B"), 200);

    // Thirds do not add up in floating point; the last clip closes the track exactly.
    const TimelineLayout thirds(140, {sceneItem("A", 1), sceneItem("B", 1), sceneItem("C", 1)});
    EXPECT_EQ(thirds.start(2) + thirds.width(2), thirds.trackWidth);

    // Too narrow a view and a film of no length leave nothing negative or undefined.
    const TimelineLayout narrow(30, {sceneItem("A", 0), ghostItem("g", 0)});
    EXPECT_EQ(narrow.trackWidth, 0);
    EXPECT_EQ(narrow.totalDuration, TimelineLayout::minimumTotalDuration);
    EXPECT_EQ(narrow.width(0), 0);
    EXPECT_EQ(narrow.width(1), 0);
}

struct TicksCase
{
    double total;
    QList<double> ticks;
};

class RulerTicksTest : public ::testing::TestWithParam<TicksCase>
{
};

TEST_P(RulerTicksTest, StepGrowsWithTheFilmAndTheTotalEndsTheRuler)
{
    const TimelineLayout layout(840, GetParam().total > 0
                                         ? QList<TimelineItem>{sceneItem("A", GetParam().total)}
                                         : QList<TimelineItem>{});
    const QList<double> ticks = rulerTicks(layout);
    EXPECT_EQ(ticks, GetParam().ticks);
    EXPECT_EQ(rulerTickX(layout, ticks.constLast()), layout.trackWidth);
}

INSTANTIATE_TEST_SUITE_P(Totals,
                         RulerTicksTest,
                         ::testing::Values(TicksCase{0, {0}},
                                           TicksCase{30, {0, 5, 10, 15, 20, 25, 30}},
                                           TicksCase{31, {0, 10, 20, 30, 31}},
                                           TicksCase{125, {0, 30, 60, 90, 120, 125}}));

TEST(TimelineLayoutTest, InsertionFollowsClipMidpoints)
{
    const TimelineLayout layout(840, {sceneItem("A", 5), sceneItem("B", 15)});
    const QList<std::pair<double, qsizetype>> cases{{-50, 0}, {99, 0},  {101, 1},
                                                    {499, 1}, {501, 2}, {2000, 2}};
    for (const auto &[x, index] : cases)
        EXPECT_EQ(layout.insertionIndex(x), index) << x;
    EXPECT_EQ(layout.insertionX(-1), 0);
    EXPECT_EQ(layout.insertionX(1), 200);
    EXPECT_EQ(layout.insertionX(2), 800);
    EXPECT_EQ(layout.insertionX(7), 800);
}

TEST(TimelineLayoutTest, FirstSceneSkipsGhosts)
{
    const QList<TimelineItem> items{ghostItem("g1", 2), sceneItem("A", 5), ghostItem("g2", 2),
                                    sceneItem("B", 5), ghostItem("g3", 2)};
    EXPECT_EQ(firstSceneID(items, 0), "A");
    EXPECT_EQ(firstSceneID(items, 2), "B");
    EXPECT_EQ(firstSceneID(items, 4), std::nullopt);
    EXPECT_EQ(firstSceneID(items, 9), std::nullopt);
}

TEST(TimelineHitTest, InsertControlsLieAboveGripsAboveClips)
{
    // Clips 0–200 and 200–800 on the track, 20 points in.
    const TimelineLayout layout(840, {sceneItem("A", 5), sceneItem("B", 15)});
    const QSizeF view(840, TimelineHit::height);
    const double middle = TimelineHit::clipTop + TimelineHit::clipHeight / 2;
    using K = TimelineHit::Kind;
    const QList<std::pair<QPointF, TimelineHit>> cases{
        {{120, middle}, {K::clip, 0, ClipEdge::trailing}},
        {{22, middle}, {K::edgeGrip, 0, ClipEdge::leading}},
        {{216, middle}, {K::edgeGrip, 0, ClipEdge::trailing}},
        {{224, middle}, {K::edgeGrip, 1, ClipEdge::leading}},
        {{220, TimelineHit::clipTop + 10}, {K::insertControl, 0, ClipEdge::trailing}},
        {{226, TimelineHit::clipTop + 10}, {K::insertControl, 0, ClipEdge::trailing}},
        {{818, TimelineHit::clipTop + 10}, {K::insertControl, 1, ClipEdge::trailing}},
        {{120, 10}, {}},
        {{830, middle}, {}},
    };
    for (const auto &[point, hit] : cases)
        EXPECT_EQ(TimelineHit::at(layout, view, point), hit) << point.x() << "," << point.y();

    // A sliver of a clip is all handle for moving: no grips.
    const TimelineLayout crowded(840, {sceneItem("A", 1), sceneItem("B", 99)});
    EXPECT_EQ(TimelineHit::at(crowded, view, {22, middle}).kind, K::clip);

    // An empty timeline has its one insert control and nothing else.
    const TimelineLayout empty(840, {});
    EXPECT_EQ(TimelineHit::at(empty, view, TimelineHit::emptyInsertControlRect(view).center()),
              (TimelineHit{K::insertControl, -1, ClipEdge::trailing}));
}

} // namespace
} // namespace veskel::test
