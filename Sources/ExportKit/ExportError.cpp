#include "ExportKit/ExportError.h"

namespace veskel {

QString ExportError::description() const
{
    switch (kind) {
    case Kind::invalidProject:
        return QStringLiteral("Project cannot be exported: ") + payload;
    // The id means nothing to the user, so only the renderer's detail is shown.
    case Kind::cannotRenderCard:
        return QStringLiteral("Could not render scene card: ") + payload;
    case Kind::cannotWriteXML:
        return QStringLiteral("Could not write FCPXML: ") + payload;
    case Kind::missingMedia:
        return QStringLiteral("Missing media for scene ") + sceneID + u'.';
    case Kind::writeFailed:
        return QStringLiteral("Export failed: ") + payload;
    case Kind::exportsFolderNotAccessible:
        return QStringLiteral("The project Exports folder is not accessible.");
    case Kind::fileOperationFailed:
        return payload;
    }
    return {};
}

} // namespace veskel
