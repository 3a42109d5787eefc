#pragma once

#include <QString>

namespace veskel {

// The name both exported timelines share before their extension, so the OpenTimelineIO file
// is always the FCPXML's name with ".otio".
QString timelineFileBaseName(const QString &projectTitle);

} // namespace veskel
