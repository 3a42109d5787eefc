#pragma once

#include <QString>

#include <optional>

namespace veskel {

// The rules of the inspector's compact duration field, apart from the widget.
namespace DurationFieldText {

constexpr double stepSeconds = 0.5;
constexpr double minimumStepped = 0.5;
constexpr double maximumStepped = 600;

// "4" for whole seconds, otherwise one decimal with a point: "2.5".
QString formatted(double seconds);

// Typed text to seconds: a comma counts as the decimal point, the rest must be a plain C-locale
// number with nothing around it (no white space). Negative values become 0. Nothing for text
// that is not such a number, or is not finite.
std::optional<double> parse(const QString &text);

// One stepper click (direction +1 or -1): a half-second step that stops at 0.5 and 600. A
// value already beyond the edge it moves towards stays as it is.
double stepped(double seconds, int direction);

} // namespace DurationFieldText

} // namespace veskel
