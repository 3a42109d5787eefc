#include "StoryboardCore/Models/StoryboardProject.h"

#include <gtest/gtest.h>

using namespace veskel;

namespace {

Scene sceneWithOrder(int order, const QString &id)
{
    Scene scene;
    scene.id = id;
    scene.order = order;
    return scene;
}

TEST(Scene, NumberAndClipName)
{
    Scene scene;
    scene.title = QStringLiteral("Intro");
    EXPECT_EQ(scene.sceneNumber(), QStringLiteral("001"));
    scene.order = 9;
    EXPECT_EQ(scene.clipName(), QStringLiteral("S010 · Intro"));
    EXPECT_EQ(scene.markerName(), scene.clipName());
    scene.order = 41;
    EXPECT_EQ(scene.sceneNumber(), QStringLiteral("042"));
    scene.order = 999;
    EXPECT_EQ(scene.sceneNumber(), QStringLiteral("1000"));
    // The largest order a file can hold must not overflow into a negative number.
    scene.order = std::numeric_limits<int>::max();
    EXPECT_EQ(scene.sceneNumber(), QStringLiteral("2147483648"));
}

TEST(StoryboardProject, OrderedScenesIsStableOnEqualOrders)
{
    StoryboardProject project;
    project.scenes = {sceneWithOrder(2, "c"), sceneWithOrder(0, "a1"), sceneWithOrder(1, "b"),
                      sceneWithOrder(0, "a2")};
    QStringList ids;
    for (const Scene &scene : project.orderedScenes())
        ids << scene.id;
    EXPECT_EQ(ids, QStringList({"a1", "a2", "b", "c"}));
}

TEST(StoryboardProject, TotalDurationIsThePlainSum)
{
    StoryboardProject project;
    EXPECT_EQ(project.totalDurationSeconds(), 0.0);
    project.scenes = {sceneWithOrder(0, "a"), sceneWithOrder(1, "b")};
    project.scenes[0].durationSeconds = 1.25;
    project.scenes[1].durationSeconds = 0.02;
    EXPECT_DOUBLE_EQ(project.totalDurationSeconds(), 1.27);
}

struct VerticalCase
{
    int width;
    int height;
    bool vertical;
};

class VideoSettingsVertical : public ::testing::TestWithParam<VerticalCase>
{};

TEST_P(VideoSettingsVertical, OnlyTallerThanWide)
{
    VideoSettings settings = VideoSettings::preset(VideoSettings::Resolution::hd1080, 25);
    settings.width = GetParam().width;
    settings.height = GetParam().height;
    EXPECT_EQ(settings.isVertical(), GetParam().vertical);
}

INSTANTIATE_TEST_SUITE_P(Frames, VideoSettingsVertical,
                         ::testing::Values(VerticalCase{1080, 1920, true},
                                           VerticalCase{1920, 1080, false},
                                           VerticalCase{1080, 1080, false}));

TEST(VideoSettings, PresetsCarryTheirSizeAndDefaults)
{
    using F = VideoSettings::FormatPreset;
    const VideoSettings vertical = VideoSettings::preset(F::verticalHD, 30);
    EXPECT_EQ(vertical, (VideoSettings{1080, 1920, 30, VideoSettings::ColorSpace::rec709, 5.0}));
    EXPECT_TRUE(isVertical(F::vertical4k));
    EXPECT_FALSE(isVertical(F::horizontal4k));
    EXPECT_EQ(VideoSettings::preset(VideoSettings::Resolution::uhd4k, 24).width, 3840);
    EXPECT_EQ(VideoSettings::preset(F::vertical4k, 50).height, 3840);
    EXPECT_EQ(rawValue(VideoSettings::Resolution::hd1080), QStringLiteral("1920x1080"));
}

TEST(Enumerations, RawValuesRoundTripAndUnknownsAreRefused)
{
    for (SceneType type : allCases<SceneType>())
        EXPECT_EQ(fromRawValue<SceneType>(rawValue(type)), type);
    for (auto mime : allCases<SceneImage::MimeType>())
        EXPECT_EQ(fromRawValue<SceneImage::MimeType>(rawValue(mime)), mime);
    EXPECT_EQ(fromRawValue<ExportSettings::ExportMode>(QStringLiteral("zip")),
              ExportSettings::ExportMode::zip);
    EXPECT_FALSE(fromRawValue<ExportSettings::ExportMode>(QStringLiteral("folder")));
    EXPECT_FALSE(fromRawValue<SceneType>(QStringLiteral("TalkingHead")));
    // The role is the one enumeration that reads any unknown name, as a note.
    EXPECT_EQ(scriptBlockRoleFromJSON(QStringLiteral("onScreen")), ScriptBlockRole::onScreen);
    EXPECT_EQ(scriptBlockRoleFromJSON(QStringLiteral("caption")), ScriptBlockRole::note);
    EXPECT_FALSE(fromRawValue<ScriptBlockRole>(QStringLiteral("caption")));
}

} // namespace
