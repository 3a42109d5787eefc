#pragma once

#include <QString>

namespace veskel {

// Why no FCPXML document could be built. The export package wraps it into its own error,
// written out by description().
struct FCPXMLExportError
{
    enum class Kind {
        // payload: the scene's id
        missingCardFile,
        // payload: the message
        invalidProject,
        // no payload
        emptyProject,
    };

    Kind kind = Kind::emptyProject;
    QString payload;

    static FCPXMLExportError missingCardFile(const QString &sceneID)
    {
        return {Kind::missingCardFile, sceneID};
    }
    static FCPXMLExportError invalidProject(const QString &message)
    {
        return {Kind::invalidProject, message};
    }
    static FCPXMLExportError emptyProject() { return {Kind::emptyProject, {}}; }

    // Case name and payload: `emptyProject`, `invalidProject("Unsupported frame rate: 29")`.
    QString description() const;

    bool operator==(const FCPXMLExportError &) const = default;
};

} // namespace veskel
