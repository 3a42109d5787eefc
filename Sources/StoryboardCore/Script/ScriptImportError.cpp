#include "StoryboardCore/Script/ScriptImportError.h"

#include "StoryboardCore/Localization/Localized.h"

namespace veskel {

QString ScriptImportError::description() const
{
    switch (kind) {
    case Kind::emptyText:
        return localized(u"The script text is empty.", u"Текст сценария пуст.");
    case Kind::unreadableFile:
        return localized(u"Could not read the script file.",
                         u"Не удалось прочитать файл сценария.");
    }
    return {};
}

} // namespace veskel
