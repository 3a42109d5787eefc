#include "StoryboardCore/Models/MarkerType.h"

namespace veskel {

QString rawValue(MarkerType type)
{
    switch (type) {
    case MarkerType::standard: return QStringLiteral("standard");
    case MarkerType::toDo: return QStringLiteral("toDo");
    case MarkerType::chapter: return QStringLiteral("chapter");
    }
    return {};
}

QString displayName(MarkerType type)
{
    switch (type) {
    case MarkerType::standard: return QStringLiteral("Standard");
    case MarkerType::toDo: return QStringLiteral("To-Do");
    case MarkerType::chapter: return QStringLiteral("Chapter");
    }
    return {};
}

QString systemImage(MarkerType type)
{
    switch (type) {
    case MarkerType::standard: return QStringLiteral("flag.fill");
    case MarkerType::toDo: return QStringLiteral("checklist");
    case MarkerType::chapter: return QStringLiteral("bookmark.fill");
    }
    return {};
}

} // namespace veskel
