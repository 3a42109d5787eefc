#include "MP4Reading.h"

#include <QFile>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace veskel::test {

namespace {

struct Closer
{
    void operator()(AVFormatContext *c) const { avformat_close_input(&c); }
    void operator()(AVCodecContext *c) const { avcodec_free_context(&c); }
    void operator()(AVFrame *f) const { av_frame_free(&f); }
    void operator()(AVPacket *p) const { av_packet_free(&p); }
    void operator()(SwsContext *s) const { sws_freeContext(s); }
};
template<typename T>
using Owned = std::unique_ptr<T, Closer>;

Owned<AVCodecContext> openDecoder(const AVStream *stream)
{
    Owned<AVCodecContext> decoder(
        avcodec_alloc_context3(avcodec_find_decoder(stream->codecpar->codec_id)));
    avcodec_parameters_to_context(decoder.get(), stream->codecpar);
    decoder->pkt_timebase = stream->time_base;
    EXPECT_EQ(avcodec_open2(decoder.get(), nullptr, nullptr), 0);
    return decoder;
}

QImage toRGB(const AVFrame *frame)
{
    QImage image(frame->width, frame->height, QImage::Format_RGB888);
    Owned<SwsContext> scale(sws_getContext(
        frame->width, frame->height, AVPixelFormat(frame->format), frame->width, frame->height,
        AV_PIX_FMT_RGB24, SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr,
        nullptr));
    // As the stream declares it: Rec. 709, limited range.
    const int space = frame->colorspace == AVCOL_SPC_BT709 ? SWS_CS_ITU709 : SWS_CS_DEFAULT;
    sws_setColorspaceDetails(scale.get(), sws_getCoefficients(space),
                             frame->color_range == AVCOL_RANGE_JPEG, sws_getCoefficients(space), 1,
                             0, 1 << 16, 1 << 16);
    uint8_t *planes[] = {image.bits()};
    const int strides[] = {int(image.bytesPerLine())};
    sws_scale(scale.get(), frame->data, frame->linesize, 0, frame->height, planes, strides);
    return image;
}

void receive(AVCodecContext *decoder,
             const AVStream *stream,
             const QList<qint64> &framesToKeep,
             DecodedMovie &movie)
{
    Owned<AVFrame> frame(av_frame_alloc());
    while (avcodec_receive_frame(decoder, frame.get()) == 0) {
        if (decoder->codec_type == AVMEDIA_TYPE_VIDEO) {
            if (framesToKeep.contains(movie.frameCount))
                movie.frames.insert(movie.frameCount, toRGB(frame.get()));
            ++movie.frameCount;
        } else {
            const qint64 at = av_rescale_q(frame->pts, stream->time_base, {1, frame->sample_rate});
            EXPECT_GE(at, 0);
            if (movie.samples.size() < size_t(at + frame->nb_samples))
                movie.samples.resize(size_t(at + frame->nb_samples));
            const auto *first = reinterpret_cast<const float *>(frame->extended_data[0]);
            std::copy(first, first + frame->nb_samples, movie.samples.begin() + at);
        }
    }
}

QList<QByteArray> topLevelBoxes(const QString &path)
{
    QFile file(path);
    QList<QByteArray> boxes;
    if (!file.open(QIODevice::ReadOnly))
        return boxes;
    const QByteArray bytes = file.readAll();
    for (qsizetype at = 0; at + 8 <= bytes.size();) {
        quint64 size = qFromBigEndian<quint32>(bytes.constData() + at);
        if (size == 1 && at + 16 <= bytes.size())
            size = qFromBigEndian<quint64>(bytes.constData() + at + 8);
        boxes.append(bytes.mid(at + 4, 4));
        if (size < 8)
            break;
        at += qsizetype(size);
    }
    return boxes;
}

} // namespace

DecodedMovie decodeMovie(const QString &path, const QList<qint64> &framesToKeep)
{
    DecodedMovie movie;
    movie.boxes = topLevelBoxes(path);
    AVFormatContext *opened = nullptr;
    if (avformat_open_input(&opened, QFile::encodeName(path).constData(), nullptr, nullptr) != 0) {
        ADD_FAILURE() << "cannot open " << path.toStdString();
        return movie;
    }
    Owned<AVFormatContext> format(opened);
    EXPECT_GE(avformat_find_stream_info(format.get(), nullptr), 0);
    movie.durationSeconds = double(format->duration) / AV_TIME_BASE;

    const int videoIndex
        = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const int audioIndex
        = av_find_best_stream(format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (videoIndex < 0 || audioIndex < 0) {
        ADD_FAILURE() << "a stream is missing";
        return movie;
    }
    const AVStream *video = format->streams[videoIndex];
    const AVStream *audio = format->streams[audioIndex];
    movie.videoCodec = QString::fromLatin1(avcodec_get_name(video->codecpar->codec_id));
    movie.pixelFormat
        = QString::fromLatin1(av_get_pix_fmt_name(AVPixelFormat(video->codecpar->format)));
    movie.width = video->codecpar->width;
    movie.height = video->codecpar->height;
    movie.frameRateNumerator = video->avg_frame_rate.num;
    movie.frameRateDenominator = video->avg_frame_rate.den;
    movie.audioCodec = QString::fromLatin1(avcodec_get_name(audio->codecpar->codec_id));
    movie.sampleRate = audio->codecpar->sample_rate;
    movie.channels = audio->codecpar->ch_layout.nb_channels;

    const Owned<AVCodecContext> videoDecoder = openDecoder(video);
    const Owned<AVCodecContext> audioDecoder = openDecoder(audio);
    Owned<AVPacket> packet(av_packet_alloc());
    while (av_read_frame(format.get(), packet.get()) == 0) {
        const bool isVideo = packet->stream_index == videoIndex;
        AVCodecContext *decoder = isVideo ? videoDecoder.get() : audioDecoder.get();
        EXPECT_EQ(avcodec_send_packet(decoder, packet.get()), 0);
        receive(decoder, isVideo ? video : audio, framesToKeep, movie);
        av_packet_unref(packet.get());
    }
    for (AVCodecContext *decoder : {videoDecoder.get(), audioDecoder.get()}) {
        avcodec_send_packet(decoder, nullptr);
        receive(decoder, decoder == videoDecoder.get() ? video : audio, framesToKeep, movie);
    }
    return movie;
}

double psnr(const QImage &a, const QImage &b)
{
    const QImage left = a.convertToFormat(QImage::Format_RGB888);
    const QImage right = b.convertToFormat(QImage::Format_RGB888);
    if (left.size() != right.size())
        return 0;
    double squares = 0;
    for (int y = 0; y < left.height(); ++y) {
        const uchar *l = left.constScanLine(y);
        const uchar *r = right.constScanLine(y);
        for (int x = 0; x < left.width() * 3; ++x)
            squares += double(l[x] - r[x]) * double(l[x] - r[x]);
    }
    const double mean = squares / (double(left.width()) * left.height() * 3);
    return mean == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mean);
}

double rms(const std::vector<float> &samples, qint64 from, qint64 to)
{
    double sum = 0;
    for (qint64 i = from; i < to; ++i)
        sum += double(samples.at(size_t(i))) * samples.at(size_t(i));
    return to > from ? std::sqrt(sum / double(to - from)) : 0;
}

} // namespace veskel::test
