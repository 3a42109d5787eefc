#include "StoryboardCore/Editing/CopyTitle.h"

#include <QCoreApplication>

namespace veskel {

QString copyTitle(const QString &title, const QString &blankTitle)
{
    const QString suffix = QCoreApplication::translate("CopyTitle", "(copy)");
    QString trimmed = title.trimmed();
    if (trimmed.isEmpty())
        trimmed = blankTitle;
    if (trimmed.endsWith(suffix))
        return trimmed;
    return trimmed + u' ' + suffix;
}

} // namespace veskel
