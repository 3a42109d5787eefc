#pragma once

#include "AnimaticKit/AnimaticError.h"
#include "AnimaticKit/Muxing/FFmpegHandles.h"

#include <QSize>

#include <expected>

namespace veskel {

// The two encoders of the animatic, opened with the settings it is written with.
namespace AnimaticEncoders {

// H.264 through libx264 in 4:2:0 at `fps`, tuned for still pictures.
std::expected<FFmpegHandles::CodecContext, AnimaticError>
openVideo(QSize size, int fps, bool globalHeader);
// FFmpeg's own AAC encoder, mono at 48 kHz, planar float samples.
std::expected<FFmpegHandles::CodecContext, AnimaticError> openAudio(bool globalHeader);

} // namespace AnimaticEncoders

} // namespace veskel
