#include "StoryboardCore/Validation/ProjectValidator.h"

#include <gtest/gtest.h>

#include <limits>

using namespace veskel;
using Kind = ValidationIssue::Kind;

namespace {

Scene scene(const QString &id,
            int order,
            const QString &title,
            double duration = 5,
            const QString &onScreen = {})
{
    Scene s;
    s.id = id;
    s.order = order;
    s.title = title;
    s.durationSeconds = duration;
    s.onScreenText = onScreen;
    return s;
}

StoryboardProject
project(QList<Scene> scenes, const QString &title = QStringLiteral("Demo"), int fps = 25)
{
    StoryboardProject p;
    p.id = QStringLiteral("P");
    p.title = title;
    p.videoSettings = VideoSettings::preset(VideoSettings::FormatPreset::horizontalHD, fps);
    p.scenes = std::move(scenes);
    return p;
}

} // namespace

// MARK: rules

TEST(ProjectValidator, ProjectWideIssuesComeFirstThenScenesInStorageOrder)
{
    const StoryboardProject p = project(
        {scene("B", 1, "  ", 0, QString(281, u'x')), scene("A", 0, "Fine")}, " \n\t ", 29);
    EXPECT_EQ(ProjectValidator::validate(p),
              (QList<ValidationIssue>{
                  ValidationIssue::emptyProjectTitle(), ValidationIssue::unsupportedFrameRate(29),
                  ValidationIssue::emptySceneTitle("B"), ValidationIssue::invalidSceneDuration("B"),
                  ValidationIssue::onScreenTextTooLong("B", 281, 280)}));
}

class FrameRates : public testing::TestWithParam<std::pair<int, bool>>
{
};

TEST_P(FrameRates, OnlyTheFiveRatesAreSupported)
{
    const auto [fps, supported] = GetParam();
    const QList<ValidationIssue> issues
        = ProjectValidator::validate(project({scene("A", 0, "Fine")}, "T", fps));
    if (supported)
        EXPECT_TRUE(issues.isEmpty());
    else
        EXPECT_EQ(issues, QList<ValidationIssue>{ValidationIssue::unsupportedFrameRate(fps)});
}

INSTANTIATE_TEST_SUITE_P(Rates,
                         FrameRates,
                         testing::Values(std::pair(24, true),
                                         std::pair(60, true),
                                         std::pair(29, false),
                                         std::pair(0, false),
                                         std::pair(120, false)));

class Durations : public testing::TestWithParam<std::pair<double, bool>>
{
};

TEST_P(Durations, MustBeGreaterThanZero)
{
    const auto [seconds, valid] = GetParam();
    const QList<ValidationIssue> issues
        = ProjectValidator::validateScene(scene("S", 0, "T", seconds));
    if (valid)
        EXPECT_TRUE(issues.isEmpty());
    else
        EXPECT_EQ(issues, QList<ValidationIssue>{ValidationIssue::invalidSceneDuration("S")});
}

INSTANTIATE_TEST_SUITE_P(Seconds,
                         Durations,
                         testing::Values(std::pair(0.0, false),
                                         std::pair(-0.0, false),
                                         std::pair(std::numeric_limits<double>::quiet_NaN(), false),
                                         std::pair(-std::numeric_limits<double>::infinity(), false),
                                         std::pair(0.01, true),
                                         std::pair(1e300, true)));

struct OnScreenCase
{
    const char *name;
    QString text;
    int expectedLength; // 0: no issue
};

class OnScreenLength : public testing::TestWithParam<OnScreenCase>
{
};

TEST_P(OnScreenLength, CountsUserPerceivedCharactersOfTheTrimmedText)
{
    const OnScreenCase &c = GetParam();
    const QList<ValidationIssue> issues
        = ProjectValidator::validateScene(scene("S", 0, "T", 5, c.text));
    if (c.expectedLength == 0)
        EXPECT_TRUE(issues.isEmpty()) << c.name;
    else
        EXPECT_EQ(issues, QList<ValidationIssue>{ValidationIssue::onScreenTextTooLong(
                              "S", c.expectedLength, 280)})
            << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Texts,
    OnScreenLength,
    testing::Values(
        OnScreenCase{"exactly 280", QString(280, u'a'), 0},
        OnScreenCase{"281", QString(281, u'a'), 281},
        OnScreenCase{"280 inside white space",
                     QStringLiteral("\n  ") + QString(280, u'a') + QStringLiteral(" \t\n"), 0},
        // e + combining acute: 560 code units, 280 characters.
        OnScreenCase{"combining marks", QStringLiteral("e\u0301").repeated(280), 0},
        OnScreenCase{"combining marks over", QStringLiteral("e\u0301").repeated(281), 281},
        // Outside the BMP: two code units each.
        OnScreenCase{"emoji", QStringLiteral("\U0001F600").repeated(280), 0}),
    [](const auto &info) { return std::to_string(info.index); });

// MARK: export readiness

TEST(ProjectValidator, ProjectWithoutScenesIsBlockedBeforeAnythingElse)
{
    const StoryboardProject p = project({}, "", 29);
    EXPECT_EQ(ProjectValidator::exportBlockingIssues(p).first(), ValidationIssue::noScenes());
    EXPECT_FALSE(ProjectValidator::canExport(p));
}

TEST(ProjectValidator, WarningsAloneDoNotBlockAnExport)
{
    const StoryboardProject p = project({scene("A", 0, "Long", 3, QString(400, u'x'))});
    EXPECT_EQ(ProjectValidator::validate(p).size(), 1);
    EXPECT_TRUE(ProjectValidator::exportBlockingIssues(p).isEmpty());
    EXPECT_TRUE(ProjectValidator::canExport(p));
}

TEST(ProjectValidator, BlockingIssuesKeepTheirOrderAndDropWarnings)
{
    const StoryboardProject p
        = project({scene("A", 0, "", 3, QString(400, u'x')), scene("B", 1, "B", 0)}, "T", 31);
    EXPECT_EQ(ProjectValidator::exportBlockingIssues(p),
              (QList<ValidationIssue>{ValidationIssue::unsupportedFrameRate(31),
                                      ValidationIssue::emptySceneTitle("A"),
                                      ValidationIssue::invalidSceneDuration("B")}));
    EXPECT_FALSE(ProjectValidator::canExport(p));
}

// MARK: wordings

struct Wording
{
    ValidationIssue issue;
    const char *english;
};

class Wordings : public testing::TestWithParam<Wording>
{
};

// Scenes are named by number and title, a blank title as "Untitled", an unknown id as "Scene".
TEST_P(Wordings, NameTheSceneByItsLabel)
{
    const Wording &w = GetParam();
    StoryboardProject p = project({scene("A", 0, "Intro"), scene("B", 11, "  ")});
    EXPECT_EQ(w.issue.reviewMessage(p), QString::fromUtf8(w.english));
}

INSTANTIATE_TEST_SUITE_P(Issues,
                         Wordings,
                         testing::Values(Wording{ValidationIssue::emptySceneTitle("B"),
                                                 "S012 Untitled: missing scene title."},
                                         Wording{
                                             ValidationIssue::onScreenTextTooLong("A", 300, 280),
                                             "S001 Intro: on-screen text is too long (300/280)."},
                                         Wording{ValidationIssue::missingProductionNote("gone"),
                                                 "Scene: missing production note."}),
                         [](const auto &info) { return std::to_string(info.index); });
