#include "StoryboardCore/Localization/L10nRuntime.h"
#include "StoryboardCore/Models/StoryboardProject.h"
#include "StoryboardCore/Validation/ValidationIssue.h"
#include "VeskelApp/Localization/InterfaceTranslation.h"
#include "VeskelApp/Sidebar/ProjectSidebarModel.h"

#include <gtest/gtest.h>

namespace veskel::test {
namespace {

class Translated : public ::testing::Test
{
protected:
    void TearDown() override { InterfaceTranslation::apply(ResolvedLanguage::english); }
};

// MARK: scene counts

struct SceneCount
{
    int count;
    const char *russian;
    const char *english;
};

class SceneCounts : public Translated, public ::testing::WithParamInterface<SceneCount>
{
};

TEST_P(SceneCounts, SidebarRowsUseEachLanguagesPluralForms)
{
    ProjectSummary summary;
    summary.sceneCount = GetParam().count;
    summary.totalDurationSeconds = 65;
    InterfaceTranslation::apply(ResolvedLanguage::russian);
    EXPECT_EQ(ProjectSidebarModel::rowDetail(summary),
              QString::fromUtf8(GetParam().russian) + " · 01:05");
    InterfaceTranslation::apply(ResolvedLanguage::english);
    EXPECT_EQ(ProjectSidebarModel::rowDetail(summary),
              QString::fromUtf8(GetParam().english) + " · 01:05");
}

TEST_F(Translated, ASidebarRowTellsOfAConflictCopyBesideTheProject)
{
    ProjectSummary summary;
    summary.sceneCount = 3;
    summary.totalDurationSeconds = 65;
    summary.hasConflictCopy = true;
    InterfaceTranslation::apply(ResolvedLanguage::english);
    EXPECT_EQ(ProjectSidebarModel::rowDetail(summary),
              "3 scenes · 01:05 · conflict copy beside it");
    InterfaceTranslation::apply(ResolvedLanguage::russian);
    EXPECT_EQ(ProjectSidebarModel::rowDetail(summary), "3 сцены · 01:05 · рядом копия конфликта");
}

INSTANTIATE_TEST_SUITE_P(Counts,
                         SceneCounts,
                         ::testing::Values(SceneCount{0, "0 сцен", "0 scenes"},
                                           SceneCount{1, "1 сцена", "1 scene"},
                                           SceneCount{3, "3 сцены", "3 scenes"},
                                           SceneCount{11, "11 сцен", "11 scenes"},
                                           SceneCount{12, "12 сцен", "12 scenes"},
                                           SceneCount{21, "21 сцена", "21 scenes"},
                                           SceneCount{22, "22 сцены", "22 scenes"},
                                           SceneCount{111, "111 сцен", "111 scenes"}),
                         [](const auto &info) { return std::to_string(info.param.count); });

// MARK: core messages

struct ReviewWording
{
    ValidationIssue issue;
    const char *russian;
};

class ReviewWordings : public Translated, public ::testing::WithParamInterface<ReviewWording>
{
};

TEST_P(ReviewWordings, AreRussianInTheRussianInterface)
{
    StoryboardProject project;
    Scene intro;
    intro.id = "A";
    intro.order = 0;
    intro.title = "Intro";
    Scene blank;
    blank.id = "B";
    blank.order = 11;
    project.scenes = {intro, blank};
    InterfaceTranslation::apply(ResolvedLanguage::russian);
    EXPECT_EQ(GetParam().issue.reviewMessage(project), QString::fromUtf8(GetParam().russian));
}

INSTANTIATE_TEST_SUITE_P(
    Issues,
    ReviewWordings,
    ::testing::Values(ReviewWording{ValidationIssue::unsupportedFrameRate(29),
                                    "Неподдерживаемая частота кадров: 29 fps."},
                      ReviewWording{ValidationIssue::emptySceneTitle("B"),
                                    "S012 Без названия: нет названия сцены."},
                      ReviewWording{ValidationIssue::invalidSceneDuration("A"),
                                    "S001 Intro: длительность должна быть больше нуля."},
                      ReviewWording{ValidationIssue::onScreenTextTooLong("A", 300, 280),
                                    "S001 Intro: текст на экране слишком длинный (300/280)."},
                      ReviewWording{ValidationIssue::missingProductionNote("gone"),
                                    "Сцена: нет production-заметки."},
                      ReviewWording{ValidationIssue::missingVisualReference("A"),
                                    "S001 Intro: нет визуального референса."},
                      ReviewWording{ValidationIssue::emptyProjectTitle(),
                                    "У проекта нет названия."}),
    [](const auto &info) { return std::to_string(info.index); });

} // namespace
} // namespace veskel::test
