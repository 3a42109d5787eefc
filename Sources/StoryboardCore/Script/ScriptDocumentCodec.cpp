#include "StoryboardCore/Script/ScriptDocumentCodec.h"

#include "StoryboardCore/Script/BatchedUUIDGenerator.h"
#include "StoryboardCore/Script/ScriptLineReader.h"
#include "StoryboardCore/Script/ScriptSceneSync.h"
#include "StoryboardCore/Script/ScriptText.h"

#include <QDateTime>
#include <QSet>

#include <algorithm>
#include <numeric>
#include <optional>
#include <span>
#include <vector>

namespace veskel::ScriptDocumentCodec {

namespace {

constexpr char16_t lineFeed = u'\n';

QStringView prefix(ScriptBlockRole role)
{
    switch (role) {
    case ScriptBlockRole::voiceover:
        return {};
    case ScriptBlockRole::onScreen:
        return u"> ";
    case ScriptBlockRole::note:
        return u"// ";
    }
    return {};
}

// Positions of `scenes` sorted by `order`; equal orders keep their list order.
std::vector<qsizetype> indicesByOrder(const QList<Scene> &scenes)
{
    std::vector<qsizetype> indices(size_t(scenes.size()));
    std::iota(indices.begin(), indices.end(), qsizetype(0));
    std::stable_sort(indices.begin(), indices.end(), [&](qsizetype a, qsizetype b) {
        return scenes.at(a).order < scenes.at(b).order;
    });
    return indices;
}

// Appends "# Title", or a bare "#" when the title as a heading reads it is empty; returns the
// heading's range.
TextRange appendHeading(QString &text, const QString &title)
{
    const qsizetype start = text.size();
    text += u'#';
    const QString oneLine = ScriptText::headingTitle(title);
    if (!oneLine.isEmpty()) {
        text += u' ';
        text += oneLine;
    }
    return {start, text.size() - start};
}

// --- reading ----------------------------------------------------------------------------------

using ScriptLines::Heading;

// By title: each title chains its unclaimed candidates in their order, so every heading claims
// the first one of its title with one lookup.
class TitleChains
{
public:
    // `candidates` in the order they are to be claimed; `claimed` marks the ones not to offer.
    TitleChains(const QList<const Scene *> &candidates, const std::vector<bool> &claimed)
        : m_next(size_t(candidates.size()), -1)
    {
        m_first.reserve(candidates.size());
        for (qsizetype p = candidates.size(); p-- > 0;) {
            if (claimed[size_t(p)])
                continue;
            auto it = m_first.find(candidates.at(p)->title);
            if (it == m_first.end()) {
                m_first.insert(candidates.at(p)->title, p);
            } else {
                m_next[size_t(p)] = *it;
                *it = p;
            }
        }
    }

    // The position of the first unclaimed candidate with that title, now claimed; or -1.
    qsizetype claim(const QString &title)
    {
        auto it = m_first.find(title);
        if (it == m_first.end() || *it < 0)
            return -1;
        const qsizetype p = *it;
        *it = m_next[size_t(p)];
        return p;
    }

private:
    std::vector<qsizetype> m_next;
    QHash<QString, qsizetype> m_first;
};

// For each heading, the scene it takes over (a previous one or one kept aside), or null.
std::vector<const Scene *> matchHeadings(const QList<Heading> &headings,
                                         const QList<Scene> &previous,
                                         const QList<Scene> &keptAside)
{
    std::vector<const Scene *> matched(size_t(headings.size()), nullptr);
    QList<const Scene *> sorted;
    sorted.reserve(previous.size());
    for (qsizetype index : indicesByOrder(previous))
        sorted.append(&previous.at(index));
    std::vector<bool> claimed(size_t(sorted.size()), false);

    // Scene ids are unique in a sound project; should a damaged one repeat an id, only the
    // first of them (by order) may be taken over, so ids stay unique in the result.
    QSet<QString> ids;
    ids.reserve(previous.size());
    for (qsizetype p = 0; p < sorted.size(); ++p) {
        if (ids.contains(sorted.at(p)->id))
            claimed[size_t(p)] = true;
        else
            ids.insert(sorted.at(p)->id);
    }

    TitleChains byTitle(sorted, claimed);
    for (qsizetype h = 0; h < headings.size(); ++h) {
        const qsizetype p = byTitle.claim(headings.at(h).title);
        if (p < 0)
            continue;
        claimed[size_t(p)] = true;
        matched[size_t(h)] = sorted.at(p);
    }

    // A heading typed again with the title of a scene that went away takes it back, before
    // the position match could hand it a scene of another name.
    if (!keptAside.isEmpty()) {
        QList<const Scene *> aside;
        std::vector<bool> unavailable;
        for (const Scene &scene : keptAside) {
            aside.append(&scene);
            unavailable.push_back(ids.contains(scene.id));
            ids.insert(scene.id);
        }
        TitleChains asideByTitle(aside, unavailable);
        for (qsizetype h = 0; h < headings.size(); ++h) {
            if (matched[size_t(h)])
                continue;
            const qsizetype k = asideByTitle.claim(headings.at(h).title);
            if (k >= 0)
                matched[size_t(h)] = aside.at(k);
        }
    }

    // By position: what is left, in order, goes to the headings still without a scene.
    qsizetype p = 0;
    for (const Scene *&match : matched) {
        if (match)
            continue;
        while (p < sorted.size() && claimed[size_t(p)])
            ++p;
        if (p == sorted.size())
            break;
        claimed[size_t(p)] = true;
        match = sorted.at(p++);
    }
    return matched;
}

Scene newScene(const QString &id, const QString &title, const QDateTime &now)
{
    Scene scene;
    scene.id = id;
    scene.title = title;
    scene.durationSeconds = ScriptSceneSync::minEstimatedDuration;
    scene.type = SceneType::placeholder;
    scene.marker = SceneMarker{};
    scene.createdAt = now;
    scene.updatedAt = now;
    return scene;
}

} // namespace

SerializedDocument serialize(const QList<ScriptBlock> &blocks, const QList<Scene> &scenes)
{
    SerializedDocument result;
    QString &text = result.text;
    ScriptDocumentLayout &layout = result.layout;

    QHash<QString, const Scene *> sceneByID;
    sceneByID.reserve(scenes.size());
    qsizetype expectedLength = 0;
    for (const Scene &scene : scenes) {
        sceneByID.insert(scene.id, &scene);
        expectedLength += scene.title.size() + 4;
    }
    for (const ScriptBlock &block : blocks)
        expectedLength += block.text.size() + 8;
    text.reserve(expectedLength);
    layout.blockRanges.reserve(blocks.size());
    layout.sceneHeadingRanges.reserve(scenes.size());
    layout.sceneSpans.reserve(scenes.size());

    std::optional<QString> current;
    qsizetype previousEnd = 0;
    std::optional<qsizetype> draftStart;
    qsizetype draftEnd = 0;

    const auto closeSpan = [&] {
        if (!current)
            return;
        const auto heading = layout.sceneHeadingRanges.constFind(*current);
        if (heading == layout.sceneHeadingRanges.cend())
            return;
        const qsizetype location = heading->location;
        layout.sceneSpans.insert(*current,
                                 {location, std::max<qsizetype>(0, previousEnd - location)});
    };

    // A scene without text has no block to write its heading: it is written where its order
    // puts it, before the heading of the first scene with text that follows it in the film.
    const QList<qsizetype> filmOrder = ScriptSceneSync::documentOrder(blocks, scenes);
    QHash<QString, qsizetype> placeInFilm;
    placeInFilm.reserve(filmOrder.size());
    for (qsizetype place = 0; place < filmOrder.size(); ++place)
        placeInFilm.insert(scenes.at(filmOrder.at(place)).id, place);
    qsizetype nextPlace = 0;
    const auto writeHeadingsWithoutTextBefore = [&](qsizetype place) {
        for (; nextPlace < place; ++nextPlace) {
            const Scene &scene = scenes.at(filmOrder.at(nextPlace));
            if (layout.sceneHeadingRanges.contains(scene.id))
                continue;
            if (!text.isEmpty())
                text += lineFeed;
            const TextRange heading = appendHeading(text, scene.title);
            layout.sceneHeadingRanges.insert(scene.id, heading);
            layout.sceneSpans.insert(scene.id, heading);
            text += lineFeed;
        }
    };

    for (const ScriptBlock &block : blocks) {
        if (block.sceneID != current) {
            closeSpan();
            current = block.sceneID;
            if (current && !layout.sceneHeadingRanges.contains(*current)) {
                if (const auto place = placeInFilm.constFind(*current);
                    place != placeInFilm.cend()) {
                    writeHeadingsWithoutTextBefore(*place);
                    nextPlace = std::max(nextPlace, *place + 1);
                }
                if (!text.isEmpty())
                    text += lineFeed;
                const Scene *scene = sceneByID.value(*current);
                // A block that names a missing scene gets a heading with an empty title.
                const TextRange heading = appendHeading(text, scene ? scene->title : QString());
                layout.sceneHeadingRanges.insert(*current, heading);
                text += lineFeed;
            }
        }
        if (!text.isEmpty())
            text += lineFeed;

        const qsizetype start = text.size();
        const QStringView linePrefix = prefix(block.role);
        const QStringView body = block.text;
        qsizetype lineStart = 0;
        while (true) {
            const qsizetype lineEnd = body.indexOf(lineFeed, lineStart);
            text += linePrefix;
            if (lineEnd < 0) {
                text += body.sliced(lineStart);
                break;
            }
            text += body.sliced(lineStart, lineEnd - lineStart);
            text += lineFeed;
            lineStart = lineEnd + 1;
        }
        const qsizetype end = text.size();
        layout.blockRanges.insert(block.id, {start, end - start});
        text += lineFeed;
        previousEnd = end;

        if (!block.sceneID && layout.sceneHeadingRanges.isEmpty()) {
            if (!draftStart)
                draftStart = start;
            draftEnd = end;
        }
    }
    closeSpan();
    writeHeadingsWithoutTextBefore(filmOrder.size());

    if (draftStart)
        layout.draftSpan = TextRange{*draftStart, draftEnd - *draftStart};
    return result;
}

ParsedScriptDocument parse(const QString &input,
                           const QList<Scene> &previousScenes,
                           const QList<Scene> &keptAside,
                           int wordsPerMinute)
{
    ParsedScriptDocument result;
    ScriptDocumentLayout &layout = result.layout;

    const QString text = ScriptText::withLineFeeds(input);
    const QStringView document = text;

    QList<Heading> headings;
    // Rough sizes for a typical script: a paragraph every few lines, a heading every few
    // paragraphs.
    result.blocks.reserve(text.size() / 80 + 4);
    headings.reserve(previousScenes.size() + 8);
    BatchedUUIDGenerator ids;
    ScriptLines::ScriptLineReader paragraphs(ids, result.blocks, headings);

    paragraphs.readLines(document, 0, document.size());
    paragraphs.flush();
    layout.draftSpan = paragraphs.draftSpan();
    layout.blockRanges.reserve(result.blocks.size());
    for (qsizetype b = 0; b < result.blocks.size(); ++b)
        layout.blockRanges.insert(result.blocks.at(b).id, paragraphs.ranges()[size_t(b)]);

    const std::vector<const Scene *> matched = matchHeadings(headings, previousScenes, keptAside);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    result.scenes.reserve(headings.size());
    layout.sceneHeadingRanges.reserve(headings.size());
    layout.sceneSpans.reserve(headings.size());

    for (qsizetype h = 0; h < headings.size(); ++h) {
        const Heading &heading = headings.at(h);
        const Scene *previous = matched[size_t(h)];
        Scene scene = previous ? *previous : newScene(ids.next(), heading.title, now);
        scene.title = heading.title;
        scene.order = int(h);

        const qsizetype firstBlock = heading.firstBlock;
        const qsizetype endBlock
            = h + 1 < headings.size() ? headings.at(h + 1).firstBlock : result.blocks.size();
        for (qsizetype b = firstBlock; b < endBlock; ++b)
            result.blocks[b].sceneID = scene.id;

        // The scene's blocks are exactly this run, so the texts come from it alone.
        const std::span<const ScriptBlock> owned(result.blocks.constData() + firstBlock,
                                                 size_t(endBlock - firstBlock));
        ScriptSceneSync::readTexts(scene, previous, owned, wordsPerMinute);
        scene.updatedAt = now;

        layout.sceneHeadingRanges.insert(scene.id, heading.range);
        layout.sceneSpans.insert(scene.id,
                                 {heading.range.location, heading.end - heading.range.location});
        result.scenes.append(std::move(scene));
    }
    return result;
}

} // namespace veskel::ScriptDocumentCodec
