#include "FCPXMLKit/FCPTime.h"

#include "FCPXMLKit/SaturatingArithmetic.h"
#include "StoryboardCore/Duration/DurationCalculator.h"

#include <algorithm>

namespace veskel {

FCPTime FCPTime::fromSeconds(double seconds, int fps)
{
    return FCPTime(DurationCalculator::frames(seconds, fps), std::max(fps, 1));
}

double FCPTime::seconds() const
{
    return double(numerator) / double(denominator);
}

QString FCPTime::fcpxmlString() const
{
    if (numerator == 0)
        return QStringLiteral("0s");
    return QString::number(numerator) + u'/' + QString::number(denominator) + u's';
}

FCPTime FCPTime::operator+(const FCPTime &other) const
{
    if (denominator == other.denominator)
        return FCPTime(saturatingAdd(numerator, other.numerator), denominator);
    return FCPTime(saturatingAdd(saturatingMultiply(numerator, other.denominator),
                                 saturatingMultiply(other.numerator, denominator)),
                   saturatingMultiply(denominator, other.denominator));
}

} // namespace veskel
