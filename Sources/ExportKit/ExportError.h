#pragma once

#include <QString>

namespace veskel {

// Why an export stopped. `description()` is the message the user reads.
struct ExportError
{
    enum class Kind {
        invalidProject,             // payload: the first blocking issue's wording
        cannotRenderCard,           // sceneID, payload: the renderer's error written out
        cannotWriteXML,             // payload: the exporter's error written out, or the cause
        missingMedia,               // sceneID
        writeFailed,                // payload: which file and why
        exportsFolderNotAccessible, // no payload
        // A file-system failure passed on as it came (creating the folders, removing an old
        // card). payload: what was attempted and the platform's description.
        fileOperationFailed,
    };

    Kind kind = Kind::writeFailed;
    QString sceneID;
    QString payload;

    static ExportError invalidProject(const QString &message)
    {
        return {Kind::invalidProject, {}, message};
    }
    static ExportError cannotRenderCard(const QString &sceneID, const QString &detail)
    {
        return {Kind::cannotRenderCard, sceneID, detail};
    }
    static ExportError cannotWriteXML(const QString &message)
    {
        return {Kind::cannotWriteXML, {}, message};
    }
    static ExportError missingMedia(const QString &sceneID)
    {
        return {Kind::missingMedia, sceneID, {}};
    }
    static ExportError writeFailed(const QString &message)
    {
        return {Kind::writeFailed, {}, message};
    }
    static ExportError exportsFolderNotAccessible()
    {
        return {Kind::exportsFolderNotAccessible, {}, {}};
    }
    static ExportError fileOperationFailed(const QString &description)
    {
        return {Kind::fileOperationFailed, {}, description};
    }

    // "Project cannot be exported: Project title is empty.", "Could not write FCPXML:
    // emptyProject".
    QString description() const;

    bool operator==(const ExportError &) const = default;
};

} // namespace veskel
