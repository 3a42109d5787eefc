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

// Width and height swapped in a vertical preset would turn every card and timeline sideways.
TEST(VideoSettings, VerticalPresetsAreTallerThanWide)
{
    using F = VideoSettings::FormatPreset;
    EXPECT_EQ(VideoSettings::preset(F::verticalHD, 30),
              (VideoSettings{1080, 1920, 30, VideoSettings::ColorSpace::rec709, 5.0}));
    EXPECT_EQ(VideoSettings::preset(F::vertical4k, 50).height, 3840);
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
    // Only the role reads an unknown name (as a note), and only when read from a file.
    EXPECT_FALSE(fromRawValue<ScriptBlockRole>(QStringLiteral("caption")));
}

} // namespace
