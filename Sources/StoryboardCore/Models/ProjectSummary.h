#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace veskel {

// One row of the project list, built by the store from a package on disk; never written.
struct ProjectSummary
{
    QString id;
    QString title;
    // The package folder's name without ".veskel".
    QString slug;
    QDateTime updatedAt;
    QDateTime createdAt;
    int sceneCount = 0;
    double totalDurationSeconds = 0;
    // Absolute path of the package folder.
    QString packagePath;
    int warningCount = 0;
    // The sidebar folder holding the package; absent directly in the projects root.
    std::optional<QString> folderName;
    // A sync tool left a conflict copy of project.json in the package (ProjectVersions).
    bool hasConflictCopy = false;

    bool operator==(const ProjectSummary &) const = default;
};

} // namespace veskel
