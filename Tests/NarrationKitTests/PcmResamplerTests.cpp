#include "NarrationKit/PcmResampler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace veskel {
namespace {

struct LengthCase
{
    qsizetype inputCount;
    int fromRate;
    int toRate;
    qsizetype expectedCount;
};

class ResampledLength : public testing::TestWithParam<LengthCase>
{
};

TEST_P(ResampledLength, KeepsTheDurationToTheNearestSample)
{
    const LengthCase &c = GetParam();
    const QList<qint16> input(c.inputCount, qint16(100));
    EXPECT_EQ(PcmResampler::resample(input, c.fromRate, c.toRate).size(), c.expectedCount);
}

INSTANTIATE_TEST_SUITE_P(Rates,
                         ResampledLength,
                         testing::Values(LengthCase{22050, 22050, 48000, 48000},
                                         LengthCase{441, 22050, 48000, 960},
                                         LengthCase{1, 22050, 48000, 2},
                                         LengthCase{0, 22050, 48000, 0},
                                         LengthCase{48000, 48000, 22050, 22050},
                                         LengthCase{10, 0, 48000, 0}));

TEST(PcmResampler, InterpolatesBetweenNeighboursWithoutLeavingTheirRange)
{
    // A ramp stays a ramp, and full-scale samples never wrap around.
    const QList<qint16> input{-32768, 0, 32767};
    const QList<qint16> output = PcmResampler::resample(input, 1, 4);
    ASSERT_EQ(output.size(), 12);
    EXPECT_EQ(output.at(0), -32768);
    EXPECT_EQ(output.at(2), -16384);
    EXPECT_EQ(output.at(4), 0);
    EXPECT_EQ(output.at(8), 32767);
    EXPECT_EQ(output.last(), 32767);
    for (qsizetype i = 1; i < output.size(); ++i)
        EXPECT_GE(output.at(i), output.at(i - 1));
}

TEST(PcmResampler, KeepsAToneAtItsPitch)
{
    // 440 Hz for one second at 22.05 kHz has 880 sign changes; so must its 48 kHz copy.
    QList<qint16> tone(22050);
    for (qsizetype i = 0; i < tone.size(); ++i)
        tone[i]
            = qint16(std::lround(10000 * std::sin(2 * std::numbers::pi * 440 * (i + 0.5) / 22050)));
    const QList<qint16> output = PcmResampler::resample(tone, 22050, 48000);
    int crossings = 0;
    for (qsizetype i = 1; i < output.size(); ++i)
        crossings += (output.at(i - 1) < 0) != (output.at(i) < 0);
    EXPECT_NEAR(crossings, 880, 2);
}

} // namespace
} // namespace veskel
