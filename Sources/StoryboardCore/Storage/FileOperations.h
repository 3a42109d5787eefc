#pragma once

#include <QByteArray>
#include <QString>

#include <expected>

namespace veskel {

// The few file-system operations the store needs, each reporting the platform's own
// description of a failure ("Permission denied", "File exists") so that messages can quote it.
namespace FileOperations {

using Result = std::expected<void, QString>;

// Succeeds when the folder already exists.
Result createDirectory(const QString &path, bool withParents);
// Why a move failed: `targetTaken` when an item lies at the target, even one that appeared at
// that very moment.
struct MoveError
{
    bool targetTaken = false;
    QString description;
};

// Refuses to replace an existing item at `to`, in one step where the file system allows it
// (renameat2 with RENAME_NOREPLACE): an item that appears at `to` meanwhile is never replaced.
std::expected<void, MoveError> moveWithoutReplacing(const QString &from, const QString &to);
// moveWithoutReplacing, for callers that only report the failure.
Result move(const QString &from, const QString &to);
// Refuses to replace an existing item at `to`. Atomic like writeAtomically: a failed copy
// leaves nothing at `to`.
Result copyFile(const QString &from, const QString &to);
Result removeFile(const QString &path);
// Written aside, then put in place in one step: a reader sees the old or the new bytes, and a
// failed write (a full disk) leaves the old file as it was and nothing beside it. Not synced
// to the disk: for files that can be made again (an export); syncFolder makes a batch durable.
Result writeAtomically(const QString &path, const QByteArray &bytes);
// Flushes the folder's entries (the names that writeAtomically put in place) to the disk.
Result syncFolder(const QString &path);
// Creates the file, which must not exist, and writes it to the disk (fdatasync) before
// returning. A failed write leaves nothing at `path`.
Result writeNewFile(const QString &path, const QByteArray &bytes);

// The freedesktop home trash ($XDG_DATA_HOME/Trash, with files/ and info/), created when
// missing. Without it Qt 6.4 "trashes" into ./files of the current directory.
std::expected<QString, QString> ensureHomeTrash();
// Moves a file or folder to the trash and checks it arrived in a trash folder's "files";
// otherwise puts it back and fails. Returns the item's path in the trash.
std::expected<QString, QString> moveToTrash(const QString &path);
// Puts an item moveToTrash returned back at `original` and drops its info file. Only an item in
// a trash folder's "files" is taken; an item now standing at `original` is never replaced.
Result restoreFromTrash(const QString &trashed, const QString &original);

} // namespace FileOperations

} // namespace veskel
