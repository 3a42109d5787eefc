#pragma once

#include "AnimaticKit/Muxing/FFmpegHandles.h"

#include <QImage>
#include <QSize>

#include <expected>

namespace veskel {

// A card as one 4:2:0 picture of the animatic's size. A scene shows the same picture on every
// frame, so each card is scaled and converted once.
namespace CardPicture {

// Scaled to `size` (a card of another aspect is stretched), Rec. 709 in limited range as the
// video stream declares. The error is FFmpeg's.
std::expected<FFmpegHandles::Frame, QString> convert(const QImage &card, QSize size);

} // namespace CardPicture

} // namespace veskel
