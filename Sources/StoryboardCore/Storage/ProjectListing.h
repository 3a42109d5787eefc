#pragma once

#include "StoryboardCore/Models/ProjectSummary.h"

#include <QList>
#include <QString>

#include <optional>

namespace veskel {

class KnownPackages;
class PackageLocator;

// The rows of the project list, read from every package of the tree.
namespace ProjectListing {

// Every readable package's row, newest first; rows that share an id get fresh ones
// (separateRepeatedIDs). Packages that cannot be read are left out.
QList<ProjectSummary> list(const PackageLocator &locator);
std::optional<ProjectSummary> summary(const PackageLocator &locator,
                                      const QString &package,
                                      const std::optional<QString> &folderName);
// Rows that share an id (packages copied by hand): all but one get a fresh id, which `known`
// keeps for their packages.
void separateRepeatedIDs(QList<ProjectSummary> &rows, KnownPackages &known);

} // namespace ProjectListing

} // namespace veskel
