#pragma once

#include "NarrationKit/NarrationAudio.h"
#include "NarrationKit/NarrationError.h"
#include "NarrationKit/NarrationKey.h"
#include "StoryboardCore/Models/StoryboardProject.h"

#include <QHash>
#include <QObject>

#include <memory>
#include <optional>

namespace veskel {

class NarrationCache;
class NarrationWorker;

// The window's narrations of the open project's scenes. Nothing is synthesised on the main
// thread: requests go to the one narration worker, and the lengths of what comes back are kept
// by voice, rate and text, so a scene's narration length is known once it has been read (when
// the project opens, when the rate changes, when the film is played). A voiceover changed by
// typing is read again only when it is played. The audio itself goes to whoever listens (the
// player); the narration cache keeps it.
class SceneNarrations : public QObject
{
    Q_OBJECT

public:
    // The cache (not owned) must outlive this object.
    explicit SceneNarrations(NarrationCache &cache, QObject *parent = nullptr);
    ~SceneNarrations() override;

    static NarrationKey key(const Scene &scene, const StoryboardProject &project)
    {
        return NarrationKey::of(scene.voiceoverText, project.videoSettings.wordsPerMinute);
    }

    // The lengths of every scene whose length is not known yet, in film order.
    void request(const StoryboardProject &project);
    // Every scene's audio, known or not: the film is about to play.
    void fetch(const StoryboardProject &project);
    std::optional<double> seconds(const NarrationKey &key) const;

    // The narration's length to show when it runs longer than the scene: rounded to a tenth of
    // a second, as the inspector says it, so a narration never reads "6 s is longer than 6 s".
    std::optional<double> overflow(const Scene &scene, const StoryboardProject &project) const;

    // Why narration cannot run (espeak-ng did not start), once a request failed so.
    const std::optional<QString> &unavailableMessage() const { return m_unavailable; }

signals:
    void narrated(const veskel::NarrationKey &key,
                  std::shared_ptr<const veskel::NarrationAudio> audio);
    void unavailableMessageChanged();

private:
    void failed(const NarrationKey &key, const NarrationError &error);
    void ask(const StoryboardProject &project, bool evenWhenKnown);

    NarrationWorker *m_worker = nullptr;
    // Seconds by what was read; only the texts the project held at the last request stay.
    QHash<NarrationKey, double> m_lengths;
    QSet<NarrationKey> m_failed;
    std::optional<QString> m_unavailable;
};

} // namespace veskel
