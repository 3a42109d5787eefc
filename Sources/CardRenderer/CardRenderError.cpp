#include "CardRenderer/CardRenderError.h"

namespace veskel {

QString CardRenderError::description() const
{
    switch (kind) {
    case Kind::writeFailed:
    case Kind::imageLoadFailed:
    case Kind::fileWriteFailed:
        return message;
    case Kind::invalidDimensions:
        return QStringLiteral("The video size is not a usable picture size.");
    }
    return {};
}

} // namespace veskel
