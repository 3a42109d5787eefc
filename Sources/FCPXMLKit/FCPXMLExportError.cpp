#include "FCPXMLKit/FCPXMLExportError.h"

namespace veskel {

QString FCPXMLExportError::description() const
{
    switch (kind) {
    case Kind::missingCardFile:
        return QStringLiteral("No card was written for scene ") + payload + u'.';
    case Kind::invalidProject:
        return payload;
    case Kind::emptyProject:
        return QStringLiteral("The project has no scenes.");
    }
    return {};
}

} // namespace veskel
