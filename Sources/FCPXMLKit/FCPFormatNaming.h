#pragma once

#include <QString>

namespace veskel {

// The format names Final Cut Pro knows its video and still formats by.
namespace FCPFormatNaming {

// "FFVideoFormat1920x1080p25".
QString sequenceFormatName(int width, int height, int fps);
// "FFStillFormat1920x1080".
QString stillFormatName(int width, int height);

} // namespace FCPFormatNaming

} // namespace veskel
