#include "VeskelApp/Editor/Script/ColumnFit.h"

#include <gtest/gtest.h>

namespace veskel::test {
namespace {

constexpr ColumnFit::Sides full{116, 56, 14, 28};
constexpr ColumnFit::Sides compact{56, 48, 4, 8};

struct FitCase
{
    const char *name;
    int available;
    ColumnFit::Sides sides;
    int column;
    int free;
};

class ColumnFitCases : public ::testing::TestWithParam<FitCase>
{
};

// The stored page is 640 wide with its padding, 584 of words; full sides take 256, compact 128.
TEST_P(ColumnFitCases, SidesGiveWayBeforeTheWords)
{
    const FitCase &c = GetParam();
    const ColumnFit fit = ColumnFit::fit(c.available, 640, full, compact);
    EXPECT_EQ(fit.sides, c.sides);
    EXPECT_EQ(fit.column, c.column);
    EXPECT_EQ(fit.free, c.free);
    // Nothing is lost or counted twice while there is room for the narrowest page.
    if (c.available >= compact.total() + ColumnFit::minimumText) {
        EXPECT_EQ(fit.sides.total() - 2 * fit.sides.padding + fit.column + fit.free, c.available);
    }
}

INSTANTIATE_TEST_SUITE_P(Widths,
                         ColumnFitCases,
                         ::testing::Values(FitCase{"Roomy", 1000, full, 640, 160},
                                           FitCase{"Exact", 840, full, 640, 0},
                                           // Half of the 128 the sides can give.
                                           FitCase{"Halfway", 776, {86, 52, 9, 18}, 620, 0},
                                           FitCase{"AllCompact", 712, compact, 600, 0},
                                           FitCase{"WordsNarrow", 500, compact, 388, 0},
                                           FitCase{"NarrowestPage", 248, compact, 136, 0},
                                           FitCase{"TooNarrow", 100, compact, 136, 0}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace veskel::test
