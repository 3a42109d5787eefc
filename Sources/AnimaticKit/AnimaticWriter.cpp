#include "AnimaticKit/AnimaticWriter.h"

#include "AnimaticKit/Audio/NarrationMix.h"
#include "AnimaticKit/Muxing/AnimaticEncoders.h"
#include "AnimaticKit/Muxing/EncodedStream.h"
#include "AnimaticKit/Video/CardPicture.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryFile>

#include <filesystem>
#include <optional>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
}

namespace veskel {

namespace {

using Result = std::expected<void, AnimaticError>;

QString quoted(const QString &path)
{
    return u'\u201C' + QDir::toNativeSeparators(path) + u'\u201D';
}

Result checkPlan(const AnimaticPlan &plan)
{
    if (plan.fps <= 0)
        return std::unexpected(AnimaticError::invalidPlan(
            QStringLiteral("its frame rate %1 is not positive.").arg(plan.fps)));
    const QSize size = plan.frameSize;
    if (size.width() <= 0 || size.height() <= 0 || size.width() % 2 || size.height() % 2)
        return std::unexpected(AnimaticError::invalidPlan(
            QStringLiteral("its frame size %1 × %2 is not two even numbers.")
                .arg(size.width())
                .arg(size.height())));
    for (const AnimaticScene &scene : plan.scenes) {
        if (scene.frames < 0)
            return std::unexpected(AnimaticError::invalidPlan(
                QStringLiteral("%1 lasts less than nothing.").arg(scene.label)));
        // Only the header is read here; a card that fails to decode later still stops the write.
        if (scene.frames > 0 && scene.card.isNull() && !QImageReader(scene.cardPath).canRead())
            return std::unexpected(AnimaticError::cannotReadCard(scene.label, scene.cardPath));
    }
    const qint64 frames = plan.totalFrames();
    if (frames == 0)
        return std::unexpected(
            AnimaticError::invalidPlan(QStringLiteral("the film has no frames.")));
    if (frames / plan.fps > AnimaticWriter::longestFilmSeconds)
        return std::unexpected(
            AnimaticError::invalidPlan(QStringLiteral("the film is longer than a day.")));
    return {};
}

// One write of one file: the muxer, its two streams and the sound they are fed.
class Encoding
{
public:
    explicit Encoding(const AnimaticPlan &plan)
        : m_plan(plan)
        , m_mix(plan.scenes, plan.fps)
    {
    }

    Result open(const QString &path)
    {
        AVFormatContext *format = nullptr;
        const int made = avformat_alloc_output_context2(&format, nullptr, "mp4",
                                                        QFile::encodeName(path).constData());
        m_format.reset(format);
        if (made < 0)
            return std::unexpected(AnimaticError::encodingFailed(FFmpegHandles::errorText(made)));
        const bool globalHeader = m_format->oformat->flags & AVFMT_GLOBALHEADER;

        auto video = AnimaticEncoders::openVideo(m_plan.frameSize, m_plan.fps, globalHeader);
        if (!video)
            return std::unexpected(video.error());
        auto audio = AnimaticEncoders::openAudio(globalHeader);
        if (!audio)
            return std::unexpected(audio.error());
        auto videoStream = EncodedStream::add(format, std::move(*video));
        if (!videoStream)
            return std::unexpected(AnimaticError::encodingFailed(videoStream.error()));
        m_video = std::move(*videoStream);
        auto audioStream = EncodedStream::add(format, std::move(*audio));
        if (!audioStream)
            return std::unexpected(AnimaticError::encodingFailed(audioStream.error()));
        m_audio = std::move(*audioStream);
        if (const auto made = makeSoundFrame(); !made)
            return made;

        if (const int opened
            = avio_open(&m_format->pb, QFile::encodeName(path).constData(), AVIO_FLAG_WRITE);
            opened < 0) {
            return std::unexpected(AnimaticError::writeFailed(quoted(path) + QStringLiteral(": ")
                                                              + FFmpegHandles::errorText(opened)));
        }
        AVDictionary *options = nullptr;
        // The index goes in front once everything is written, so the file plays from the start.
        av_dict_set(&options, "movflags", "+faststart", 0);
        const int header = avformat_write_header(m_format.get(), &options);
        av_dict_free(&options);
        if (header < 0)
            return std::unexpected(AnimaticError::encodingFailed(FFmpegHandles::errorText(header)));
        return {};
    }

    Result run(const AnimaticWriter::Progress &progress,
               const AnimaticWriter::CancelCheck &isCancelled)
    {
        const qint64 total = m_plan.totalFrames();
        qint64 frame = 0;
        for (const AnimaticScene &scene : m_plan.scenes) {
            if (scene.frames == 0)
                continue;
            const QImage card = scene.card.isNull() ? QImage(scene.cardPath) : scene.card;
            if (card.isNull())
                return std::unexpected(AnimaticError::cannotReadCard(scene.label, scene.cardPath));
            auto picture = CardPicture::convert(card, m_plan.frameSize);
            if (!picture)
                return std::unexpected(AnimaticError::encodingFailed(picture.error()));
            for (qint64 shown = 0; shown < scene.frames; ++shown) {
                if (isCancelled && isCancelled())
                    return std::unexpected(AnimaticError::cancelled());
                // A key frame at every cut, where an editor looks for a card.
                (*picture)->pict_type = shown == 0 ? AV_PICTURE_TYPE_I : AV_PICTURE_TYPE_NONE;
                (*picture)->pts = frame;
                if (const auto sent = m_video.send(picture->get()); !sent)
                    return std::unexpected(AnimaticError::encodingFailed(sent.error()));
                ++frame;
                if (const auto heard = sendSoundUntil(NarrationMix::sampleAt(frame, m_plan.fps));
                    !heard)
                    return heard;
                if (progress)
                    progress(frame, total);
            }
        }
        return finish();
    }

private:
    Result makeSoundFrame()
    {
        const AVCodecContext *encoder = m_audio.encoder();
        m_sound.reset(av_frame_alloc());
        if (!m_sound)
            return std::unexpected(
                AnimaticError::encodingFailed(FFmpegHandles::errorText(AVERROR(ENOMEM))));
        m_sound->format = encoder->sample_fmt;
        m_sound->sample_rate = encoder->sample_rate;
        m_sound->nb_samples = encoder->frame_size;
        if (const int copied = av_channel_layout_copy(&m_sound->ch_layout, &encoder->ch_layout);
            copied < 0)
            return std::unexpected(AnimaticError::encodingFailed(FFmpegHandles::errorText(copied)));
        if (const int got = av_frame_get_buffer(m_sound.get(), 0); got < 0)
            return std::unexpected(AnimaticError::encodingFailed(FFmpegHandles::errorText(got)));
        return {};
    }

    // Encodes the sound up to `end` in whole encoder frames; the film's last, shorter frame is
    // sent by finish().
    Result sendSoundUntil(qint64 end)
    {
        const int frameSize = m_audio.encoder()->frame_size;
        while (m_soundSent < end
               && (end - m_soundSent >= frameSize || end == m_mix.totalSamples())) {
            const int count = int(std::min<qint64>(frameSize, end - m_soundSent));
            // The encoder may still hold the previous samples.
            if (const int writable = av_frame_make_writable(m_sound.get()); writable < 0)
                return std::unexpected(
                    AnimaticError::encodingFailed(FFmpegHandles::errorText(writable)));
            m_sound->nb_samples = count;
            m_sound->pts = m_soundSent;
            m_mix.render(m_soundSent, count, reinterpret_cast<float *>(m_sound->data[0]));
            if (const auto sent = m_audio.send(m_sound.get()); !sent)
                return std::unexpected(AnimaticError::encodingFailed(sent.error()));
            m_soundSent += count;
        }
        return {};
    }

    Result finish()
    {
        if (const auto heard = sendSoundUntil(m_mix.totalSamples()); !heard)
            return heard;
        for (EncodedStream *stream : {&m_video, &m_audio}) {
            if (const auto flushed = stream->send(nullptr); !flushed)
                return std::unexpected(AnimaticError::encodingFailed(flushed.error()));
        }
        if (const int trailer = av_write_trailer(m_format.get()); trailer < 0)
            return std::unexpected(
                AnimaticError::encodingFailed(FFmpegHandles::errorText(trailer)));
        if (const int closed = avio_closep(&m_format->pb); closed < 0)
            return std::unexpected(AnimaticError::writeFailed(FFmpegHandles::errorText(closed)));
        return {};
    }

    const AnimaticPlan &m_plan;
    NarrationMix m_mix;
    // Declared first, so it is freed after the streams that point into it.
    FFmpegHandles::FormatContext m_format;
    EncodedStream m_video;
    EncodedStream m_audio;
    FFmpegHandles::Frame m_sound;
    qint64 m_soundSent = 0;
};

} // namespace

std::expected<void, AnimaticError> AnimaticWriter::write(const AnimaticPlan &plan,
                                                         const Progress &progress,
                                                         const CancelCheck &isCancelled)
{
    if (const auto valid = checkPlan(plan); !valid)
        return valid;
    // FFmpeg would print the encoders' statistics on the program's standard error; failures
    // come back as errors anyway.
    av_log_set_level(AV_LOG_ERROR);

    const QFileInfo output(plan.outputPath);
    // Beside the output, so putting it in place is a rename within one file system.
    QTemporaryFile aside(output.absolutePath() + QStringLiteral("/.") + output.fileName()
                         + QStringLiteral(".XXXXXX"));
    if (!aside.open())
        return std::unexpected(AnimaticError::writeFailed(
            QStringLiteral("Could not create a file in %1: %2")
                .arg(quoted(output.absolutePath()), aside.errorString())));
    aside.close();
    {
        Encoding encoding(plan);
        if (const auto opened = encoding.open(aside.fileName()); !opened)
            return opened;
        if (const auto written = encoding.run(progress, isCancelled); !written)
            return written;
    }
    // A temporary file is private to its owner; the animatic is as readable as the export.
    aside.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
                         | QFileDevice::WriteUser | QFileDevice::ReadGroup
                         | QFileDevice::ReadOther);
    std::error_code failure;
    std::filesystem::rename(QFile::encodeName(aside.fileName()).toStdString(),
                            QFile::encodeName(output.absoluteFilePath()).toStdString(), failure);
    if (failure)
        return std::unexpected(
            AnimaticError::writeFailed(QStringLiteral("Could not put %1 in place: %2")
                                           .arg(quoted(output.absoluteFilePath()),
                                                QString::fromStdString(failure.message()))));
    aside.setAutoRemove(false);
    return {};
}

} // namespace veskel
