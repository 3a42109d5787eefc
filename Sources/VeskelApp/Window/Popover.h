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

    // Shows the popover under the anchor, kept on the anchor's screen.
    void showBelow(QWidget *anchor);
};

} // namespace veskel
