#include "StoryboardCore/Models/SceneMarker.h"

#include "StoryboardCore/Storage/JSONReader.h"

namespace veskel {

QJsonObject SceneMarker::toJSON() const
{
    return withUnknownKeys(unknownKeys, QJsonObject{
        {QStringLiteral("type"), rawValue(type)},
        {QStringLiteral("title"), title},
        {QStringLiteral("note"), note},
        {QStringLiteral("isCompleted"), isCompleted},
    });
}

SceneMarker SceneMarker::fromJSON(JSONReader &reader)
{
    SceneMarker marker;
    marker.type = reader.enumeration(QStringLiteral("type"), MarkerType::standard);
    marker.title = reader.string(QStringLiteral("title"));
    marker.note = reader.string(QStringLiteral("note"));
    marker.isCompleted = reader.boolean(QStringLiteral("isCompleted"), false);
    marker.unknownKeys = reader.unknownKeys();
    return marker;
}

} // namespace veskel
