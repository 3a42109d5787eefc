#include "StoryboardCore/Models/StoryboardProject.h"

#include "StoryboardCore/Storage/ISODate.h"
#include "StoryboardCore/Storage/JSONReader.h"
#include "StoryboardCore/Utilities/Slug.h"

#include <QJsonArray>

#include <algorithm>

namespace veskel {

double StoryboardProject::totalDurationSeconds() const
{
    double total = 0;
    for (const Scene &scene : scenes)
        total += scene.durationSeconds;
    return total;
}

QList<Scene> StoryboardProject::orderedScenes() const
{
    // Scenes are in order after every parse: no copy to detach and sort then, which matters on
    // the keystroke path.
    const auto byOrder = [](const Scene &a, const Scene &b) { return a.order < b.order; };
    if (std::is_sorted(scenes.cbegin(), scenes.cend(), byOrder))
        return scenes;
    QList<Scene> sorted = scenes;
    std::stable_sort(sorted.begin(), sorted.end(), byOrder);
    return sorted;
}

const Scene *StoryboardProject::scene(const QString &id) const
{
    for (const Scene &candidate : scenes) {
        if (candidate.id == id)
            return &candidate;
    }
    return nullptr;
}

QString StoryboardProject::slug() const
{
    return slugified(title, 60);
}

namespace {
template<typename T>
QJsonArray toJSONArray(const QList<T> &items)
{
    QJsonArray array;
    for (const T &item : items)
        array.append(item.toJSON());
    return array;
}
} // namespace

QJsonObject StoryboardProject::toJSON() const
{
    return withUnknownKeys(unknownKeys, QJsonObject{
        {QStringLiteral("id"), id},
        {QStringLiteral("title"), title},
        {QStringLiteral("createdAt"), isoDateString(createdAt)},
        {QStringLiteral("updatedAt"), isoDateString(updatedAt)},
        {QStringLiteral("videoSettings"), videoSettings.toJSON()},
        {QStringLiteral("exportSettings"), exportSettings.toJSON()},
        {QStringLiteral("scenes"), toJSONArray(scenes)},
        {QStringLiteral("scriptBlocks"), toJSONArray(scriptBlocks)},
        {QStringLiteral("version"), version},
    });
}

StoryboardProject StoryboardProject::fromJSON(JSONReader &reader)
{
    StoryboardProject project;
    project.id = reader.string(QStringLiteral("id"));
    project.title = reader.string(QStringLiteral("title"));
    project.createdAt = reader.date(QStringLiteral("createdAt"));
    project.updatedAt = reader.date(QStringLiteral("updatedAt"));
    project.videoSettings = reader.object<VideoSettings>(QStringLiteral("videoSettings"),
                                                         &VideoSettings::fromJSON);
    project.exportSettings = reader.object<ExportSettings>(QStringLiteral("exportSettings"),
                                                           &ExportSettings::fromJSON);
    project.scenes = reader.list<Scene>(QStringLiteral("scenes"), true, &Scene::fromJSON);
    project.scriptBlocks = reader.list<ScriptBlock>(QStringLiteral("scriptBlocks"), false,
                                                    &ScriptBlock::fromJSON);
    project.version = reader.integer(QStringLiteral("version"));
    project.unknownKeys = reader.unknownKeys();
    return project;
}

} // namespace veskel
