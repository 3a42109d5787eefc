#include "StoryboardCore/Sample/SampleProject.h"

#include "StoryboardCore/Script/ScriptSceneSync.h"
#include "StoryboardCore/Utilities/UUID.h"

namespace veskel::SampleProject {

namespace {

struct Row
{
    const char *title;
    double durationSeconds;
    SceneType type;
    const char *onScreen;
    const char *voiceover;
    const char *note;
};

// clang-format off
const Row rows[] = {
    {"Problem", 10, SceneType::motionGraphic,
     "Интерфейс — это не просто красивая картинка",
     "Многие путают UI с декором экрана.",
     "Показать типичные ошибки восприятия."},
    {"Definition", 10, SceneType::uiDemo,
     "Дизайн интерфейсов — это способ помочь человеку выполнить задачу",
     "Здесь я объясняю, почему интерфейс — это не картинка.",
     "Показать карточки UI / UX / CX, затем оставить только задачу пользователя."},
    {"Transformation", 8, SceneType::motionGraphic,
     "Хороший интерфейс снимает трение",
     "Когда структура ясна, пользователь быстрее доходит до цели.",
     "Before/after сравнение."},
    {"Example", 12, SceneType::screenRecording,
     "Пример: форма регистрации",
     "Разберём реальный экран и найдём, что помогает, а что мешает.",
     "Скринкаст с подсветкой элементов."},
    {"Scene 7", 8, SceneType::imageReference,
     "", "", "Подобрать референс для иллюстрации."},
    {"Scene 8", 8, SceneType::placeholder,
     "", "", ""},
    {"Summary", 6, SceneType::summary,
     "Интерфейс = задача + ясность + обратная связь",
     "Запомните три опоры хорошего интерфейса.",
     "Финальная карточка с тремя пунктами."},
};
// clang-format on

} // namespace

StoryboardProject make()
{
    // Whole seconds, as the project file holds them: the installed sample reads back equal.
    const QDateTime now
        = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::UTC);

    StoryboardProject project;
    project.id = identifier;
    project.title = QStringLiteral("Sample \u00B7 What is Interface Design");
    project.createdAt = now;
    project.updatedAt = now;
    project.videoSettings = VideoSettings{3840, 2160, 25, VideoSettings::ColorSpace::rec709, 8.0};
    project.exportSettings = ExportSettings::defaultSettings();
    project.version = 1;

    int order = 0;
    for (const Row &row : rows) {
        Scene scene;
        scene.id = makeUUID();
        scene.order = order++;
        scene.title = QString::fromUtf8(row.title);
        scene.durationSeconds = row.durationSeconds;
        scene.type = row.type;
        scene.createdAt = now;
        scene.updatedAt = now;

        const auto addBlock = [&](const char *text, ScriptBlockRole role) {
            const QString content = QString::fromUtf8(text);
            if (!content.isEmpty())
                project.scriptBlocks.append(ScriptBlock{makeUUID(), content, role, scene.id});
        };
        const qsizetype blocksBefore = project.scriptBlocks.size();
        addBlock(row.onScreen, ScriptBlockRole::onScreen);
        addBlock(row.voiceover, ScriptBlockRole::voiceover);
        addBlock(row.note, ScriptBlockRole::note);
        // Every scene owns a block, so its heading stands where it belongs in the document.
        if (project.scriptBlocks.size() == blocksBefore)
            project.scriptBlocks.append(
                ScriptBlock{makeUUID(), QString(), ScriptBlockRole::voiceover, scene.id});
        project.scenes.append(scene);
    }

    for (Scene &scene : project.scenes) {
        const QList<ScriptBlock> &blocks = project.scriptBlocks;
        scene.onScreenText
            = ScriptSceneSync::fieldText(ScriptBlockRole::onScreen, scene.id, blocks);
        scene.voiceoverText
            = ScriptSceneSync::fieldText(ScriptBlockRole::voiceover, scene.id, blocks);
        scene.productionNote = ScriptSceneSync::fieldText(ScriptBlockRole::note, scene.id, blocks);
        scene.updatedAt
            = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::UTC);
        scene.marker
            = SceneMarker{MarkerType::standard, scene.markerName(), scene.productionNote, false};
    }
    return project;
}

} // namespace veskel::SampleProject
