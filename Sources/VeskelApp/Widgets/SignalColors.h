#pragma once

#include <QColor>

namespace veskel {

// The signal colours the interface shares: done, warnings (export still possible) and errors.
namespace SignalColors {

QColor success();
QColor warning();
QColor error();

} // namespace SignalColors

} // namespace veskel
