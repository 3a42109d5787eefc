#include "VeskelApp/Editor/Search/ScriptSearchMatch.h"

namespace veskel {

QString ScriptSearchMatch::id() const
{
    return QString::number(range.location) + u'-' + QString::number(range.length);
}

} // namespace veskel
