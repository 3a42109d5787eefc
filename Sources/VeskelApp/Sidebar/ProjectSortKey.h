#pragma once

#include "StoryboardCore/Models/RawValue.h"

#include <array>

namespace veskel {

// What the project list is sorted by, in the order the sort menu lists the keys.
enum class ProjectSortKey {
    dateModified,
    dateCreated,
    name,
};

template<>
struct EnumTraits<ProjectSortKey>
{
    static constexpr std::array allCases{ProjectSortKey::dateModified, ProjectSortKey::dateCreated,
                                         ProjectSortKey::name};
};

QString rawValue(ProjectSortKey key);
// The stored setting; anything unknown (or nothing) sorts by modification date.
ProjectSortKey projectSortKeyFromSetting(const QString &raw);
// The sort menu's label, in the current interface language.
QString displayName(ProjectSortKey key);

} // namespace veskel
