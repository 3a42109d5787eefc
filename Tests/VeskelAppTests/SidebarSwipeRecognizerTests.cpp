#include "VeskelApp/Window/SidebarSwipeRecognizer.h"

#include <gtest/gtest.h>

#include <vector>

using namespace veskel;

namespace {

using Phase = SidebarSwipeRecognizer::Phase;
using Event = SidebarSwipeRecognizer::Event;

struct SwipeCase
{
    const char *name;
    std::vector<Event> events;
    // What the whole sequence asked for, in order.
    std::vector<bool> toggles;
};

void PrintTo(const SwipeCase &swipe, std::ostream *os)
{
    *os << swipe.name;
}

// A phased gesture: begin, the given moves 16 ms apart, end.
std::vector<Event> phased(std::initializer_list<QPointF> moves, bool overScroller = false)
{
    std::vector<Event> events{{Phase::began, {}, 0, overScroller}};
    qint64 time = 0;
    for (const QPointF &move : moves)
        events.push_back({Phase::changed, move, time += 16, overScroller});
    events.push_back({Phase::ended, {}, time + 16, overScroller});
    return events;
}

class SidebarSwipeTest : public ::testing::TestWithParam<SwipeCase>
{
};

TEST_P(SidebarSwipeTest, TogglesOnlyForAClearSidewaysSwipe)
{
    SidebarSwipeRecognizer recognizer;
    std::vector<bool> toggles;
    for (const Event &event : GetParam().events) {
        if (const auto show = recognizer.feed(event))
            toggles.push_back(*show);
    }
    EXPECT_EQ(toggles, GetParam().toggles);
}

INSTANTIATE_TEST_SUITE_P(
    Gestures,
    SidebarSwipeTest,
    ::testing::Values(
        SwipeCase{"mostly vertical never toggles",
                  phased({{20, 40}, {20, 40}, {20, 40}, {20, 40}}),
                  {}},
        SwipeCase{"61 right with 20 vertical shows", phased({{30, 10}, {31, 10}}), {true}},
        SwipeCase{"61 left hides", phased({{-30, 0}, {-31, 0}}), {false}},
        SwipeCase{"exactly 60 is not enough", phased({{30, 0}, {30, 0}}), {}},
        SwipeCase{"vertical half of horizontal is too much", phased({{70, 35}}), {}},
        SwipeCase{"fires once however long it goes",
                  phased({{40, 0}, {40, 0}, {-200, 0}, {40, 0}}),
                  {true}},
        SwipeCase{"over a sideways scroller belongs to it",
                  phased({{40, 0}, {40, 0}}, true),
                  {}},
        SwipeCase{"two gestures toggle twice",
                  [] {
                      auto events = phased({{70, 0}});
                      for (Event event : phased({{-70, 0}})) {
                          event.timeMs += 1000;
                          events.push_back(event);
                      }
                      return events;
                  }(),
                  {true, false}},
        // Without phases, events close together are one gesture and a pause starts the next.
        SwipeCase{"unphased events add up",
                  {{Phase::unknown, {35, 0}, 0}, {Phase::unknown, {35, 0}, 100}},
                  {true}},
        SwipeCase{"a pause of more than 300 ms starts anew",
                  {{Phase::unknown, {35, 0}, 0}, {Phase::unknown, {35, 0}, 301}},
                  {}},
        SwipeCase{"after a pause a new gesture may fire again",
                  {{Phase::unknown, {70, 0}, 0},
                   {Phase::unknown, {70, 0}, 100},
                   {Phase::unknown, {-70, 0}, 500}},
                  {true, false}},
        SwipeCase{"a pause over a scroller ignores only the new gesture",
                  {{Phase::unknown, {30, 0}, 0, true},
                   {Phase::unknown, {70, 0}, 400, false}},
                  {true}}),
    [](const ::testing::TestParamInfo<SwipeCase> &info) {
        std::string name = info.param.name;
        for (char &c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        }
        return name;
    });

} // namespace
