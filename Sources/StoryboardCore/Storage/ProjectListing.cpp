#include "StoryboardCore/Storage/ProjectListing.h"

#include "StoryboardCore/Storage/LocalPaths.h"
#include "StoryboardCore/Storage/PackageLocator.h"
#include "StoryboardCore/Storage/ProjectFileIO.h"
#include "StoryboardCore/Storage/ProjectVersions.h"
#include "StoryboardCore/Storage/ProjectsTree.h"
#include "StoryboardCore/Utilities/UUID.h"
#include "StoryboardCore/Validation/ProjectValidator.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace veskel::ProjectListing {

QList<ProjectSummary> list(const PackageLocator &locator)
{
    const QString &root = locator.root();
    QList<ProjectSummary> rows;
    if (!LocalPaths::isDirectory(root))
        return rows;
    for (const QString &package : ProjectsTree::packagePaths(root)) {
        if (auto row = summary(locator, package, std::nullopt))
            rows.append(std::move(*row));
    }
    for (const QString &folder : ProjectsTree::folderPaths(root)) {
        const QString folderName = QFileInfo(folder).fileName();
        for (const QString &package : ProjectsTree::packagePaths(folder)) {
            if (auto row = summary(locator, package, folderName))
                rows.append(std::move(*row));
        }
    }
    separateRepeatedIDs(rows, locator.known());
    std::stable_sort(
        rows.begin(), rows.end(),
        [](const ProjectSummary &a, const ProjectSummary &b) { return a.updatedAt > b.updatedAt; });
    return rows;
}

std::optional<ProjectSummary> summary(const PackageLocator &locator,
                                      const QString &package,
                                      const std::optional<QString> &folderName)
{
    const auto read = locator.open(package);
    if (!read)
        return std::nullopt;
    const StoryboardProject *project = &read->project;
    ProjectSummary row;
    row.id = project->id;
    row.title = project->title;
    row.slug = QFileInfo(package).completeBaseName();
    const QDateTime modified
        = QFileInfo(ProjectFileIO::projectFile(package).value_or(QString())).lastModified();
    row.updatedAt = modified.isValid() ? modified.toUTC() : project->updatedAt;
    row.createdAt = project->createdAt;
    row.sceneCount = int(project->scenes.size());
    row.totalDurationSeconds = project->totalDurationSeconds();
    row.packagePath = package;
    row.warningCount = ProjectValidator::warningSceneCount(*project);
    row.folderName = folderName;
    row.hasConflictCopy = !ProjectVersions::conflictCopyNames(package).isEmpty();
    return row;
}

void separateRepeatedIDs(QList<ProjectSummary> &rows, KnownPackages &known)
{
    QHash<QString, QList<qsizetype>> rowsByID;
    for (qsizetype i = 0; i < rows.size(); ++i)
        rowsByID[rows.at(i).id].append(i);
    for (auto it = rowsByID.cbegin(); it != rowsByID.cend(); ++it) {
        const QString &id = it.key();
        QList<qsizetype> sharing = it.value();
        if (sharing.size() == 1) {
            known.remember(id, rows.at(sharing.first()).packagePath);
            continue;
        }
        // The package that id was last saved to or loaded from keeps it; otherwise the one
        // created first on disk (a copy is newer than its original), then by path.
        const auto created = [&](qsizetype row) {
            const QDateTime born = QFileInfo(rows.at(row).packagePath).birthTime();
            return born.isValid() ? born.toUTC() : rows.at(row).createdAt;
        };
        std::sort(sharing.begin(), sharing.end(), [&](qsizetype a, qsizetype b) {
            const QDateTime createdA = created(a);
            const QDateTime createdB = created(b);
            if (createdA != createdB)
                return createdA < createdB;
            return rows.at(a).packagePath < rows.at(b).packagePath;
        });
        const std::optional<QString> place = known.place(id);
        const auto keeper = std::find_if(sharing.begin(), sharing.end(), [&](qsizetype row) {
            return place && rows.at(row).packagePath == *place;
        });
        if (keeper != sharing.end())
            std::iter_swap(sharing.begin(), keeper);
        known.remember(id, rows.at(sharing.first()).packagePath);
        for (qsizetype i = 1; i < sharing.size(); ++i) {
            ProjectSummary &row = rows[sharing.at(i)];
            row.id = makeUUID();
            known.giveFreshID(row.packagePath, id, row.id);
            known.remember(row.id, row.packagePath);
        }
    }
}

} // namespace veskel::ProjectListing
