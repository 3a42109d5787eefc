#include "FCPXMLKit/MarkerText.h"

#include "FCPXMLKit/XMLEscaping.h"

namespace veskel {

bool MarkerText::isBlank(const QString &text)
{
    return XMLEscaping::removingForbiddenCharacters(text).isEmpty();
}

MarkerText MarkerText::of(const Scene &scene)
{
    const SceneMarker &marker = scene.marker;
    return {isBlank(marker.title) ? scene.markerName() : marker.title,
            isBlank(marker.note) ? scene.productionNote : marker.note};
}

} // namespace veskel
