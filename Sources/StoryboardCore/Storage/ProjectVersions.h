#pragma once

#include "StoryboardCore/Models/ProjectVersion.h"

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace veskel {

// Earlier project files of a package, in its hidden ".versions" folder, each named after the
// time it was saved: "2026-12-06T22-43-04Z.json" ("…Z-2.json" when that second is taken).
// A save keeps the file it replaces unless a version was kept less than a minute ago (the
// editor saves every pause in typing); thinning keeps the newest `keptNewest`, and of the
// older ones the newest of each UTC day for `keptDays` days. Conflict copies a sync tool left
// beside project.json ("project (conflicted copy …).json", "project.sync-conflict-….json")
// are offered like versions and never removed.
namespace ProjectVersions {

inline constexpr int keptNewest = 50;
inline constexpr int keptDays = 30;
inline constexpr qint64 typingPauseSeconds = 60;

// The name a file saved at `time` gets, without ".json".
QString nameFor(const QDateTime &time);
// The time a version name stands for; nothing for any other name.
std::optional<QDateTime> timeOf(const QString &name);
bool isVersionFileName(const QString &fileName);
// "project" followed by a separator and anything, ending in ".json"; project.json itself and
// hidden files are not.
bool isConflictCopyFileName(const QString &fileName);

// Whether a save keeps the file it replaces, given the time of the newest version.
bool keepsReplacedFile(const std::optional<QDateTime> &newest, const QDateTime &now);
// The version names thinning removes from `names`.
QStringList thinned(const QStringList &names, const QDateTime &now);

// Names (without ".json") of the versions in the package, and of the conflict copies beside
// its project.json; plain files only, never links.
QStringList versionNames(const QString &package);
QStringList conflictCopyNames(const QString &package);
// The conflict copy changed last, as a path.
std::optional<QString> newestConflictCopy(const QString &package);
// The file a listed name stands for; nothing for a name that is neither.
std::optional<QString> fileOf(const QString &package, const QString &name);

// Versions and conflict copies, newest first.
QList<ProjectVersion> list(const QString &package);
// Image names every version and conflict copy refers to.
QSet<QString> referencedMediaNames(const QString &package);

// The save that replaced project.json moved the replaced file to `replaced` in the versions
// folder: it stays as a version when `alwaysKeep` or the rule above says so, otherwise it
// goes; then the versions are thinned.
void settle(const QString &package, const QString &replaced, const QDateTime &now, bool alwaysKeep);

} // namespace ProjectVersions

} // namespace veskel
