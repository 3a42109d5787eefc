#include "VeskelApp/Editor/Script/ScriptDocumentSession.h"

#include "StoryboardCore/Editing/SceneStamps.h"
#include "StoryboardCore/Script/ScriptDocumentCodec.h"
#include "StoryboardCore/Script/ScriptDocumentReparse.h"
#include "StoryboardCore/Script/ScriptText.h"

#include <QDateTime>
#include <QSet>

#include <algorithm>

namespace veskel {

bool ScriptDocumentSession::regenerate(const StoryboardProject &project)
{
    ScriptDocumentCodec::SerializedDocument document
        = ScriptDocumentCodec::serialize(project.scriptBlocks, project.orderedScenes());
    m_layout = std::move(document.layout);
    m_layoutIsRead = false;
    m_readBlocks = {};
    m_readScenes = {};
    if (document.text == m_text)
        return false;
    m_text = std::move(document.text);
    m_carriageReturns = m_text.count(u'\r');
    return true;
}

std::optional<ScriptDocumentSession::Reading>
ScriptDocumentSession::reading(const QString &input,
                               const std::optional<TextDifference> &known) const
{
    // The carriage returns counted in what changed: typing never searches the whole script.
    const TextDifference difference = known.value_or(TextDifference::between(m_text, input));
    const qsizetype returns = m_carriageReturns - difference.removed(m_text).count(u'\r')
                              + difference.inserted(input).count(u'\r');
    if (returns == 0) {
        if (difference.removed(m_text).isEmpty() && difference.inserted(input).isEmpty())
            return std::nullopt;
        return Reading{input, 0, difference};
    }
    QString text = ScriptText::withLineFeeds(input);
    if (text == m_text)
        return std::nullopt;
    const qsizetype kept = text.size() == input.size() ? returns : text.count(u'\r');
    return Reading{std::move(text), kept, std::nullopt};
}

void ScriptDocumentSession::read(const QString &text, StoryboardProject &project)
{
    QString normalized = ScriptText::withLineFeeds(text);
    const qsizetype returns = normalized.count(u'\r');
    read(Reading{std::move(normalized), returns, std::nullopt}, project);
}

void ScriptDocumentSession::read(Reading reading, StoryboardProject &project)
{
    QString &text = reading.text;
    if (!readEdit(reading, project)) {
        const QList<Scene> previous = project.orderedScenes();
        ParsedScriptDocument parsed = ScriptDocumentCodec::parse(
            text, previous, m_keptAside, project.videoSettings.wordsPerMinute);
        for (Scene &scene : parsed.scenes)
            SceneStamps::refreshMarkerTitle(scene);
        keepAsideDropped(previous, parsed.scenes);
        project.scriptBlocks = std::move(parsed.blocks);
        project.scenes = std::move(parsed.scenes);
        m_layout = std::move(parsed.layout);
    }
    project.updatedAt = QDateTime::currentDateTimeUtc();
    m_text = std::move(text);
    m_carriageReturns = reading.carriageReturns;
    m_layoutIsRead = true;
    m_readBlocks = project.scriptBlocks;
    m_readScenes = project.scenes;
}

bool ScriptDocumentSession::readEdit(const Reading &reading, StoryboardProject &project)
{
    const bool untouched = m_layoutIsRead
                           && project.scriptBlocks.constData() == m_readBlocks.constData()
                           && project.scriptBlocks.size() == m_readBlocks.size()
                           && project.scenes.constData() == m_readScenes.constData()
                           && project.scenes.size() == m_readScenes.size();
    if (!m_readsEditsOnly || !untouched)
        return false;
    // The project's lists are the only copies now, so the re-read changes them in place.
    m_readBlocks = {};
    m_readScenes = {};
    ParsedScriptDocument document{std::move(project.scriptBlocks), std::move(project.scenes),
                                  std::move(m_layout)};
    const bool read = ScriptDocumentCodec::reparse(
        document, m_text, reading.text, project.videoSettings.wordsPerMinute,
        {m_carriageReturns == 0 && reading.carriageReturns == 0, reading.difference});
    // Headings, titles and orders stay, so no scene goes aside or comes back and no marker
    // title changes; when the edit could not be read alone, everything is put back.
    project.scriptBlocks = std::move(document.blocks);
    project.scenes = std::move(document.scenes);
    m_layout = std::move(document.layout);
    return read;
}

void ScriptDocumentSession::keepAsideDropped(const QList<Scene> &previous,
                                             const QList<Scene> &parsed)
{
    // Usually the same scenes in the same order: nothing to hash.
    const bool same = previous.size() == parsed.size()
                      && std::equal(previous.cbegin(), previous.cend(), parsed.cbegin(),
                                    [](const Scene &a, const Scene &b) { return a.id == b.id; });
    if (same && m_keptAside.isEmpty())
        return;
    QSet<QString> live;
    live.reserve(parsed.size());
    for (const Scene &scene : parsed)
        live.insert(scene.id);
    // Taken back: live again.
    m_keptAside.removeIf([&](const Scene &scene) { return live.contains(scene.id); });
    // The most recently removed first, so a title typed again takes the latest of its scenes.
    QList<Scene> dropped;
    for (const Scene &scene : previous) {
        if (!live.contains(scene.id))
            dropped.append(scene);
    }
    m_keptAside = dropped + m_keptAside;
    if (m_keptAside.size() > keptAsideLimit)
        m_keptAside.resize(keptAsideLimit);
}

void ScriptDocumentSession::forgetRestored(const StoryboardProject &project)
{
    if (!m_keptAside.isEmpty())
        m_keptAside.removeIf([&](const Scene &scene) { return project.scene(scene.id); });
}

std::optional<Scene> ScriptDocumentSession::sceneContaining(const TextRange &range,
                                                            const StoryboardProject &project) const
{
    for (auto it = m_layout.sceneSpans.cbegin(); it != m_layout.sceneSpans.cend(); ++it) {
        if (range.location < it->location || range.location >= it->end())
            continue;
        if (const Scene *scene = project.scene(it.key()))
            return *scene;
    }
    return std::nullopt;
}

std::optional<TextRange> ScriptDocumentSession::headingTitle(const QString &sceneID) const
{
    const auto heading = m_layout.sceneHeadingRanges.constFind(sceneID);
    if (heading == m_layout.sceneHeadingRanges.cend())
        return std::nullopt;
    const qsizetype prefix = std::min<qsizetype>(heading->length, 2);
    return TextRange{heading->location + prefix, heading->length - prefix};
}

std::optional<TextRange> ScriptDocumentSession::blockStart(const QString &blockID) const
{
    const auto range = m_layout.blockRanges.constFind(blockID);
    if (range == m_layout.blockRanges.cend())
        return std::nullopt;
    return TextRange{range->location, 0};
}

QList<ScriptSearchMatch> ScriptDocumentSession::searchMatches(const SearchQuery &query) const
{
    QList<ScriptSearchMatch> matches;
    for (const TextRange &range : query.rangesIn(m_text))
        matches.append(ScriptSearchMatch{range});
    return matches;
}

std::optional<QString> ScriptDocumentSession::replacing(const ScriptSearchMatch &match,
                                                        const SearchQuery &query,
                                                        const QString &replacement) const
{
    const TextRange range = match.range;
    // A hit from an older text may point elsewhere, or past the end of this one.
    if (!query.matchesAt(m_text, range))
        return std::nullopt;
    QString text = m_text;
    text.replace(range.location, range.length, replacement);
    return text;
}

} // namespace veskel
