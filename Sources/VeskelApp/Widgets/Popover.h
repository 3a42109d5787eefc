#pragma once

#include <QFrame>

namespace veskel {

// A small panel that floats under the control that opened it and closes on a click outside
// or Escape, like a popover.
class Popover : public QFrame
{
    Q_OBJECT

public:
    explicit Popover(QWidget *parent = nullptr);

    // Shows the popover under the anchor, kept inside the anchor's window where it fits and
    // on its screen in any case.
    void showBelow(QWidget *anchor);
    // The same for an anchor rectangle in global coordinates inside `window`.
    void showBelow(const QRect &anchorGlobal, QWidget *window);
};

} // namespace veskel
