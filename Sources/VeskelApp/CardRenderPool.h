#pragma once

class QThreadPool;

namespace veskel {

// The one pool that draws cards for the window (timeline thumbnails, the inspector's preview):
// low priority, and waited for when the application object goes away, so that no card is still
// being drawn while fonts are torn down.
QThreadPool *cardRenderPool();

} // namespace veskel
