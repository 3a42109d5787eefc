#pragma once

#include "NarrationKit/NarrationAudio.h"
#include "VeskelApp/Player/PlaybackClock.h"
#include "VeskelApp/Player/PlaybackTimeline.h"

#include <QHash>
#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>

namespace veskel {

class NarrationOutput;

// The animatic player: plays the film from a scene on, frame by frame on a clock, and tells
// which scene is showing. The playing film is the project as it was when play started. Each
// scene starts at its FCPXML clip's frame; its narration (once it is known) plays from the
// point in the scene the clock has reached, so a silent output keeps the same time. Lives on the
// main thread; a timer asks the clock while playing, and tests call tick() themselves.
class PlayerViewModel : public QObject
{
    Q_OBJECT

public:
    enum class State { stopped, playing, paused };
    Q_ENUM(State)

    static constexpr int tickIntervalMs = 15;

    // The clock (not owned) must outlive the player; the output (not owned) may be null.
    explicit PlayerViewModel(PlaybackClock &clock,
                             NarrationOutput *output = nullptr,
                             QObject *parent = nullptr);

    State state() const { return m_state; }
    bool isActive() const { return m_state != State::stopped; }
    const PlaybackTimeline &timeline() const { return m_timeline; }
    // The frame on screen, as of the last tick.
    qint64 frame() const { return m_frame; }
    double seconds() const { return double(m_frame) / m_timeline.fps; }
    qsizetype sceneIndex() const { return m_sceneIndex; }
    // The scene on screen; nothing while stopped.
    std::optional<Scene> scene() const;

    // Plays the project from the scene's first frame (the first scene for an unknown id).
    // Nothing happens for a project without scenes.
    void play(const StoryboardProject &project, const QString &fromSceneID);
    // Space: pauses a playing film, resumes a paused one.
    void togglePause();
    // Escape.
    void stop();
    // Left / Right: the start of the scene so many scenes away, within the film.
    void jump(int scenes);
    // Reads the clock: moves the frame, changes scene, stops after the last frame.
    void tick();

    // Where narration goes from now on (not owned; null is silence).
    void setOutput(NarrationOutput *output) { m_output = output; }
    // A scene's narration became known (it may be the one playing).
    void setNarration(const QString &sceneID, std::shared_ptr<const NarrationAudio> audio);

signals:
    void stateChanged();
    void frameChanged();
    // Another scene is on screen (also when playing starts).
    void sceneChanged();
    // The last frame was played.
    void finished();

private:
    qint64 clockFrame() const;
    void seek(qint64 frame);
    void setState(State state);
    void showFrame(qint64 frame);
    void startNarration();

    PlaybackClock &m_clock;
    NarrationOutput *m_output = nullptr;
    QTimer m_ticker;
    State m_state = State::stopped;
    PlaybackTimeline m_timeline;
    QHash<QString, std::shared_ptr<const NarrationAudio>> m_narrations;
    // The clock time at which the frame `m_anchorFrame` was on screen.
    qint64 m_anchorMs = 0;
    qint64 m_anchorFrame = 0;
    qint64 m_frame = 0;
    qsizetype m_sceneIndex = -1;
};

} // namespace veskel
