#include "StoryboardCore/Protocols/ProjectStore.h"

namespace veskel {

ProjectStore::~ProjectStore() = default;

} // namespace veskel
