#include "StoryboardCore/Protocols/ProjectStoreError.h"

namespace veskel {

namespace {
ProjectStoreError make(ProjectStoreError::Kind kind, const QString &payload = {})
{
    return ProjectStoreError{kind, payload};
}
} // namespace

ProjectStoreError ProjectStoreError::projectNotFound(const QString &name)
{
    return make(Kind::projectNotFound, name);
}

ProjectStoreError ProjectStoreError::corruptedProjectJSON(const QString &detail)
{
    return make(Kind::corruptedProjectJSON, detail);
}

ProjectStoreError ProjectStoreError::missingMediaFolder(const QString &packageName)
{
    return make(Kind::missingMediaFolder, packageName);
}

ProjectStoreError ProjectStoreError::duplicateSlug(const QString &slug)
{
    return make(Kind::duplicateSlug, slug);
}

ProjectStoreError ProjectStoreError::writeFailed(const QString &detail)
{
    return make(Kind::writeFailed, detail);
}

ProjectStoreError ProjectStoreError::deleteFailed(const QString &detail)
{
    return make(Kind::deleteFailed, detail);
}

ProjectStoreError ProjectStoreError::unsupportedImageFormat(const QString &extension)
{
    return make(Kind::unsupportedImageFormat, extension);
}

ProjectStoreError ProjectStoreError::imageImportFailed(const QString &detail)
{
    return make(Kind::imageImportFailed, detail);
}

ProjectStoreError ProjectStoreError::rootFolderNotAccessible()
{
    return make(Kind::rootFolderNotAccessible);
}

ProjectStoreError ProjectStoreError::fileOperationFailed(const QString &platformDescription)
{
    return make(Kind::fileOperationFailed, platformDescription);
}

ProjectStoreError ProjectStoreError::changedOutside(const QString &packageName)
{
    return make(Kind::changedOutside, packageName);
}

ProjectStoreError ProjectStoreError::versionNotFound(const QString &name)
{
    return make(Kind::versionNotFound, name);
}

QString ProjectStoreError::description() const
{
    switch (kind) {
    case Kind::projectNotFound:
        return QStringLiteral("Project not found: ") + payload + u'.';
    case Kind::corruptedProjectJSON:
        return QStringLiteral("Could not read project.json: ") + payload + u'.';
    case Kind::missingMediaFolder:
        return QStringLiteral("Media folder is missing in ") + payload + u'.';
    case Kind::duplicateSlug:
        return QStringLiteral("A project with slug \"") + payload
               + QStringLiteral("\" already exists. Choose a different title.");
    case Kind::writeFailed:
        return QStringLiteral("Could not save project: ") + payload + u'.';
    case Kind::deleteFailed:
        return QStringLiteral("Could not move project to Trash: ") + payload + u'.';
    case Kind::unsupportedImageFormat:
        return QStringLiteral("Unsupported image format: .") + payload
               + QStringLiteral(". Use PNG, JPEG, WebP, GIF, SVG, or PDF.");
    case Kind::imageImportFailed:
        return QStringLiteral("Could not import image: ") + payload + u'.';
    case Kind::rootFolderNotAccessible:
        return QStringLiteral("The Veskel projects folder is not accessible. Check permissions "
                              "for ~/Movies/Veskel/.");
    case Kind::fileOperationFailed:
        return payload;
    case Kind::changedOutside:
        return QStringLiteral("The project file in ") + payload
               + QStringLiteral(" was changed by another program since Veskel last read it, so "
                                "it was not overwritten.");
    case Kind::versionNotFound:
        return QStringLiteral("Version not found: ") + payload + u'.';
    }
    return {};
}

} // namespace veskel
