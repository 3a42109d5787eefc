#include "NarrationKit/EspeakEngine.h"

#include "NarrationKit/PcmResampler.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <algorithm>

namespace veskel {

namespace {

QString statusMessage(espeak_ng_STATUS status)
{
    char buffer[512] = {};
    espeak_ng_GetStatusCodeMessage(status, buffer, sizeof buffer);
    return QString::fromLocal8Bit(buffer).trimmed();
}

} // namespace

EspeakEngine &EspeakEngine::shared()
{
    static EspeakEngine engine;
    return engine;
}

std::optional<NarrationError> EspeakEngine::unavailability()
{
    std::lock_guard lock(m_mutex);
    initialize();
    return m_unavailable;
}

QString EspeakEngine::version()
{
    std::lock_guard lock(m_mutex);
    initialize();
    return m_version;
}

void EspeakEngine::initialize()
{
    if (m_initialized)
        return;
    m_initialized = true;
    // The espeak_ng_* calls report failure; espeak_Initialize would end the process instead.
    espeak_ng_InitializePath(nullptr);
    espeak_ng_ERROR_CONTEXT context = nullptr;
    espeak_ng_STATUS status = espeak_ng_Initialize(&context);
    espeak_ng_ClearErrorContext(&context);
    if (status == ENS_OK)
        status = espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr);
    if (status != ENS_OK) {
        m_unavailable = NarrationError{NarrationError::Kind::unavailable, statusMessage(status)};
        return;
    }
    m_nativeRate = espeak_ng_GetSampleRate();
    m_version = QString::fromLatin1(espeak_Info(nullptr));
    espeak_SetSynthCallback([](short *samples, int count, espeak_EVENT *events) {
        return receive(samples, count, events);
    });
}

int EspeakEngine::receive(short *samples, int count, void *)
{
    // Only called from espeak_ng_Synthesize, which runs under the lock of the one engine.
    QList<qint16> *sink = shared().m_sink;
    if (sink && samples && count > 0)
        sink->append(QList<qint16>(samples, samples + count));
    return 0; // go on
}

std::expected<NarrationAudio, NarrationError>
EspeakEngine::synthesize(const QString &text, NarrationVoice voice, int wordsPerMinute)
{
    if (text.trimmed().isEmpty())
        return NarrationAudio{};
    std::lock_guard lock(m_mutex);
    initialize();
    if (m_unavailable)
        return std::unexpected(*m_unavailable);

    espeak_ng_STATUS status = espeak_ng_SetVoiceByName(rawValue(voice).toLatin1().constData());
    if (status == ENS_OK) {
        status = espeak_ng_SetParameter(espeakRATE,
                                        std::clamp(wordsPerMinute, slowestRate, fastestRate), 0);
    }
    QList<qint16> native;
    if (status == ENS_OK) {
        const QByteArray utf8 = text.toUtf8();
        m_sink = &native;
        status = espeak_ng_Synthesize(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER,
                                      0, espeakCHARS_UTF8, nullptr, nullptr);
        if (status == ENS_OK)
            status = espeak_ng_Synchronize();
        m_sink = nullptr;
    }
    if (status != ENS_OK)
        return std::unexpected(
            NarrationError{NarrationError::Kind::synthesisFailed, statusMessage(status)});
    return NarrationAudio{PcmResampler::resample(native, m_nativeRate, NarrationAudio::sampleRate)};
}

} // namespace veskel
