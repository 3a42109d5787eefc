#include "VeskelApp/Editor/Markup/MarkupCommand.h"

namespace veskel {

std::optional<MarkupCommand::Kind> MarkupCommand::kindNamed(const QString &name)
{
    if (name == QLatin1String("heading"))
        return Kind::heading();
    if (const std::optional<ScriptBlockRole> role = fromRawValue<ScriptBlockRole>(name))
        return Kind::role(*role);
    return std::nullopt;
}

} // namespace veskel
