#pragma once

#include "StoryboardCore/Protocols/ProjectStoreError.h"
#include "StoryboardCore/Storage/KnownPackages.h"

#include <QByteArray>
#include <QString>

#include <expected>
#include <optional>

namespace veskel {

// Puts a new project.json in a package without ever replacing one the store has not seen,
// even when another program writes it at the same moment; without locks, by renames that
// never replace (FileOperations::moveWithoutReplacing):
//   1. the new bytes go to a hidden file beside project.json, synced to the disk;
//   2. the current project.json moves into the versions folder under a version name;
//   3. what moved must be the file last seen (stamp and digest). If it is not, it goes back;
//      if a new project.json appeared meanwhile, it stays beside it as a conflict copy. The
//      save is refused (changedOutside);
//   4. the new file moves to project.json, unless one appeared meanwhile: then the save is
//      refused and that file stays.
// Whatever happens, no file goes that was not seen, and an unseen one keeps its bytes.
namespace ProjectFileReplacement {

struct Replaced
{
    // The seen project.json the new file replaced, now in the versions folder; nothing for a
    // package that had none. ProjectVersions::settle decides whether it stays.
    std::optional<QString> previous;
    KnownPackages::SeenFile written;
};

// `seen`: the project.json last read or written for this project; nothing when none was.
std::expected<Replaced, ProjectStoreError>
replace(const QString &package,
        const QByteArray &bytes,
        const std::optional<KnownPackages::SeenFile> &seen);

// The file at `path` as read now, with its stamp taken before reading, so that a write while
// reading shows as a change later.
struct ReadFile
{
    QByteArray bytes;
    std::optional<KnownPackages::SeenFile> seen;
};
std::expected<ReadFile, QString> read(const QString &path);
// The file is there but holds no project that can be read (another program is writing it).
bool isUnreadable(const QString &path);

} // namespace ProjectFileReplacement

} // namespace veskel
