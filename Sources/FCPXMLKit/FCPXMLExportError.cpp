#include "FCPXMLKit/FCPXMLExportError.h"

namespace veskel {

QString FCPXMLExportError::description() const
{
    switch (kind) {
    case Kind::missingCardFile:
        return QStringLiteral("missingCardFile(\"") + payload + QStringLiteral("\")");
    case Kind::invalidProject:
        return QStringLiteral("invalidProject(\"") + payload + QStringLiteral("\")");
    case Kind::emptyProject:
        return QStringLiteral("emptyProject");
    }
    return {};
}

} // namespace veskel
