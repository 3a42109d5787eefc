#pragma once

#include <QCoreApplication>
#include <QString>

namespace veskel {

// Why an export stopped. `description()` is the message the user reads: a sentence in the
// interface language (English where no translator is installed) that names the scene by its
// label and says what to do.
struct ExportError
{
    Q_DECLARE_TR_FUNCTIONS(ExportError)

public:
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
        cannotWriteAnimatic, // payload: the animatic writer's error written out
        // The animatic was stopped on request, after the rest of the package was written.
        cancelled,
    };

    Kind kind = Kind::writeFailed;
    QString sceneID;
    QString payload;
    // "S003 Intro", filled in by the export from the project.
    QString sceneLabel;

    static ExportError invalidProject(const QString &message)
    {
        return {Kind::invalidProject, {}, message, {}};
    }
    static ExportError cannotRenderCard(const QString &sceneID, const QString &detail)
    {
        return {Kind::cannotRenderCard, sceneID, detail, {}};
    }
    static ExportError cannotWriteXML(const QString &message)
    {
        return {Kind::cannotWriteXML, {}, message, {}};
    }
    static ExportError missingMedia(const QString &sceneID)
    {
        return {Kind::missingMedia, sceneID, {}, {}};
    }
    static ExportError writeFailed(const QString &message)
    {
        return {Kind::writeFailed, {}, message, {}};
    }
    static ExportError exportsFolderNotAccessible()
    {
        return {Kind::exportsFolderNotAccessible, {}, {}, {}};
    }
    static ExportError fileOperationFailed(const QString &description)
    {
        return {Kind::fileOperationFailed, {}, description, {}};
    }

    static ExportError cannotWriteAnimatic(const QString &detail)
    {
        return {Kind::cannotWriteAnimatic, {}, detail, {}};
    }
    static ExportError cancelled() { return {Kind::cancelled, {}, {}, {}}; }

    // "Project cannot be exported: The project has no title.", "Could not draw the card of
    // S002 Intro: … Check its reference image, then export again."
    QString description() const;

    bool operator==(const ExportError &) const = default;
};

} // namespace veskel
