#pragma once

#include "StoryboardCore/Storage/KnownPackages.h"
#include "StoryboardCore/Storage/ProjectFileIO.h"

#include <QString>

#include <memory>

namespace veskel {

// Finds a project's package by the id in its project.json, not by folder name: where it was
// last seen first, then where its title would put it, then every package of the tree. A
// package copied by hand, which holds the same id as its original, goes by a fresh id until
// its next save writes it (KnownPackages keeps both).
class PackageLocator
{
public:
    template<typename T>
    using Result = ProjectStore::Result<T>;

    PackageLocator(QString root, std::shared_ptr<KnownPackages> known);

    const QString &root() const { return m_root; }
    KnownPackages &known() const { return *m_known; }

    // The package's project with the fresh id it goes by, if any.
    Result<ProjectFileIO::ReadProject> open(const QString &package) const;
    bool holds(const QString &package, const QString &id) const;
    // The id a project read from `package` goes by: its own, unless another package that
    // still holds it is where that id was last seen; then a fresh one.
    QString claimID(const QString &id, const QString &package) const;
    Result<QString> locate(const StoryboardProject &project) const;

private:
    QString m_root;
    std::shared_ptr<KnownPackages> m_known;
};

} // namespace veskel
