#include "VeskelApp/Player/AudioSinkOutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

namespace veskel {

AudioSinkOutput::AudioSinkOutput(QObject *parent)
    : QObject(parent)
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return;
    QAudioFormat format;
    format.setSampleRate(NarrationAudio::sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        return;
    m_sink = new QAudioSink(device, format, this);
    connect(m_sink, &QAudioSink::stateChanged, this, [this] {
        if (m_sink && m_sink->error() != QAudio::NoError
            && m_sink->error() != QAudio::UnderrunError)
            goSilent();
    });
}

AudioSinkOutput::~AudioSinkOutput()
{
    stop();
}

void AudioSinkOutput::play(std::shared_ptr<const NarrationAudio> audio, qint64 fromSample)
{
    stop();
    if (!m_sink || !audio || fromSample >= audio->samples.size())
        return;
    const qint64 start = std::max<qint64>(0, fromSample);
    // The sink reads from its own copy: the audio may be replaced while it plays.
    m_bytes = QByteArray(reinterpret_cast<const char *>(audio->samples.constData() + start),
                         (audio->samples.size() - start) * qsizetype(sizeof(qint16)));
    m_buffer.setBuffer(&m_bytes);
    m_buffer.open(QIODevice::ReadOnly);
    m_sink->start(&m_buffer);
}

void AudioSinkOutput::stop()
{
    if (m_sink)
        m_sink->stop();
    m_buffer.close();
}

void AudioSinkOutput::goSilent()
{
    QAudioSink *sink = m_sink;
    m_sink = nullptr;
    sink->stop();
    sink->deleteLater();
    m_buffer.close();
}

} // namespace veskel
