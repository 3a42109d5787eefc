#include "StoryboardCore/Models/SceneImage.h"

#include "StoryboardCore/Storage/JSONReader.h"

namespace veskel {

QString rawValue(SceneImage::MimeType type)
{
    using M = SceneImage::MimeType;
    switch (type) {
    case M::png: return QStringLiteral("image/png");
    case M::jpeg: return QStringLiteral("image/jpeg");
    case M::webp: return QStringLiteral("image/webp");
    case M::gif: return QStringLiteral("image/gif");
    case M::svg: return QStringLiteral("image/svg+xml");
    case M::pdf: return QStringLiteral("application/pdf");
    }
    return {};
}

QJsonObject SceneImage::toJSON() const
{
    return withUnknownKeys(unknownKeys, QJsonObject{
        {QStringLiteral("id"), id},
        {QStringLiteral("originalFileName"), originalFileName},
        {QStringLiteral("localPath"), localPath},
        {QStringLiteral("mimeType"), rawValue(mimeType)},
        {QStringLiteral("width"), width},
        {QStringLiteral("height"), height},
    });
}

SceneImage SceneImage::fromJSON(JSONReader &reader)
{
    SceneImage image;
    image.id = reader.string(QStringLiteral("id"));
    image.originalFileName = reader.string(QStringLiteral("originalFileName"));
    image.localPath = reader.string(QStringLiteral("localPath"));
    image.mimeType = reader.enumeration<MimeType>(QStringLiteral("mimeType"));
    image.width = reader.integer(QStringLiteral("width"));
    image.height = reader.integer(QStringLiteral("height"));
    image.unknownKeys = reader.unknownKeys();
    return image;
}

} // namespace veskel
