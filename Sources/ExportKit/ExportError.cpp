#include "ExportKit/ExportError.h"

namespace veskel {

QString ExportError::description() const
{
    const QString scene = sceneLabel.isEmpty() ? sceneID : sceneLabel;
    switch (kind) {
    case Kind::invalidProject:
        return tr("Project cannot be exported: %1").arg(payload);
    case Kind::cannotRenderCard:
        return tr("Could not draw the card of %1: %2 Check its reference image, then export "
                  "again.")
            .arg(scene, payload);
    case Kind::cannotWriteXML:
        return tr("Could not write the FCPXML: %1").arg(payload);
    case Kind::missingMedia:
        return tr("The card of %1 was not written. Export again.").arg(scene);
    case Kind::writeFailed:
        return tr("Export failed: %1").arg(payload);
    case Kind::exportsFolderNotAccessible:
        return tr("The project Exports folder is not accessible. Check that the project's "
                  "folder can be written, then export again.");
    case Kind::fileOperationFailed:
        return payload;
    case Kind::cannotWriteAnimatic:
        return tr("Could not write the animatic: %1").arg(payload);
    case Kind::cancelled:
        return tr("The animatic was cancelled. The rest of the package was written; the "
                  "previous animatic was kept.");
    }
    return {};
}

} // namespace veskel
