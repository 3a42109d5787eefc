#pragma once

#include "StoryboardCore/Protocols/ProjectStore.h"
#include "StoryboardCore/Storage/KnownPackages.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

namespace veskel {

// Reading and writing a package's project file. Writes go through the save guard
// (ProjectFileReplacement) and keep versions (ProjectVersions).
namespace ProjectFileIO {

template<typename T>
using Result = ProjectStore::Result<T>;

// A project as read from a file, with the file as seen for the save guard (nothing for a
// conflict copy read in place of a missing project.json).
struct ReadProject
{
    StoryboardProject project;
    std::optional<KnownPackages::SeenFile> seen;
};

// Why the package's project cannot be read, found without reading it: a linked file, no
// project.json, no Media folder.
std::optional<ProjectStoreError> packageFault(const QString &package);
// project.json, or when a sync tool left only a conflict copy, the newest of those.
std::optional<QString> projectFile(const QString &package);
Result<ReadProject> readFile(const QString &package, const QString &path);
// The package's project after the packageFault check, as stored (no fresh id).
Result<ReadProject> readPackage(const QString &package);
Result<StoryboardProject> readProject(const QString &package);
Result<void> ensureMediaFolderExists(const QString &package);

// Stamps updatedAt and writes atomically over the project.json last seen for the project
// (ProjectFileReplacement); keeps the replaced file as a version by the rule, judged at
// `clock`'s now, or, with `keepVersion`, always. Records what was written in `known`.
// Returns what was written.
Result<StoryboardProject> writeProject(StoryboardProject project,
                                       const QString &package,
                                       KnownPackages &known,
                                       const std::function<QDateTime()> &clock,
                                       bool keepVersion);

} // namespace ProjectFileIO

} // namespace veskel
