#include "VeskelApp/Sidebar/ProjectSortKey.h"

#include <QCoreApplication>

namespace veskel {

QString rawValue(ProjectSortKey key)
{
    switch (key) {
    case ProjectSortKey::dateModified:
        return QStringLiteral("dateModified");
    case ProjectSortKey::dateCreated:
        return QStringLiteral("dateCreated");
    case ProjectSortKey::name:
        return QStringLiteral("name");
    }
    return {};
}

ProjectSortKey projectSortKeyFromSetting(const QString &raw)
{
    return fromRawValue<ProjectSortKey>(raw).value_or(ProjectSortKey::dateModified);
}

QString displayName(ProjectSortKey key)
{
    switch (key) {
    case ProjectSortKey::dateModified:
        return QCoreApplication::translate("ProjectSortKey", "Date Modified");
    case ProjectSortKey::dateCreated:
        return QCoreApplication::translate("ProjectSortKey", "Date Created");
    case ProjectSortKey::name:
        return QCoreApplication::translate("ProjectSortKey", "Name");
    }
    return {};
}

} // namespace veskel
