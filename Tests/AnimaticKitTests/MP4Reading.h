#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QString>

#include <vector>

namespace veskel::test {

// What FFmpeg's demuxer and decoders read from a video file, independent of how it was written.
struct DecodedMovie
{
    QString videoCodec;
    QString pixelFormat;
    int width = 0;
    int height = 0;
    // The video stream's average frame rate as a fraction.
    int frameRateNumerator = 0;
    int frameRateDenominator = 0;
    double durationSeconds = 0;
    // How many pictures the video holds.
    qint64 frameCount = 0;
    // The pictures asked for, by their place in presentation order, as RGB.
    QHash<qint64, QImage> frames;

    QString audioCodec;
    int sampleRate = 0;
    int channels = 0;
    // The first channel, placed by the frames' time stamps from time 0.
    std::vector<float> samples;
    // Top-level MP4 boxes in file order ("ftyp", "moov", "mdat", …).
    QList<QByteArray> boxes;
};

// Fails the current test when the file cannot be read.
DecodedMovie decodeMovie(const QString &path, const QList<qint64> &framesToKeep);

// Peak signal-to-noise ratio in dB over the RGB channels of two images of one size.
double psnr(const QImage &a, const QImage &b);
// Root mean square of samples [from, to).
double rms(const std::vector<float> &samples, qint64 from, qint64 to);

} // namespace veskel::test
