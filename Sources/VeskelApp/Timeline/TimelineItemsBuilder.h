#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"
#include "VeskelApp/Timeline/TimelineItem.h"

#include <QList>

namespace veskel {

namespace TimelineItemsBuilder {

// The timeline's entries in film order: every scene, and a ghost for each run of text that
// belongs to no scene, where it stands (before the first scene, or after the text of the scene
// it follows).
QList<TimelineItem> items(const StoryboardProject &project);

} // namespace TimelineItemsBuilder

} // namespace veskel
