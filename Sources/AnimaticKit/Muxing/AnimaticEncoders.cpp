#include "AnimaticKit/Muxing/AnimaticEncoders.h"

#include "AnimaticKit/AnimaticPlan.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
}

namespace veskel::AnimaticEncoders {

namespace {

std::expected<FFmpegHandles::CodecContext, AnimaticError> allocate(const AVCodec *codec,
                                                                   const char *name)
{
    if (!codec)
        return std::unexpected(AnimaticError::encoderUnavailable(QString::fromLatin1(name)));
    FFmpegHandles::CodecContext context(avcodec_alloc_context3(codec));
    if (!context)
        return std::unexpected(
            AnimaticError::encodingFailed(FFmpegHandles::errorText(AVERROR(ENOMEM))));
    return context;
}

std::expected<FFmpegHandles::CodecContext, AnimaticError>
open(FFmpegHandles::CodecContext context, bool globalHeader, AVDictionary *options)
{
    if (globalHeader)
        context->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    const int status = avcodec_open2(context.get(), context->codec, &options);
    av_dict_free(&options);
    if (status < 0)
        return std::unexpected(AnimaticError::encodingFailed(FFmpegHandles::errorText(status)));
    return context;
}

} // namespace

std::expected<FFmpegHandles::CodecContext, AnimaticError>
openVideo(QSize size, int fps, bool globalHeader)
{
    auto context = allocate(avcodec_find_encoder_by_name("libx264"), "libx264");
    if (!context)
        return context;
    AVCodecContext *video = context->get();
    video->width = size.width();
    video->height = size.height();
    video->pix_fmt = AV_PIX_FMT_YUV420P;
    video->time_base = {1, fps};
    video->framerate = {fps, 1};
    video->sample_aspect_ratio = {1, 1};
    video->color_range = AVCOL_RANGE_MPEG;
    video->colorspace = AVCOL_SPC_BT709;
    video->color_primaries = AVCOL_PRI_BT709;
    video->color_trc = AVCOL_TRC_BT709;
    // A key frame every ten seconds besides the one at each card, so an editor can scrub.
    video->gop_size = 10 * fps;
    video->thread_count = 0;

    // Between cards every frame repeats the one before and comes out as skipped blocks; what
    // costs is looking at each frame at all. The fastest preset and a constant quantiser (no
    // look-ahead to estimate frame costs) halve that against "veryfast" with a quality target,
    // and the few pictures that carry a card still come out close to it (above 45 dB).
    AVDictionary *options = nullptr;
    av_dict_set(&options, "preset", "ultrafast", 0);
    av_dict_set(&options, "tune", "stillimage", 0);
    av_dict_set(&options, "qp", "20", 0);
    return open(std::move(*context), globalHeader, options);
}

std::expected<FFmpegHandles::CodecContext, AnimaticError> openAudio(bool globalHeader)
{
    auto context = allocate(avcodec_find_encoder(AV_CODEC_ID_AAC), "aac");
    if (!context)
        return context;
    AVCodecContext *audio = context->get();
    audio->sample_fmt = AV_SAMPLE_FMT_FLTP;
    audio->sample_rate = AnimaticPlan::sampleRate;
    av_channel_layout_default(&audio->ch_layout, 1);
    audio->time_base = {1, AnimaticPlan::sampleRate};
    // Plenty for one voice.
    audio->bit_rate = 96'000;
    return open(std::move(*context), globalHeader, nullptr);
}

} // namespace veskel::AnimaticEncoders
