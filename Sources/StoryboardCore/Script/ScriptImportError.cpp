#include "StoryboardCore/Script/ScriptImportError.h"

#include <QCoreApplication>

namespace veskel {

QString ScriptImportError::description() const
{
    switch (kind) {
    case Kind::emptyText:
        return QCoreApplication::translate("ScriptImportError", "The script text is empty.");
    case Kind::unreadableFile:
        return QCoreApplication::translate("ScriptImportError", "Could not read the script file.");
    }
    return {};
}

} // namespace veskel
