#include "StoreTestSupport.h"

#include "StoryboardCore/Duration/DurationCalculator.h"
#include "StoryboardCore/Sample/SampleProject.h"
#include "StoryboardCore/Script/ScriptSceneSync.h"
#include "StoryboardCore/Validation/ProjectValidator.h"

using namespace veskel;
using namespace veskel::test;

TEST(SampleProject, SevenScenesWithRussianTexts)
{
    const StoryboardProject sample = SampleProject::make();
    EXPECT_EQ(sample.id, "sample-what-is-interface-design");
    EXPECT_EQ(sample.title, "Sample · What is Interface Design");
    EXPECT_EQ(sample.videoSettings,
              (VideoSettings{3840, 2160, 25, VideoSettings::ColorSpace::rec709, 8.0}));
    EXPECT_EQ(sample.exportSettings, ExportSettings::defaultSettings());
    EXPECT_EQ(sample.version, 1);
    EXPECT_EQ(sample.createdAt, sample.updatedAt);

    QStringList scenes;
    for (const Scene &scene : sample.scenes)
        scenes << QString::number(scene.order) + u'|' + scene.title + u'|'
                      + QString::number(scene.durationSeconds) + u'|' + rawValue(scene.type);
    EXPECT_EQ(scenes, QStringList({"0|Problem|10|motionGraphic", "1|Definition|10|uiDemo",
                                   "2|Transformation|8|motionGraphic",
                                   "3|Example|12|screenRecording", "4|Scene 7|8|imageReference",
                                   "5|Scene 8|8|placeholder", "6|Summary|6|summary"}));

    EXPECT_EQ(sample.scriptBlocks.size(), 17);
    EXPECT_EQ(sample.scenes.at(0).onScreenText, "Интерфейс — это не просто красивая картинка");

    // Each scene shows what its blocks hold, and its marker follows its clip name and note.
    for (const Scene &scene : sample.scenes) {
        SCOPED_TRACE(scene.title.toStdString());
        EXPECT_TRUE(ScriptSceneSync::sceneHasBlocks(scene.id, sample.scriptBlocks));
        for (const auto &[role, text] : {std::pair(ScriptBlockRole::voiceover, scene.voiceoverText),
                                         std::pair(ScriptBlockRole::onScreen, scene.onScreenText),
                                         std::pair(ScriptBlockRole::note, scene.productionNote)})
            EXPECT_EQ(text, ScriptSceneSync::fieldText(role, scene.id, sample.scriptBlocks));
        EXPECT_EQ(scene.marker, (SceneMarker{MarkerType::standard, scene.clipName(),
                                             scene.productionNote, false}));
        EXPECT_FALSE(scene.image.has_value());
        EXPECT_TRUE(scene.tags.isEmpty());
        EXPECT_EQ(scene.createdAt, sample.createdAt);
        EXPECT_GE(scene.updatedAt, scene.createdAt);
    }
}

TEST(SampleProject, EachCallHasFreshSceneAndBlockIds)
{
    const StoryboardProject first = SampleProject::make();
    const StoryboardProject second = SampleProject::make();
    EXPECT_EQ(first.id, second.id);
    ASSERT_EQ(first.scenes.size(), second.scenes.size());
    for (qsizetype i = 0; i < first.scenes.size(); ++i) {
        EXPECT_NE(first.scenes.at(i).id, second.scenes.at(i).id);
        EXPECT_EQ(first.scenes.at(i).voiceoverText, second.scenes.at(i).voiceoverText);
    }
    for (qsizetype i = 0; i < first.scriptBlocks.size(); ++i)
        EXPECT_NE(first.scriptBlocks.at(i).id, second.scriptBlocks.at(i).id);
}

TEST(SampleProject, IsExportableAndLasts62Seconds)
{
    const StoryboardProject sample = SampleProject::make();
    EXPECT_TRUE(ProjectValidator::validate(sample).isEmpty());
    EXPECT_TRUE(ProjectValidator::canExport(sample));
    EXPECT_DOUBLE_EQ(sample.totalDurationSeconds(), 62);
    EXPECT_EQ(DurationCalculator::formatDuration(sample.totalDurationSeconds()), "01:02");
}

// MARK: installing

using InstallSample = StoreTest;

TEST_F(InstallSample, OnceOnly)
{
    const auto first = store().installSampleProjectIfNeeded();
    ASSERT_TRUE(first.has_value());
    ASSERT_TRUE(first->has_value());
    const QString package = this->package("sample-what-is-interface-design");
    EXPECT_EQ(store().loadProject(package), **first);

    const QStringList before = tree(root());
    const QByteArray bytes = readBytes(package + "/project.json");
    const auto second = store().installSampleProjectIfNeeded();
    ASSERT_TRUE(second.has_value());
    EXPECT_FALSE(second->has_value());
    EXPECT_EQ(tree(root()), before);
    EXPECT_EQ(readBytes(package + "/project.json"), bytes);
}

TEST_F(InstallSample, BesideAProjectOfTheSameTitle)
{
    create("Sample · What is Interface Design");
    const auto installed = store().installSampleProjectIfNeeded();
    ASSERT_TRUE(installed.has_value() && installed->has_value());
    EXPECT_EQ(store().loadProject(package("sample-what-is-interface-design-2"))->id,
              "sample-what-is-interface-design");
}

TEST_F(InstallSample, FoundInAFolderCountsAsInstalled)
{
    ASSERT_TRUE(store().installSampleProjectIfNeeded().has_value());
    ASSERT_TRUE(store().createFolder("Demos").has_value());
    ASSERT_TRUE(store().moveProject(package("sample-what-is-interface-design"), QString("Demos")));
    EXPECT_FALSE(store().installSampleProjectIfNeeded()->has_value());
    // Gone from the tree, it can be installed again.
    QDir(package("sample-what-is-interface-design", "Demos")).removeRecursively();
    EXPECT_TRUE(store().installSampleProjectIfNeeded()->has_value());
}
