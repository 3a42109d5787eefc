#include "NarrationKit/WavFile.h"

#include <QSaveFile>
#include <QtEndian>

#include <cstring>

namespace veskel::WavFile {

namespace {

constexpr qsizetype headerSize = 44;
constexpr quint16 pcmFormat = 1;
constexpr quint16 channels = 1;
constexpr quint16 bitsPerSample = 16;
constexpr quint16 blockAlign = channels * bitsPerSample / 8;

void appendTag(QByteArray &bytes, const char (&tag)[5])
{
    bytes.append(tag, 4);
}

template<typename T>
void appendLittleEndian(QByteArray &bytes, T value)
{
    char buffer[sizeof(T)];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, sizeof(T));
}

template<typename T>
T readLittleEndian(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<T>(bytes.constData() + at);
}

bool hasTag(const QByteArray &bytes, qsizetype at, const char (&tag)[5])
{
    return std::memcmp(bytes.constData() + at, tag, 4) == 0;
}

} // namespace

QByteArray encode(const NarrationAudio &audio)
{
    const quint32 dataSize = quint32(audio.samples.size()) * blockAlign;
    QByteArray bytes;
    bytes.reserve(headerSize + qsizetype(dataSize));
    appendTag(bytes, "RIFF");
    appendLittleEndian<quint32>(bytes, 36 + dataSize);
    appendTag(bytes, "WAVE");
    appendTag(bytes, "fmt ");
    appendLittleEndian<quint32>(bytes, 16);
    appendLittleEndian<quint16>(bytes, pcmFormat);
    appendLittleEndian<quint16>(bytes, channels);
    appendLittleEndian<quint32>(bytes, NarrationAudio::sampleRate);
    appendLittleEndian<quint32>(bytes, NarrationAudio::sampleRate * blockAlign);
    appendLittleEndian<quint16>(bytes, blockAlign);
    appendLittleEndian<quint16>(bytes, bitsPerSample);
    appendTag(bytes, "data");
    appendLittleEndian<quint32>(bytes, dataSize);
    for (qint16 sample : audio.samples)
        appendLittleEndian<qint16>(bytes, sample);
    return bytes;
}

std::optional<NarrationAudio> decode(const QByteArray &bytes)
{
    if (bytes.size() < headerSize || !hasTag(bytes, 0, "RIFF") || !hasTag(bytes, 8, "WAVE")
        || !hasTag(bytes, 12, "fmt ") || !hasTag(bytes, 36, "data"))
        return std::nullopt;
    const quint32 dataSize = readLittleEndian<quint32>(bytes, 40);
    const bool formatMatches = readLittleEndian<quint32>(bytes, 16) == 16
                               && readLittleEndian<quint16>(bytes, 20) == pcmFormat
                               && readLittleEndian<quint16>(bytes, 22) == channels
                               && readLittleEndian<quint32>(bytes, 24) == NarrationAudio::sampleRate
                               && readLittleEndian<quint16>(bytes, 32) == blockAlign
                               && readLittleEndian<quint16>(bytes, 34) == bitsPerSample;
    if (!formatMatches || readLittleEndian<quint32>(bytes, 4) != 36 + quint64(dataSize)
        || quint64(bytes.size() - headerSize) != dataSize || dataSize % blockAlign != 0)
        return std::nullopt;
    NarrationAudio audio;
    audio.samples.resize(qsizetype(dataSize / blockAlign));
    for (qsizetype i = 0; i < audio.samples.size(); ++i)
        audio.samples[i] = readLittleEndian<qint16>(bytes, headerSize + i * blockAlign);
    return audio;
}

std::expected<void, NarrationError> write(const QString &path, const NarrationAudio &audio)
{
    QSaveFile file(path);
    const QByteArray bytes = encode(audio);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return std::unexpected(NarrationError{NarrationError::Kind::writeFailed, path});
    return {};
}

} // namespace veskel::WavFile
