#pragma once

#include "AnimaticKit/Muxing/FFmpegHandles.h"

#include <QString>

#include <expected>

extern "C" {
struct AVStream;
}

namespace veskel {

// One stream of the output file and the encoder that fills it.
class EncodedStream
{
public:
    // Adds a stream for the opened encoder to `format`, which must outlive this object.
    static std::expected<EncodedStream, QString> add(AVFormatContext *format,
                                                     FFmpegHandles::CodecContext encoder);

    AVCodecContext *encoder() const { return m_encoder.get(); }
    // Encodes `frame` (nullptr: whatever the encoder still holds) and hands every packet that
    // comes out to the muxer. Errors are FFmpeg's.
    std::expected<void, QString> send(const AVFrame *frame);

private:
    AVFormatContext *m_format = nullptr;
    AVStream *m_stream = nullptr;
    FFmpegHandles::CodecContext m_encoder;
    FFmpegHandles::Packet m_packet;
};

} // namespace veskel
