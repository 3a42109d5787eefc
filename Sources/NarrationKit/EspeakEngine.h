#pragma once

#include "NarrationKit/NarrationAudio.h"
#include "NarrationKit/NarrationError.h"
#include "NarrationKit/NarrationVoice.h"

#include <QString>

#include <expected>
#include <mutex>
#include <optional>

namespace veskel {

// espeak-ng through its library, once per process. The library keeps its voice, rate and
// output in globals and is not re-entrant, so every call goes through one mutex: callers on any
// thread (the window's narration worker, the command-line tool, tests) are served one at a time.
// It starts on first use with the library's own data path (Debian's espeak-ng-data); if it cannot,
// every call reports `unavailable` with espeak-ng's reason instead of ending the process.
class EspeakEngine
{
public:
    // The slowest and fastest pace narration is read at, in espeak-ng's words a minute.
    static constexpr int slowestRate = 80;
    static constexpr int fastestRate = 450;

    static EspeakEngine &shared();

    EspeakEngine(const EspeakEngine &) = delete;
    EspeakEngine &operator=(const EspeakEngine &) = delete;

    // The reason narration cannot run, or nothing when it can.
    std::optional<NarrationError> unavailability();
    // espeak-ng's version, part of what a cached narration is keyed by; empty when unavailable.
    QString version();

    // The text read aloud at `wordsPerMinute` (clamped to what espeak-ng accepts), resampled to
    // 48 kHz. Blank text is empty audio without asking the library.
    std::expected<NarrationAudio, NarrationError>
    synthesize(const QString &text, NarrationVoice voice, int wordsPerMinute);

private:
    EspeakEngine() = default;
    // Under the lock.
    void initialize();
    static int receive(short *samples, int count, void *events);

    std::mutex m_mutex;
    bool m_initialized = false;
    std::optional<NarrationError> m_unavailable;
    QString m_version;
    int m_nativeRate = 0;
    // The samples of the synthesis in progress; only touched under the lock.
    QList<qint16> *m_sink = nullptr;
};

} // namespace veskel
