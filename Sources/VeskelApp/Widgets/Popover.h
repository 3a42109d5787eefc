#pragma once

#include <QFrame>

namespace veskel {

// A small panel that floats by the control that opened it (under it where there is room) and
// closes on a click outside or Escape, like a popover.
class Popover : public QFrame
{
    Q_OBJECT

public:
    explicit Popover(QWidget *parent = nullptr);

    // Shows the popover under the anchor, or above or beside it where there is no room, kept
    // inside the anchor's window where it fits and on its screen in any case.
    void showBelow(QWidget *anchor);
    // The same for an anchor rectangle in global coordinates inside `window`.
    void showBelow(const QRect &anchorGlobal, QWidget *window);

protected:
    // Before placing: the room there is, so a popover can arrange itself to fit.
    virtual void arrangeFor(const QSize &available) { Q_UNUSED(available); }
};

} // namespace veskel
