#pragma once

#include <QString>

namespace veskel {

// Why a store operation failed. `payload` is the offending name or a detail sentence;
// `description()` is the message shown to the user (English only).
struct ProjectStoreError
{
    enum class Kind {
        projectNotFound,        // payload: project title, package or folder name
        corruptedProjectJSON,   // payload: detail
        missingMediaFolder,     // payload: package folder name
        duplicateSlug,          // payload: slug (never raised: collisions are numbered)
        writeFailed,            // payload: detail
        deleteFailed,           // payload: detail
        unsupportedImageFormat, // payload: extension without dot, or "unknown"
        imageImportFailed,      // payload: detail
        rootFolderNotAccessible,
        // A file-system error passed on as it came: the folder move of a rename, the media
        // copy of a duplicate, replacing an image copy. payload: the platform's description.
        fileOperationFailed,
        // A save found a project.json it had not read or written, and left it as it was.
        // payload: package folder name
        changedOutside,
        // payload: the version's name
        versionNotFound,
    };

    Kind kind = Kind::writeFailed;
    QString payload;

    static ProjectStoreError projectNotFound(const QString &name);
    static ProjectStoreError corruptedProjectJSON(const QString &detail);
    static ProjectStoreError missingMediaFolder(const QString &packageName);
    static ProjectStoreError duplicateSlug(const QString &slug);
    static ProjectStoreError writeFailed(const QString &detail);
    static ProjectStoreError deleteFailed(const QString &detail);
    static ProjectStoreError unsupportedImageFormat(const QString &extension);
    static ProjectStoreError imageImportFailed(const QString &detail);
    static ProjectStoreError rootFolderNotAccessible();
    static ProjectStoreError fileOperationFailed(const QString &platformDescription);
    static ProjectStoreError changedOutside(const QString &packageName);
    static ProjectStoreError versionNotFound(const QString &name);

    QString description() const;

    bool operator==(const ProjectStoreError &) const = default;
};

} // namespace veskel
