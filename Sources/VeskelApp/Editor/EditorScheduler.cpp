#include "VeskelApp/Editor/EditorScheduler.h"

namespace veskel {

EditorScheduler::~EditorScheduler() = default;

} // namespace veskel
