#include "AnimaticKit/Muxing/EncodedStream.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace veskel {

std::expected<EncodedStream, QString> EncodedStream::add(AVFormatContext *format,
                                                         FFmpegHandles::CodecContext encoder)
{
    EncodedStream stream;
    stream.m_format = format;
    stream.m_packet.reset(av_packet_alloc());
    stream.m_stream = avformat_new_stream(format, nullptr);
    if (!stream.m_packet || !stream.m_stream)
        return std::unexpected(FFmpegHandles::errorText(AVERROR(ENOMEM)));
    if (const int status
        = avcodec_parameters_from_context(stream.m_stream->codecpar, encoder.get());
        status < 0) {
        return std::unexpected(FFmpegHandles::errorText(status));
    }
    stream.m_stream->time_base = encoder->time_base;
    if (encoder->codec_type == AVMEDIA_TYPE_VIDEO) {
        stream.m_stream->avg_frame_rate = encoder->framerate;
        stream.m_stream->r_frame_rate = encoder->framerate;
    }
    stream.m_encoder = std::move(encoder);
    return stream;
}

std::expected<void, QString> EncodedStream::send(const AVFrame *frame)
{
    if (const int status = avcodec_send_frame(m_encoder.get(), frame); status < 0)
        return std::unexpected(FFmpegHandles::errorText(status));
    AVPacket *packet = m_packet.get();
    for (;;) {
        const int status = avcodec_receive_packet(m_encoder.get(), packet);
        if (status == AVERROR(EAGAIN) || status == AVERROR_EOF)
            return {};
        if (status < 0)
            return std::unexpected(FFmpegHandles::errorText(status));
        // Every picture stands for one frame; without a duration the last one would get none.
        if (packet->duration == 0 && m_encoder->codec_type == AVMEDIA_TYPE_VIDEO)
            packet->duration = 1;
        av_packet_rescale_ts(packet, m_encoder->time_base, m_stream->time_base);
        packet->stream_index = m_stream->index;
        // Takes the packet's data and leaves it blank for the next one.
        if (const int written = av_interleaved_write_frame(m_format, packet); written < 0)
            return std::unexpected(FFmpegHandles::errorText(written));
    }
}

} // namespace veskel
