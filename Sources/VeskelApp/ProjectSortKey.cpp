#include "VeskelApp/ProjectSortKey.h"

#include "StoryboardCore/Localization/Localized.h"

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
        return localized(u"Date Modified", u"По дате изменения");
    case ProjectSortKey::dateCreated:
        return localized(u"Date Created", u"По дате создания");
    case ProjectSortKey::name:
        return localized(u"Name", u"По названию");
    }
    return {};
}

} // namespace veskel
