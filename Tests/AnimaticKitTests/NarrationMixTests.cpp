#include "AnimaticKit/AnimaticPlan.h"
#include "AnimaticKit/Audio/NarrationMix.h"

#include <gtest/gtest.h>

#include <vector>

using namespace veskel;

namespace {

AnimaticScene shot(qint64 frames, qsizetype narrationSamples)
{
    AnimaticScene scene;
    scene.frames = frames;
    scene.narration = NarrationSamples(narrationSamples, 16384);
    return scene;
}

TEST(NarrationMix, PlacesEachNarrationAtItsSceneAndFadesOnlyWhatIsCut)
{
    // One second per scene at 25 fps: 48,000 samples each.
    const NarrationMix mix({shot(25, 72'000), shot(25, 0), shot(0, 4'000), shot(25, 9'600)}, 25);
    ASSERT_EQ(mix.totalSamples(), 3 * 48'000);
    std::vector<float> whole(size_t(mix.totalSamples()));
    mix.render(0, int(whole.size()), whole.data());

    // Cut at its scene's end, fading over the last 50 ms there.
    EXPECT_FLOAT_EQ(whole[0], 0.5f);
    EXPECT_FLOAT_EQ(whole[48'000 - 2'401], 0.5f);
    EXPECT_NEAR(whole[48'000 - 1'200], 0.25f, 0.001f);
    EXPECT_LT(whole[47'999], 0.001f);
    // Nothing runs on into the silent scene; a scene of no frames is never heard.
    for (size_t i = 48'000; i < 96'000; ++i)
        ASSERT_EQ(whole[i], 0.0f) << i;
    // A narration that ends inside its scene keeps its full level to its end.
    EXPECT_FLOAT_EQ(whole[96'000], 0.5f);
    EXPECT_FLOAT_EQ(whole[96'000 + 9'599], 0.5f);
    EXPECT_EQ(whole[96'000 + 9'600], 0.0f);

    // Rendered in pieces that straddle the scenes, it is the same sound.
    std::vector<float> pieces(whole.size());
    for (qint64 at = 0; at < mix.totalSamples(); at += 1'000) {
        const int count = int(std::min<qint64>(1'000, mix.totalSamples() - at));
        mix.render(at, count, pieces.data() + at);
    }
    EXPECT_EQ(pieces, whole);
}

struct FittingCase
{
    QSize project;
    QSize fitted;
};

class FittedFrameSize : public ::testing::TestWithParam<FittingCase>
{
};

TEST_P(FittedFrameSize, KeepsTheAspectInsideFullHDWithEvenSides)
{
    const auto [project, fitted] = GetParam();
    EXPECT_EQ(AnimaticPlan::fittedFrameSize(project.width(), project.height()), fitted);
}

INSTANTIATE_TEST_SUITE_P(Sizes,
                         FittedFrameSize,
                         ::testing::Values(FittingCase{{3840, 2160}, {1920, 1080}},
                                           FittingCase{{1920, 1080}, {1920, 1080}},
                                           FittingCase{{2160, 3840}, {608, 1080}},
                                           FittingCase{{1080, 1920}, {608, 1080}},
                                           FittingCase{{1080, 1080}, {1080, 1080}},
                                           FittingCase{{640, 480}, {1440, 1080}},
                                           FittingCase{{100000, 10}, {1920, 2}},
                                           FittingCase{{0, 1080}, {}}));

} // namespace
