#include "StoryboardCore/Models/Scene.h"

#include "StoryboardCore/Storage/ISODate.h"
#include "StoryboardCore/Storage/JSONReader.h"

#include <QJsonArray>

namespace veskel {

QString Scene::sceneNumber() const
{
    // Widened first: an order read from a file may be INT_MAX.
    return QStringLiteral("%1").arg(qint64(order) + 1, 3, 10, QLatin1Char('0'));
}

QString Scene::clipName() const
{
    return u'S' + sceneNumber() + QStringLiteral(" \u00B7 ") + title;
}

QJsonObject Scene::toJSON() const
{
    QJsonObject object = withUnknownKeys(unknownKeys, {
        {QStringLiteral("id"), id},
        {QStringLiteral("order"), order},
        {QStringLiteral("title"), title},
        {QStringLiteral("durationSeconds"), durationSeconds},
        {QStringLiteral("type"), rawValue(type)},
        {QStringLiteral("onScreenText"), onScreenText},
        {QStringLiteral("voiceoverText"), voiceoverText},
        {QStringLiteral("productionNote"), productionNote},
        {QStringLiteral("marker"), marker.toJSON()},
        {QStringLiteral("tags"), QJsonArray::fromStringList(tags)},
        {QStringLiteral("createdAt"), isoDateString(createdAt)},
        {QStringLiteral("updatedAt"), isoDateString(updatedAt)},
    });
    if (image)
        object.insert(QStringLiteral("image"), image->toJSON());
    return object;
}

Scene Scene::fromJSON(JSONReader &reader)
{
    Scene scene;
    scene.id = reader.string(QStringLiteral("id"));
    scene.order = reader.integer(QStringLiteral("order"));
    scene.title = reader.string(QStringLiteral("title"));
    scene.durationSeconds = reader.number(QStringLiteral("durationSeconds"));
    scene.type = reader.enumeration(QStringLiteral("type"), SceneType::placeholder);
    scene.onScreenText = reader.string(QStringLiteral("onScreenText"), QString());
    scene.voiceoverText = reader.string(QStringLiteral("voiceoverText"), QString());
    scene.productionNote = reader.string(QStringLiteral("productionNote"), QString());
    scene.image = reader.optionalObject<SceneImage>(QStringLiteral("image"), &SceneImage::fromJSON);
    scene.marker = reader.object<SceneMarker>(QStringLiteral("marker"), &SceneMarker::fromJSON,
                                              SceneMarker{});
    scene.tags = reader.stringList(QStringLiteral("tags"), {});
    scene.createdAt = reader.date(QStringLiteral("createdAt"), reader.now());
    scene.updatedAt = reader.date(QStringLiteral("updatedAt"), reader.now());
    scene.unknownKeys = reader.unknownKeys();
    return scene;
}

} // namespace veskel
