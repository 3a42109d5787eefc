#pragma once

#include "ExportKit/ExportError.h"

#include <QByteArray>
#include <QSet>
#include <QString>

#include <expected>

namespace veskel::ExportFiles {

// “/path/to/file”, for messages.
QString quoted(const QString &path);

// Replaces the file in one step; on failure an earlier file stays as it was. The folder was
// checked already; a link in the file's place is refused, as writing would follow it. Gives
// the platform's description of a failure.
std::expected<void, QString> writeAtomically(const QString &path, const QByteArray &bytes);

// No link on the way from the package to `path`, which the export writes into or below.
std::expected<void, ExportError> checkInside(const QString &package, const QString &path);

std::expected<void, ExportError> makeFolder(const QString &path);

// Deletes the files of `folder` ending in `.suffix` (any case) that are not named in `keep`;
// everything else stays, hidden files and folders included.
std::expected<void, ExportError>
removeOrphans(const QString &folder, const QString &suffix, const QSet<QString> &keep);

} // namespace veskel::ExportFiles
