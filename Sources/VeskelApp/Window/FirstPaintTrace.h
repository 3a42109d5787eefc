#pragma once

#include <QObject>

namespace veskel {

// With VESKEL_TRACE_START set, the application says on stderr when the script is first drawn,
// so the time from starting the program to seeing the project can be measured from outside.
class FirstPaintTrace : public QObject
{
public:
    static void installIfAsked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};

} // namespace veskel
