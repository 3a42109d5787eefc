#include "VeskelApp/Player/PlayerViewModel.h"

#include "VeskelApp/Player/NarrationOutput.h"

#include <algorithm>

namespace veskel {

PlayerViewModel::PlayerViewModel(PlaybackClock &clock, NarrationOutput *output, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
    , m_output(output)
{
    m_ticker.setInterval(tickIntervalMs);
    m_ticker.setTimerType(Qt::PreciseTimer);
    connect(&m_ticker, &QTimer::timeout, this, &PlayerViewModel::tick);
}

std::optional<Scene> PlayerViewModel::scene() const
{
    if (m_state == State::stopped || m_sceneIndex < 0)
        return std::nullopt;
    return m_timeline.scenes.at(m_sceneIndex);
}

void PlayerViewModel::play(const StoryboardProject &project, const QString &fromSceneID)
{
    PlaybackTimeline timeline = PlaybackTimeline::of(project);
    if (timeline.sceneCount() == 0 || timeline.totalFrames() == 0)
        return;
    if (m_output)
        m_output->stop();
    m_timeline = std::move(timeline);
    m_sceneIndex = -1;
    setState(State::playing);
    seek(m_timeline.startFrame(std::max<qsizetype>(0, m_timeline.indexOf(fromSceneID))));
    m_ticker.start();
}

void PlayerViewModel::togglePause()
{
    if (m_state == State::playing) {
        tick();
        if (m_state != State::playing)
            return;
        m_anchorFrame = m_frame;
        m_ticker.stop();
        if (m_output)
            m_output->stop();
        setState(State::paused);
    } else if (m_state == State::paused) {
        m_anchorMs = m_clock.nowMs();
        setState(State::playing);
        startNarration();
        m_ticker.start();
    }
}

void PlayerViewModel::stop()
{
    if (m_state == State::stopped)
        return;
    m_ticker.stop();
    if (m_output)
        m_output->stop();
    m_sceneIndex = -1;
    setState(State::stopped);
}

void PlayerViewModel::jump(int scenes)
{
    if (m_state == State::stopped)
        return;
    tick();
    if (m_state == State::stopped)
        return;
    const qsizetype target
        = std::clamp<qsizetype>(m_sceneIndex + scenes, 0, m_timeline.sceneCount() - 1);
    seek(m_timeline.startFrame(target));
}

void PlayerViewModel::tick()
{
    if (m_state == State::playing)
        showFrame(clockFrame());
}

void PlayerViewModel::setNarration(const QString &sceneID,
                                   std::shared_ptr<const NarrationAudio> audio)
{
    m_narrations.insert(sceneID, std::move(audio));
    if (m_state == State::playing && m_sceneIndex >= 0
        && m_timeline.scenes.at(m_sceneIndex).id == sceneID)
        startNarration();
}

qint64 PlayerViewModel::clockFrame() const
{
    const qint64 elapsedMs = std::max<qint64>(0, m_clock.nowMs() - m_anchorMs);
    return m_anchorFrame + elapsedMs * m_timeline.fps / 1000;
}

void PlayerViewModel::seek(qint64 frame)
{
    m_anchorMs = m_clock.nowMs();
    m_anchorFrame = frame;
    // A seek within the scene on screen still restarts its narration at the new point.
    const qsizetype before = m_sceneIndex;
    showFrame(frame);
    if (m_sceneIndex == before && m_state == State::playing)
        startNarration();
}

void PlayerViewModel::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged();
}

void PlayerViewModel::showFrame(qint64 frame)
{
    if (frame >= m_timeline.totalFrames()) {
        m_frame = m_timeline.totalFrames();
        emit frameChanged();
        stop();
        emit finished();
        return;
    }
    m_frame = frame;
    const qsizetype index = m_timeline.sceneAt(frame);
    if (index != m_sceneIndex) {
        m_sceneIndex = index;
        emit sceneChanged();
        if (m_state == State::playing)
            startNarration();
    }
    emit frameChanged();
}

void PlayerViewModel::startNarration()
{
    if (!m_output || m_sceneIndex < 0)
        return;
    const auto audio = m_narrations.value(m_timeline.scenes.at(m_sceneIndex).id);
    const qint64 intoScene = m_frame - m_timeline.startFrame(m_sceneIndex);
    const qint64 fromSample = intoScene * NarrationAudio::sampleRate / m_timeline.fps;
    if (audio && fromSample < audio->samples.size())
        m_output->play(audio, fromSample);
    else
        m_output->stop();
}

} // namespace veskel
