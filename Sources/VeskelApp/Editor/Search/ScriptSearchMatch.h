#pragma once

#include "StoryboardCore/Script/TextRange.h"

#include <QString>

namespace veskel {

// One hit of the script search, a range of the editor's document text.
struct ScriptSearchMatch
{
    TextRange range;

    // Location and length in decimal joined by "-": "120-5".
    QString id() const;

    bool operator==(const ScriptSearchMatch &) const = default;
};

} // namespace veskel
