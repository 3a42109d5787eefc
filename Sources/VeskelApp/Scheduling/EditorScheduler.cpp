#include "VeskelApp/Scheduling/EditorScheduler.h"

namespace veskel {

EditorScheduler::~EditorScheduler() = default;

} // namespace veskel
