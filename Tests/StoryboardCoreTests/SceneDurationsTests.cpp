#include "StoryboardCore/Editing/SceneDurations.h"
#include "StoryboardCore/Script/ScriptDocumentEdit.h"

#include <gtest/gtest.h>

#include <limits>

using namespace veskel;
using namespace Qt::StringLiterals;

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

struct DurationCase
{
    double requested;
    std::optional<double> dragged;
    std::optional<double> typed;
    // Fit to Narration with a narration of `requested` seconds.
    std::optional<double> fitted;
};

void PrintTo(const DurationCase &c, std::ostream *os)
{
    *os << c.requested << " s";
}

class DurationLimits : public ::testing::TestWithParam<DurationCase>
{
};

// Dragged: half seconds between half a second and an hour. Typed: at least half a second.
// Fitted: the next half second up. None takes what could not be written to the project file.
TEST_P(DurationLimits, AreSnappedAndBoundedAsTheirSourceWants)
{
    EXPECT_EQ(SceneDurations::dragged(GetParam().requested), GetParam().dragged);
    EXPECT_EQ(SceneDurations::typed(GetParam().requested), GetParam().typed);
    EXPECT_EQ(SceneDurations::fitted(GetParam().requested), GetParam().fitted);
}

INSTANTIATE_TEST_SUITE_P(
    Values,
    DurationLimits,
    ::testing::Values(DurationCase{0.2, 0.5, 0.5, 0.5},
                      DurationCase{-3, 0.5, 0.5, 0.5},
                      DurationCase{5000, 3600, 5000, 3600},
                      DurationCase{inf, 3600, std::nullopt, std::nullopt},
                      DurationCase{-inf, 0.5, std::nullopt, std::nullopt},
                      DurationCase{42.25, 42.5, 42.25, 42.5},
                      DurationCase{4.7757757757757755, 5, 4.7757757757757755, 5},
                      DurationCase{4.7, 4.5, 4.7, 5},
                      DurationCase{7.2, 7, 7.2, 7.5},
                      DurationCase{6, 6, 6, 6},
                      DurationCase{nan, std::nullopt, std::nullopt, std::nullopt}));

TEST(SceneDurations, ASpeakingRateRetimesOnlyTheScenesThatFollowTheirWords)
{
    StoryboardProject project;
    const QString hundredWords = QStringList(100, u"word"_s).join(u' ');
    ScriptDocumentEdit::apply(u"# A\n\n"_s + hundredWords + u"\n\n# B\n\n"_s + hundredWords,
                              project);
    ASSERT_EQ(project.scenes.size(), 2);
    EXPECT_EQ(project.scenes.at(0).durationSeconds, 43); // 100 words at 140 a minute
    project.scenes[1].durationSeconds = 12;              // timed by hand
    const QDateTime stamp = QDateTime::fromSecsSinceEpoch(5, Qt::UTC);

    ASSERT_TRUE(SceneDurations::changeSpeakingRate(project, 100, stamp));
    EXPECT_EQ(project.videoSettings.wordsPerMinute, 100);
    EXPECT_EQ(project.scenes.at(0).durationSeconds, 60);
    EXPECT_EQ(project.scenes.at(1).durationSeconds, 12);
    EXPECT_FALSE(SceneDurations::changeSpeakingRate(project, 100, stamp));

    // A scene typed after the change is estimated at the project's rate too.
    ScriptDocumentEdit::apply(u"# A\n\n"_s + hundredWords + u"\n\n# B\n\n"_s + hundredWords
                                  + u"\n\n# C\n\n"_s + hundredWords,
                              project);
    ASSERT_EQ(project.scenes.size(), 3);
    EXPECT_EQ(project.scenes.at(2).durationSeconds, 60);
}

TEST(SceneDurations, AResizeWithinATenthOfAMillisecondChangesNothing)
{
    StoryboardProject project;
    ScriptDocumentEdit::apply(u"# A\n\nwords\n"_s, project);
    const QString id = project.scenes.at(0).id;
    project.scenes[0].durationSeconds = 2;
    const StoryboardProject before = project;
    const QDateTime stamp = QDateTime::fromSecsSinceEpoch(5, Qt::UTC);

    EXPECT_FALSE(SceneDurations::resize(project, id, 2.00005, stamp));
    EXPECT_FALSE(SceneDurations::resize(project, u"missing"_s, 9, stamp));
    EXPECT_EQ(project, before);
    EXPECT_TRUE(SceneDurations::resize(project, id, 2.5, stamp));
    EXPECT_EQ(project.scenes.at(0).durationSeconds, 2.5);
    EXPECT_EQ(project.scenes.at(0).updatedAt, stamp);
    EXPECT_EQ(project.updatedAt, stamp);
}

TEST(SceneDurations, NoEstimateForAnUnknownSceneOrOneWithoutText)
{
    StoryboardProject project;
    ScriptDocumentEdit::apply(u"# Empty\n\n# Full\n\nfour words read aloud\n"_s, project);
    EXPECT_EQ(SceneDurations::estimate(project, project.scenes.at(0).id), std::nullopt);
    EXPECT_EQ(SceneDurations::estimate(project, u"missing"_s), std::nullopt);
    EXPECT_EQ(SceneDurations::estimate(project, project.scenes.at(1).id), 2);
}

} // namespace
