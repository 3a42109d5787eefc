#pragma once

#include "StoryboardCore/Localization/L10nRuntime.h"
#include "StoryboardCore/Models/StoryboardProject.h"
#include "StoryboardCore/Script/ScriptDocumentCodec.h"
#include "StoryboardCore/Storage/LocalProjectStore.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Localization/InterfaceTranslation.h"
#include "VeskelApp/Scheduling/ManualEditorScheduler.h"

#include "Support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace veskel::test {

// `count` words of ordinary prose.
inline QString words(int count)
{
    static const QStringList vocabulary{"the", "camera", "slowly", "pans", "across",
                                        "a",   "wide",   "city",   "view", "tonight"};
    QStringList picked;
    for (int i = 0; i < count; ++i)
        picked << vocabulary.at(i % vocabulary.size());
    return picked.join(u' ');
}

// Draft text, then three scenes with voiceover, on-slide text and a note.
inline QString threeSceneScript()
{
    return QStringLiteral("Draft line before any heading.\n\n"
                          "# One\n\nFirst voiceover with five words.\n\n> Slide one\n\n"
                          "# Two\n\nSecond scene voiceover.\n\n// note two\n\n"
                          "# Three\n\nThird scene voiceover here.\n");
}

inline bool writePNG(const QString &path, int width = 40, int height = 30)
{
    QImage image(width, height, QImage::Format_RGBA8888);
    image.fill(Qt::darkCyan);
    return image.save(path, "PNG");
}

inline QString sceneID(const ProjectEditorViewModel &editor, const QString &title)
{
    for (const Scene &scene : editor.project().scenes) {
        if (scene.title == title)
            return scene.id;
    }
    ADD_FAILURE() << "no scene " << title.toStdString();
    return {};
}

inline QStringList orderedTitles(const ProjectEditorViewModel &editor)
{
    QStringList titles;
    for (const Scene &scene : editor.project().orderedScenes())
        titles << scene.title;
    return titles;
}

// Interface language English, a store in a fresh folder, and a test-driven clock. Editors are
// opened on projects saved through the store, each told about saves through `changes`.
class EditorFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        savedLanguage = L10nRuntime::lang();
        InterfaceTranslation::apply(ResolvedLanguage::english);
    }
    void TearDown() override { InterfaceTranslation::apply(savedLanguage); }

    // A project with the script's blocks and scenes, written by the store.
    StoryboardProject savedProject(const QString &script, const QString &title = "Film")
    {
        auto created = store.createProject(
            title, VideoSettings::preset(VideoSettings::FormatPreset::horizontalHD, 25));
        EXPECT_TRUE(created.has_value());
        StoryboardProject project = *created;
        const ParsedScriptDocument parsed = ScriptDocumentCodec::parse(script, {});
        project.scriptBlocks = parsed.blocks;
        project.scenes = parsed.scenes;
        for (Scene &scene : project.scenes)
            scene.marker.title = scene.markerName();
        EXPECT_TRUE(store.saveProject(project).has_value());
        return project;
    }

    std::unique_ptr<ProjectEditorViewModel> open(const StoryboardProject &project)
    {
        return std::make_unique<ProjectEditorViewModel>(
            project, store, [this](const StoryboardProject &saved) { changes.append(saved); },
            &scheduler);
    }

    std::unique_ptr<ProjectEditorViewModel> openScript(const QString &script = threeSceneScript())
    {
        return open(savedProject(script));
    }

    StoryboardProject onDisk(const StoryboardProject &project)
    {
        auto package = store.packagePath(project);
        EXPECT_TRUE(package.has_value());
        auto loaded = store.loadProject(package.value_or(QString()));
        EXPECT_TRUE(loaded.has_value());
        return loaded.value_or(StoryboardProject{});
    }

    QTemporaryDir dir{sandboxRoot() + QStringLiteral("/editor-XXXXXX")};
    LocalProjectStore store{dir.path() + QStringLiteral("/Projects")};
    ManualEditorScheduler scheduler;
    QList<StoryboardProject> changes;
    ResolvedLanguage savedLanguage = ResolvedLanguage::english;
};

} // namespace veskel::test
