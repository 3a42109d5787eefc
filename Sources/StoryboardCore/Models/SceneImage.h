#pragma once

#include "StoryboardCore/Models/RawValue.h"

#include <QJsonObject>

#include <array>

namespace veskel {

class JSONReader;

// A reference image copied into the package's "Media" folder.
struct SceneImage
{
    enum class MimeType { png, jpeg, webp, gif, svg, pdf };

    QString id;
    QString originalFileName;
    // File name inside "Media": the owning scene's id, "." and the lower-case extension.
    QString localPath;
    MimeType mimeType = MimeType::png;
    int width = 0;
    int height = 0;
    // Members written by a later version, kept as read and written back.
    QJsonObject unknownKeys = {};

    bool operator==(const SceneImage &) const = default;

    QJsonObject toJSON() const;
    static SceneImage fromJSON(JSONReader &reader);
};

template<>
struct EnumTraits<SceneImage::MimeType>
{
    using M = SceneImage::MimeType;
    static constexpr std::array allCases{M::png, M::jpeg, M::webp, M::gif, M::svg, M::pdf};
};

QString rawValue(SceneImage::MimeType type);

} // namespace veskel
