#include "StoryboardCore/Duration/DurationCalculator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace veskel;

namespace {

struct FramesCase
{
    double seconds;
    int fps;
    qint64 frames;
};

class FramesFromSeconds : public ::testing::TestWithParam<FramesCase>
{
};

TEST_P(FramesFromSeconds, RoundsHalfAwayFromZeroAndGuardsBadInput)
{
    const FramesCase c = GetParam();
    EXPECT_EQ(DurationCalculator::frames(c.seconds, c.fps), c.frames);
}

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr qint64 maxFrames = std::numeric_limits<qint64>::max();

INSTANTIATE_TEST_SUITE_P(
    Cases,
    FramesFromSeconds,
    ::testing::Values(FramesCase{2.02, 25, 51},
                      FramesCase{0.98, 24, 24},
                      FramesCase{0.97, 24, 23},
                      FramesCase{5, 0, 0},
                      FramesCase{-3, 25, 0},
                      FramesCase{std::nan(""), 25, 0},
                      // Values a hand-edited file can hold saturate instead of overflowing.
                      FramesCase{1e300, 60, maxFrames},
                      FramesCase{inf, 25, maxFrames}));

TEST(DurationCalculator, SecondsFromFramesNeverDividesByZero)
{
    EXPECT_EQ(DurationCalculator::seconds(50, 0), 0.0);
    EXPECT_EQ(DurationCalculator::seconds(50, -1), 0.0);
    EXPECT_DOUBLE_EQ(DurationCalculator::seconds(51, 25), 2.04);
}

TEST(DurationCalculator, TotalFramesRoundsEachSceneOnItsOwn)
{
    QList<Scene> scenes(3);
    for (Scene &scene : scenes)
        scene.durationSeconds = 0.02;
    EXPECT_EQ(DurationCalculator::totalFrames(scenes, 25), 3);
    EXPECT_EQ(DurationCalculator::totalFrames({}, 25), 0);

    scenes[0].durationSeconds = 1e300;
    scenes[1].durationSeconds = 1e300;
    EXPECT_EQ(DurationCalculator::totalFrames(scenes, 25), maxFrames);
}

struct FormatCase
{
    double seconds;
    const char *text;
};

class FormatDuration : public ::testing::TestWithParam<FormatCase>
{
};

TEST_P(FormatDuration, Text)
{
    EXPECT_EQ(DurationCalculator::formatDuration(GetParam().seconds),
              QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         FormatDuration,
                         ::testing::Values(FormatCase{0, "00:00"},
                                           FormatCase{4.4, "00:04"},
                                           FormatCase{59.5, "01:00"},
                                           FormatCase{3599.4, "59:59"},
                                           FormatCase{3599.5, "01:00:00"},
                                           FormatCase{360000, "100:00:00"},
                                           FormatCase{-5, "00:00"},
                                           FormatCase{std::nan(""), "00:00"},
                                           FormatCase{inf, "2562047788015215:30:07"}));

struct FramesFormatCase
{
    double seconds;
    int fps;
    const char *text;
};

class FormatDurationWithFrames : public ::testing::TestWithParam<FramesFormatCase>
{
};

TEST_P(FormatDurationWithFrames, Text)
{
    const auto c = GetParam();
    EXPECT_EQ(DurationCalculator::formatDurationWithFrames(c.seconds, c.fps),
              QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         FormatDurationWithFrames,
                         ::testing::Values(FramesFormatCase{1.6, 25, "00:01:15"},
                                           FramesFormatCase{61, 25, "01:01:00"},
                                           FramesFormatCase{0, 25, "00:00:00"},
                                           FramesFormatCase{0.98, 24, "00:01:00"},
                                           FramesFormatCase{0.97, 24, "00:00:23"},
                                           FramesFormatCase{5, 0, "00:00:00"},
                                           FramesFormatCase{1e300, 60, "2562047788015215:30:07"}));

} // namespace
