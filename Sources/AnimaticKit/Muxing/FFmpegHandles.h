#pragma once

#include <QString>

#include <memory>

extern "C" {
struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;
}

namespace veskel {

// Owners of FFmpeg's objects, freed the way each wants to be freed.
namespace FFmpegHandles {

struct Free
{
    void operator()(AVCodecContext *context) const;
    // Closes the output file too when it is open.
    void operator()(AVFormatContext *context) const;
    void operator()(AVFrame *frame) const;
    void operator()(AVPacket *packet) const;
    void operator()(SwsContext *context) const;
};

using CodecContext = std::unique_ptr<AVCodecContext, Free>;
using FormatContext = std::unique_ptr<AVFormatContext, Free>;
using Frame = std::unique_ptr<AVFrame, Free>;
using Packet = std::unique_ptr<AVPacket, Free>;
using ScaleContext = std::unique_ptr<SwsContext, Free>;

// FFmpeg's English description of an error code.
QString errorText(int code);

} // namespace FFmpegHandles

} // namespace veskel
