#include "FCPXMLKit/FCPFormatNaming.h"

namespace veskel::FCPFormatNaming {

QString sequenceFormatName(int width, int height, int fps)
{
    return QStringLiteral("FFVideoFormat%1x%2p%3").arg(width).arg(height).arg(fps);
}

QString stillFormatName(int width, int height)
{
    return QStringLiteral("FFStillFormat%1x%2").arg(width).arg(height);
}

} // namespace veskel::FCPFormatNaming
