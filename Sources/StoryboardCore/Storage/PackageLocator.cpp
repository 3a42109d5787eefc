#include "StoryboardCore/Storage/PackageLocator.h"

#include "StoryboardCore/Storage/LocalPaths.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"
#include "StoryboardCore/Storage/ProjectsTree.h"
#include "StoryboardCore/Utilities/UUID.h"

namespace veskel {

namespace Paths = ProjectPackagePaths;

PackageLocator::PackageLocator(QString root, std::shared_ptr<KnownPackages> known)
    : m_root(std::move(root))
    , m_known(std::move(known))
{
}

PackageLocator::Result<ProjectFileIO::ReadProject>
PackageLocator::open(const QString &package) const
{
    auto read = ProjectFileIO::readPackage(package);
    if (read) {
        if (const auto freshID = m_known->freshID(package, read->project.id))
            read->project.id = *freshID;
    }
    return read;
}

bool PackageLocator::holds(const QString &package, const QString &id) const
{
    // A long film's file takes milliseconds to decode, and the editor asks where its package
    // is for every card and thumbnail: a file unchanged since it was seen holding the id is
    // not read again. The stamp is taken first, so a change while reading shows next time.
    const auto stamp = KnownPackages::FileStamp::of(Paths::projectJSONPath(package));
    if (stamp && m_known->stillHolds(package, id, *stamp) && !ProjectFileIO::packageFault(package))
        return true;
    const auto read = open(package);
    if (!read || read->project.id != id)
        return false;
    if (stamp)
        m_known->verified(package, id, *stamp);
    return true;
}

QString PackageLocator::claimID(const QString &id, const QString &package) const
{
    if (const auto place = m_known->place(id); place && *place != package && holds(*place, id)) {
        const QString freshID = makeUUID();
        m_known->giveFreshID(package, id, freshID);
        m_known->remember(freshID, package);
        return freshID;
    }
    m_known->remember(id, package);
    return id;
}

PackageLocator::Result<QString> PackageLocator::locate(const StoryboardProject &project) const
{
    const auto found = [&](const QString &package) -> Result<QString> {
        m_known->remember(project.id, package);
        return package;
    };
    if (const auto place = m_known->place(project.id); place && holds(*place, project.id))
        return *place;
    const QString candidate = Paths::packagePath(m_root, project.slug());
    if (LocalPaths::isDirectory(candidate) && holds(candidate, project.id))
        return found(candidate);
    if (!LocalPaths::itemExists(m_root))
        return std::unexpected(ProjectStoreError::projectNotFound(project.title));
    for (const QString &package : ProjectsTree::allPackagePaths(m_root)) {
        if (holds(package, project.id))
            return found(package);
    }
    return std::unexpected(ProjectStoreError::projectNotFound(project.title));
}

} // namespace veskel
