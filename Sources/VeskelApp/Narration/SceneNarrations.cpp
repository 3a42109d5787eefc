#include "VeskelApp/Narration/SceneNarrations.h"

#include "NarrationKit/NarrationWorker.h"

#include <QCoreApplication>

#include <cmath>

namespace veskel {

SceneNarrations::SceneNarrations(NarrationCache &cache, QObject *parent)
    : QObject(parent)
    , m_worker(new NarrationWorker(cache, this))
{
    connect(m_worker, &NarrationWorker::narrated, this,
            [this](const NarrationKey &key, std::shared_ptr<const NarrationAudio> audio) {
                m_lengths.insert(key, audio ? audio->seconds() : 0.0);
                emit narrated(key, audio);
            });
    connect(m_worker, &NarrationWorker::failed, this, &SceneNarrations::failed);
}

SceneNarrations::~SceneNarrations() = default;

void SceneNarrations::request(const StoryboardProject &project)
{
    ask(project, false);
}

void SceneNarrations::fetch(const StoryboardProject &project)
{
    ask(project, true);
}

void SceneNarrations::ask(const StoryboardProject &project, bool evenWhenKnown)
{
    if (m_unavailable)
        return;
    // Only the texts the project holds now stay: a long session of typing would otherwise
    // keep the length of every text it ever read.
    QHash<NarrationKey, double> kept;
    for (const Scene &scene : project.orderedScenes()) {
        const NarrationKey sceneKey = key(scene, project);
        const auto found = m_lengths.constFind(sceneKey);
        if (found != m_lengths.cend())
            kept.insert(sceneKey, *found);
        if ((found == m_lengths.cend() || evenWhenKnown) && !m_failed.contains(sceneKey))
            m_worker->request(sceneKey);
    }
    m_lengths = std::move(kept);
}

std::optional<double> SceneNarrations::seconds(const NarrationKey &key) const
{
    const auto found = m_lengths.constFind(key);
    if (found == m_lengths.cend())
        return std::nullopt;
    return *found;
}

std::optional<double> SceneNarrations::overflow(const Scene &scene,
                                                const StoryboardProject &project) const
{
    const std::optional<double> length = seconds(key(scene, project));
    if (!length)
        return std::nullopt;
    const double shown = std::round(*length * 10) / 10;
    if (shown <= scene.durationSeconds)
        return std::nullopt;
    return shown;
}

void SceneNarrations::failed(const NarrationKey &key, const NarrationError &error)
{
    m_failed.insert(key);
    if (error.kind != NarrationError::Kind::unavailable || m_unavailable)
        return;
    m_unavailable = QCoreApplication::translate(
        "SceneNarrations",
        "Narration is unavailable: the espeak-ng speech synthesizer could not start.");
    emit unavailableMessageChanged();
}

} // namespace veskel
