#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace veskel {

// An earlier project file kept in a package, or a conflict copy a sync tool left beside
// project.json; built by the store, never written.
struct ProjectVersion
{
    // What `veskel-cli versions` prints and `restore` takes: the file's name without ".json"
    // ("2026-12-06T22-43-04Z", "project (conflicted copy 2026-12-06)").
    QString name;
    // When that state was saved (UTC, whole seconds); a conflict copy's modification time.
    QDateTime savedAt;
    // Nothing when the file cannot be read as JSON.
    std::optional<int> sceneCount;
    bool conflictCopy = false;

    bool operator==(const ProjectVersion &) const = default;
};

} // namespace veskel
