#include "FCPXMLKit/FCPTime.h"

#include "FCPXMLTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

using namespace veskel;

namespace {

constexpr qint64 maxValue = std::numeric_limits<qint64>::max();
constexpr qint64 minValue = std::numeric_limits<qint64>::min();

TEST(FCPTime, FromSecondsRoundsToWholeFramesAndKeepsTheRate)
{
    EXPECT_EQ(FCPTime::fromSeconds(-1, 30), FCPTime(0, 30));
    EXPECT_EQ(FCPTime::fromSeconds(5, 0), FCPTime(0, 1));
    EXPECT_EQ(FCPTime::fromFrames(7, -3), FCPTime(7, 1));
    EXPECT_EQ(FCPTime(1, 0).denominator, 1);
    EXPECT_DOUBLE_EQ(FCPTime(125, 25).seconds(), 5.0);
}

TEST(FCPTime, FCPXMLStringIsNeverReduced)
{
    EXPECT_EQ(FCPTime(125, 25).fcpxmlString(), u"125/25s");
    EXPECT_EQ(FCPTime(50, 25).fcpxmlString(), u"50/25s");
    EXPECT_EQ(FCPTime(0, 25).fcpxmlString(), u"0s");
    EXPECT_EQ(FCPTime(-3, 24).fcpxmlString(), u"-3/24s");
}

struct SumCase
{
    FCPTime a;
    FCPTime b;
    FCPTime sum;
};

void PrintTo(const SumCase &c, std::ostream *out)
{
    *out << c.a.numerator << '/' << c.a.denominator << " + " << c.b.numerator << '/'
         << c.b.denominator;
}

class FCPTimeSum : public ::testing::TestWithParam<SumCase>
{
};

TEST_P(FCPTimeSum, AddsUnreducedAndSaturates)
{
    EXPECT_EQ(GetParam().a + GetParam().b, GetParam().sum);
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         FCPTimeSum,
                         ::testing::Values(SumCase{{60, 30}, {90, 30}, {150, 30}},
                                           SumCase{{1, 24}, {1, 25}, {49, 600}},
                                           SumCase{{0, 1}, {125, 25}, {125, 25}},
                                           SumCase{{2, 4}, {1, 2}, {8, 8}},
                                           SumCase{{maxValue, 25}, {1, 25}, {maxValue, 25}},
                                           SumCase{{minValue, 25}, {-1, 25}, {minValue, 25}},
                                           SumCase{{maxValue, 3}, {1, 7}, {maxValue, 21}},
                                           SumCase{{-maxValue, 3}, {-1, 7}, {minValue, 21}},
                                           SumCase{{1, maxValue}, {1, 2}, {maxValue, maxValue}}));

} // namespace
