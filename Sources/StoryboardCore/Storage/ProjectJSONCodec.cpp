#include "StoryboardCore/Storage/ProjectJSONCodec.h"

#include "StoryboardCore/Storage/ISODate.h"
#include "StoryboardCore/Storage/JSONReader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>

namespace veskel::ProjectJSONCodec {

namespace {

// QJsonDocument would silently write a non-finite number as null.
std::optional<QString> firstNonFinite(const QJsonValue &value, const QString &path)
{
    if (value.isDouble())
        return std::isfinite(value.toDouble()) ? std::nullopt : std::optional(path);
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            const QString child = path.isEmpty() ? it.key() : path + u'.' + it.key();
            if (auto found = firstNonFinite(it.value(), child))
                return found;
        }
    } else if (value.isArray()) {
        const QJsonArray array = value.toArray();
        for (qsizetype i = 0; i < array.size(); ++i) {
            if (auto found = firstNonFinite(array.at(i), path + u'[' + QString::number(i) + u']'))
                return found;
        }
    }
    return std::nullopt;
}

} // namespace

std::expected<QByteArray, ProjectCodecError> encodeObject(const QJsonObject &object)
{
    if (std::optional<QString> path = firstNonFinite(object, QString()))
        return std::unexpected(
            ProjectCodecError{ProjectCodecError::Kind::nonFiniteNumber, *path, QString()});
    QByteArray json = QJsonDocument(object).toJson(QJsonDocument::Indented);
    if (json.endsWith('\n'))
        json.chop(1);
    // Outside strings JSON text has no "/", so escaping every one is exact.
    json.replace("/", "\\/");
    return json;
}

std::expected<QByteArray, ProjectCodecError> encode(const StoryboardProject &project)
{
    return encodeObject(project.toJSON());
}

std::expected<StoryboardProject, ProjectCodecError> decode(const QByteArray &data)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(data, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return std::unexpected(ProjectCodecError{ProjectCodecError::Kind::malformedJSON, QString(),
                                                 parseError.errorString()});
    if (!document.isObject())
        return std::unexpected(ProjectCodecError{ProjectCodecError::Kind::wrongType, QString(),
                                                 QStringLiteral("expected an object")});
    // Dates the file leaves out become now, so the project read equals the project read back
    // after its next save.
    std::optional<ProjectCodecError> error;
    JSONReader reader(document.object(), QString(), currentFileTime(), &error);
    StoryboardProject project = StoryboardProject::fromJSON(reader);
    if (error)
        return std::unexpected(*error);
    return project;
}

} // namespace veskel::ProjectJSONCodec
