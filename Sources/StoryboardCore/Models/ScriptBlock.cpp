#include "StoryboardCore/Models/ScriptBlock.h"

#include "StoryboardCore/Storage/JSONReader.h"

namespace veskel {

QJsonObject ScriptBlock::toJSON() const
{
    QJsonObject object = withUnknownKeys(unknownKeys, {
        {QStringLiteral("id"), id},
        {QStringLiteral("text"), text},
        {QStringLiteral("role"), rawValue(role)},
    });
    if (sceneID)
        object.insert(QStringLiteral("sceneID"), *sceneID);
    return object;
}

ScriptBlock ScriptBlock::fromJSON(JSONReader &reader)
{
    ScriptBlock block;
    block.id = reader.string(QStringLiteral("id"));
    block.text = reader.string(QStringLiteral("text"));
    block.role = scriptBlockRoleFromJSON(reader.string(QStringLiteral("role")));
    block.sceneID = reader.optionalString(QStringLiteral("sceneID"));
    block.unknownKeys = reader.unknownKeys();
    return block;
}

} // namespace veskel
