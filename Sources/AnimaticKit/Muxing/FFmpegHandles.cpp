#include "AnimaticKit/Muxing/FFmpegHandles.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace veskel::FFmpegHandles {

void Free::operator()(AVCodecContext *context) const
{
    avcodec_free_context(&context);
}

void Free::operator()(AVFormatContext *context) const
{
    if (context->pb && !(context->oformat->flags & AVFMT_NOFILE))
        avio_closep(&context->pb);
    avformat_free_context(context);
}

void Free::operator()(AVFrame *frame) const
{
    av_frame_free(&frame);
}

void Free::operator()(AVPacket *packet) const
{
    av_packet_free(&packet);
}

void Free::operator()(SwsContext *context) const
{
    sws_freeContext(context);
}

QString errorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}

} // namespace veskel::FFmpegHandles
