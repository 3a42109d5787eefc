#pragma once

#include <QElapsedTimer>

namespace veskel {

// Where the player reads the time from: a steady clock in the window, a hand-driven one in
// tests, so that playback is tested without waiting.
class PlaybackClock
{
public:
    virtual ~PlaybackClock() = default;
    // Milliseconds since some fixed moment; never goes back.
    virtual qint64 nowMs() const = 0;
};

class SteadyPlaybackClock final : public PlaybackClock
{
public:
    SteadyPlaybackClock() { m_timer.start(); }
    qint64 nowMs() const override { return m_timer.elapsed(); }

private:
    QElapsedTimer m_timer;
};

} // namespace veskel
