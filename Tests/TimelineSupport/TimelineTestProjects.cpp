#include "TimelineTestProjects.h"

#include <array>
#include <limits>

namespace veskel::test {

Scene makeScene(int order, const QString &title, double seconds)
{
    Scene scene;
    scene.id = QStringLiteral("SCENE-%1").arg(order);
    scene.order = order;
    scene.title = title;
    scene.durationSeconds = seconds;
    return scene;
}

StoryboardProject makeProject(const QString &title, int fps, const QList<Scene> &scenes)
{
    StoryboardProject project;
    project.title = title;
    project.videoSettings.width = 1920;
    project.videoSettings.height = 1080;
    project.videoSettings.fps = fps;
    project.scenes = scenes;
    return project;
}

QHash<QString, NarrationFile> narrationsOfEveryOtherScene(const StoryboardProject &project)
{
    static constexpr std::array<qint64, 4> lengths{72'100, 500, 480'000, 48'000};
    QHash<QString, NarrationFile> narrations;
    const QList<Scene> scenes = project.orderedScenes();
    for (qsizetype i = 0; i < scenes.size(); i += 2) {
        narrations.insert(scenes[i].id,
                          {QStringLiteral("Narration/S%1.wav").arg(scenes[i].sceneNumber()),
                           lengths[size_t(i / 2) % lengths.size()]});
    }
    return narrations;
}

StoryboardProject allMarkerKinds(int fps)
{
    QList<Scene> scenes{makeScene(0, QStringLiteral("Standard"), 2),
                        makeScene(1, QStringLiteral("To-do done"), 3),
                        makeScene(2, QStringLiteral("To-do open"), 1.5),
                        makeScene(3, QStringLiteral("Chapter"), 4)};
    scenes[0].marker.note = QStringLiteral("Check framing");
    scenes[1].marker = {MarkerType::toDo, QStringLiteral("Fix audio"), {}, true};
    scenes[1].productionNote = QStringLiteral("From the scene");
    scenes[2].marker.type = MarkerType::toDo;
    scenes[3].marker
        = {MarkerType::chapter, QStringLiteral("Part two"), QStringLiteral("n"), false};
    return makeProject(QStringLiteral("Markers"), fps, scenes);
}

StoryboardProject escaping(int fps)
{
    Scene scene = makeScene(0, QStringLiteral("Q&A <draft> \"one\" 'two'"), 3);
    scene.marker.title = QStringLiteral("A & B");
    scene.marker.note = QStringLiteral("<b>bold</b> & \"quoted\"");
    return makeProject(QStringLiteral("Tom & Jerry's <show>"), fps, {scene});
}

StoryboardProject emptyTitles(int fps)
{
    return makeProject({}, fps, {makeScene(0, {}, 2), makeScene(1, {}, 1)});
}

StoryboardProject zeroFrameScenes(int fps)
{
    return makeProject(
        QStringLiteral("Gaps"), fps,
        {makeScene(0, QStringLiteral("zero"), 0), makeScene(1, QStringLiteral("a"), 2),
         makeScene(2, QStringLiteral("tiny"), 0.001), makeScene(3, QStringLiteral("negative"), -3),
         makeScene(4, QStringLiteral("nan"), std::numeric_limits<double>::quiet_NaN()),
         makeScene(5, QStringLiteral("b"), 3.3)});
}

StoryboardProject multiLineNotes(int fps)
{
    QList<Scene> scenes{makeScene(0, QStringLiteral("One"), 2),
                        makeScene(1, QStringLiteral("Two"), 2)};
    scenes[0].marker.note = QStringLiteral("Line one\nLine two\n\n\tindented");
    scenes[1].productionNote = QStringLiteral("Windows\r\nbreak, old Mac\rbreak");
    scenes[1].marker.type = MarkerType::chapter;
    return makeProject(QStringLiteral("Notes"), fps, scenes);
}

StoryboardProject cyrillicAndEmoji(int fps)
{
    Scene scene = makeScene(0, QStringLiteral("Вступление 🎬"), 4);
    scene.marker.note = QStringLiteral("Проверить 👍🏽 и 👨‍👩‍👧");
    return makeProject(QStringLiteral("Видео про котов 🐈"), fps, {scene});
}

StoryboardProject forbiddenCharacters(int fps)
{
    QString title = QStringLiteral("a\x01"
                                   "b\x0B"
                                   "c\x1F"
                                   "d");
    title += QChar(0xFFFE) + QStringLiteral("e") + QChar(0xFFFF) + QChar(0xD800) + u'f'
             + QChar(0xDC00);
    Scene scene = makeScene(0, title, 2);
    scene.marker.note = QString(QChar(0x0C));
    scene.productionNote = QStringLiteral("kept\tnote");
    return makeProject(QStringLiteral("Bad\x02title"), fps, {scene});
}

StoryboardProject storedOutOfOrder(int fps)
{
    return makeProject(QStringLiteral("Order"), fps,
                       {makeScene(2, QStringLiteral("third"), 1),
                        makeScene(0, QStringLiteral("first"), 2),
                        makeScene(1, QStringLiteral("second"), 2.5)});
}

StoryboardProject hugeDurations(int fps)
{
    return makeProject(QStringLiteral("T"), fps,
                       {makeScene(0, QStringLiteral("a"), 1e300),
                        makeScene(1, QStringLiteral("b"), 1e300),
                        makeScene(2, QStringLiteral("c"), 5)});
}

const QList<TimelineCase> &timelineCases()
{
    static const QList<TimelineCase> cases{
        {"allMarkerKinds", allMarkerKinds},
        {"escaping", escaping},
        {"emptyTitles", emptyTitles},
        {"zeroFrameScenes", zeroFrameScenes},
        {"multiLineNotes", multiLineNotes},
        {"cyrillicAndEmoji", cyrillicAndEmoji},
        {"forbiddenCharacters", forbiddenCharacters},
        {"storedOutOfOrder", storedOutOfOrder},
        {"hugeDurations", hugeDurations},
    };
    return cases;
}

std::string timelineCaseName(const ::testing::TestParamInfo<std::tuple<TimelineCase, int>> &info)
{
    return std::string(std::get<0>(info.param).name) + "At"
           + std::to_string(std::get<1>(info.param));
}

void PrintTo(const TimelineCase &timelineCase, std::ostream *out)
{
    *out << timelineCase.name;
}

} // namespace veskel::test
