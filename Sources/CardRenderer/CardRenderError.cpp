#include "CardRenderer/CardRenderError.h"

namespace veskel {

QString CardRenderError::description() const
{
    const auto withPayload = [this](QLatin1StringView name) {
        return name + QStringLiteral("(\"") + message + QStringLiteral("\")");
    };
    switch (kind) {
    case Kind::writeFailed:
        return withPayload(QLatin1StringView("writeFailed"));
    case Kind::imageLoadFailed:
        return withPayload(QLatin1StringView("imageLoadFailed"));
    case Kind::invalidDimensions:
        return QStringLiteral("invalidDimensions");
    case Kind::fileWriteFailed:
        return message;
    }
    return {};
}

} // namespace veskel
