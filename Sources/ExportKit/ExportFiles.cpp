#include "ExportKit/ExportFiles.h"

#include "StoryboardCore/Storage/FileOperations.h"
#include "StoryboardCore/Storage/PackageGuard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace veskel::ExportFiles {

QString quoted(const QString &path)
{
    return u'\u201C' + QDir::toNativeSeparators(path) + u'\u201D';
}

std::expected<void, QString> writeAtomically(const QString &path, const QByteArray &bytes)
{
    if (auto ok = PackageGuard::check(QFileInfo(path).path(), path); !ok)
        return ok;
    return FileOperations::writeAtomically(path, bytes);
}

std::expected<void, ExportError> checkInside(const QString &package, const QString &path)
{
    if (auto ok = PackageGuard::check(package, path); !ok)
        return std::unexpected(ExportError::writeFailed(ok.error()));
    return {};
}

std::expected<void, ExportError> makeFolder(const QString &path)
{
    if (const auto made = FileOperations::createDirectory(path, true); !made) {
        return std::unexpected(ExportError::fileOperationFailed(
            QStringLiteral("Could not create the folder %1: %2").arg(quoted(path), made.error())));
    }
    return {};
}

std::expected<void, ExportError>
removeOrphans(const QString &folder, const QString &suffix, const QSet<QString> &keep)
{
    if (!QFileInfo(folder).isDir())
        return {};
    // Without QDir::Hidden: hidden files are not listed. Folders are never removed.
    const QFileInfoList entries
        = QDir(folder).entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.suffix().compare(suffix, Qt::CaseInsensitive) != 0
            || keep.contains(entry.fileName()))
            continue;
        QFile file(entry.filePath());
        if (!file.remove()) {
            return std::unexpected(ExportError::fileOperationFailed(
                QStringLiteral("Could not delete %1: %2")
                    .arg(quoted(entry.filePath()), file.errorString())));
        }
    }
    return {};
}

} // namespace veskel::ExportFiles
