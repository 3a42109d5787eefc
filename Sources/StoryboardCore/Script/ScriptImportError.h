#pragma once

#include <QString>

namespace veskel {

// Why a script could not be imported. The message is in the interface language of the moment
// it is produced.
struct ScriptImportError
{
    enum class Kind {
        // Nothing but white space and line breaks to import.
        emptyText,
        // The file could not be opened or is not UTF-8 text; `path` names it.
        unreadableFile,
    };

    Kind kind = Kind::emptyText;
    QString path;

    QString description() const;

    bool operator==(const ScriptImportError &) const = default;
};

} // namespace veskel
