#include "AnimaticKit/Video/CardPicture.h"

extern "C" {
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

namespace veskel::CardPicture {

std::expected<FFmpegHandles::Frame, QString> convert(const QImage &card, QSize size)
{
    // Cards are opaque; whatever alpha a foreign image has is ignored rather than blended.
    const QImage source = card.convertToFormat(QImage::Format_RGBX8888);
    FFmpegHandles::ScaleContext scale(sws_getContext(
        source.width(), source.height(), AV_PIX_FMT_RGB0, size.width(), size.height(),
        AV_PIX_FMT_YUV420P, SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INP, nullptr, nullptr,
        nullptr));
    if (!scale)
        return std::unexpected(QStringLiteral("Cannot convert a %1 × %2 card.")
                                   .arg(source.width())
                                   .arg(source.height()));
    // Full-range RGB in, limited-range Rec. 709 out.
    sws_setColorspaceDetails(scale.get(), sws_getCoefficients(SWS_CS_ITU709), 1,
                             sws_getCoefficients(SWS_CS_ITU709), 0, 0, 1 << 16, 1 << 16);

    FFmpegHandles::Frame picture(av_frame_alloc());
    if (!picture)
        return std::unexpected(FFmpegHandles::errorText(AVERROR(ENOMEM)));
    picture->format = AV_PIX_FMT_YUV420P;
    picture->width = size.width();
    picture->height = size.height();
    picture->color_range = AVCOL_RANGE_MPEG;
    picture->colorspace = AVCOL_SPC_BT709;
    picture->color_primaries = AVCOL_PRI_BT709;
    picture->color_trc = AVCOL_TRC_BT709;
    if (const int status = av_frame_get_buffer(picture.get(), 0); status < 0)
        return std::unexpected(FFmpegHandles::errorText(status));

    const uint8_t *planes[] = {source.constBits()};
    const int strides[] = {int(source.bytesPerLine())};
    sws_scale(scale.get(), planes, strides, 0, source.height(), picture->data, picture->linesize);
    return picture;
}

} // namespace veskel::CardPicture
