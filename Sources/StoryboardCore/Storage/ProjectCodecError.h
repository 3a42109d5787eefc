#pragma once

#include <QString>

namespace veskel {

// Why a project document could not be read or written. `path` names the offending value
// ("scenes[2].marker.type"), `detail` carries what was found.
struct ProjectCodecError
{
    enum class Kind {
        malformedJSON,
        missingKey,
        wrongType,
        unknownRawValue,
        invalidDate,
        nonFiniteNumber,
    };

    Kind kind = Kind::malformedJSON;
    QString path;
    QString detail;

    // Case name and payload, e.g. "missingKey(scenes[0].title)".
    QString description() const;

    bool operator==(const ProjectCodecError &) const = default;
};

} // namespace veskel
