#pragma once

class QImage;
class QThreadPool;

namespace veskel {

struct CardRenderInput;

// The one pool that draws cards for the window (timeline thumbnails, the inspector's preview):
// low priority, and waited for when the application object goes away, so that no card is still
// being drawn while fonts are torn down.
QThreadPool *cardRenderPool();

// The card as the export draws it, or a null image when it cannot be drawn. Safe on any thread.
QImage renderCardImage(const CardRenderInput &input);

} // namespace veskel
