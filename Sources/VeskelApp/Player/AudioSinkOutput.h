#pragma once

#include "VeskelApp/Player/NarrationOutput.h"

#include <QBuffer>
#include <QObject>

#include <memory>

class QAudioSink;

namespace veskel {

// Narration through Qt Multimedia's QAudioSink on the default output device. Without one, or
// after the sink reports an error, it plays nothing and the player goes on silently on its own
// clock.
class AudioSinkOutput final : public QObject, public NarrationOutput
{
    Q_OBJECT

public:
    explicit AudioSinkOutput(QObject *parent = nullptr);
    ~AudioSinkOutput() override;

    bool isSilent() const { return !m_sink; }

    void play(std::shared_ptr<const NarrationAudio> audio, qint64 fromSample) override;
    void stop() override;

private:
    void goSilent();

    QAudioSink *m_sink = nullptr;
    QBuffer m_buffer;
    QByteArray m_bytes;
};

} // namespace veskel
