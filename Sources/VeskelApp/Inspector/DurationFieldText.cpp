#include "VeskelApp/Inspector/DurationFieldText.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace veskel::DurationFieldText {

QString formatted(double seconds)
{
    if (std::isfinite(seconds) && seconds == std::trunc(seconds))
        return QString::asprintf("%.0f", seconds);
    return QString::asprintf("%.1f", seconds);
}

std::optional<double> parse(const QString &text)
{
    QString number = text;
    number.replace(u',', u'.');
    // QLocale trims white space itself; the field takes only the number.
    if (number.isEmpty() || number.front().isSpace() || number.back().isSpace())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    // Also turns -0 into 0, so it never shows as "-0".
    return value <= 0 ? 0.0 : value;
}

double stepped(double seconds, int direction)
{
    if (direction < 0)
        return seconds <= minimumStepped ? seconds
                                         : std::max(seconds - stepSeconds, minimumStepped);
    return seconds >= maximumStepped ? seconds : std::min(seconds + stepSeconds, maximumStepped);
}

} // namespace veskel::DurationFieldText
