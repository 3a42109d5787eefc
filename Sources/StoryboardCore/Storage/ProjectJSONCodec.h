#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"
#include "StoryboardCore/Storage/ProjectCodecError.h"

#include <QByteArray>
#include <QJsonObject>

#include <expected>

namespace veskel {

// The project file's JSON form: pretty-printed, keys sorted, dates ISO 8601 UTC with whole
// seconds, "/" escaped as "\/". Reading is strict about types and raw values and never hands
// out a partial project.
namespace ProjectJSONCodec {

std::expected<QByteArray, ProjectCodecError> encode(const StoryboardProject &project);
std::expected<StoryboardProject, ProjectCodecError> decode(const QByteArray &data);

// The writer behind `encode`, for any object written with the project file's settings.
std::expected<QByteArray, ProjectCodecError> encodeObject(const QJsonObject &object);

} // namespace ProjectJSONCodec

} // namespace veskel
