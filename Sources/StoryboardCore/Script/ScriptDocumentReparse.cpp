#include "StoryboardCore/Script/ScriptDocumentReparse.h"

#include "StoryboardCore/Script/ScriptLineReader.h"
#include "StoryboardCore/Script/ScriptSceneSync.h"

#include <QDateTime>

#include <algorithm>
#include <optional>
#include <span>

namespace veskel::ScriptDocumentCodec {

namespace {

using ScriptLines::LineKind;

qsizetype lineStartAt(QStringView text, qsizetype position)
{
    return position == 0 ? 0 : text.lastIndexOf(u'\n', position - 1) + 1;
}

// The index of the line feed that ends the line holding `position`, or the text's end.
qsizetype lineEndAt(QStringView text, qsizetype position)
{
    const qsizetype lineFeed = text.indexOf(u'\n', position);
    return lineFeed < 0 ? text.size() : lineFeed;
}

LineKind kindOf(QStringView text, qsizetype lineStart, qsizetype lineEnd)
{
    return ScriptLines::classify(text.sliced(lineStart, lineEnd - lineStart)).kind;
}

// Whether a line from the one starting at `from` to the one ending at `to` is a heading.
bool holdsHeading(QStringView text, qsizetype from, qsizetype to)
{
    for (qsizetype start = from;;) {
        const qsizetype end = lineEndAt(text, start);
        if (kindOf(text, start, end) == LineKind::heading)
            return true;
        if (end >= to)
            return false;
        start = end + 1;
    }
}

// The first index in [0, count) for which `before` is false; `before` must hold for a prefix.
template<typename Before>
qsizetype partitionPoint(qsizetype count, Before before)
{
    qsizetype low = 0;
    qsizetype high = count;
    while (low < high) {
        const qsizetype middle = low + (high - low) / 2;
        if (before(middle))
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

void shiftAfter(QHash<QString, TextRange> &ranges, qsizetype position, qsizetype delta)
{
    for (TextRange &range : ranges) {
        if (range.location > position)
            range.location += delta;
    }
}

bool holdsCarriageReturnLineFeed(QStringView text)
{
    // The search for one character is much the faster, and almost always ends the question.
    return text.contains(u'\r') && text.contains(u"\r\n");
}

} // namespace

bool reparse(ParsedScriptDocument &document,
             QStringView oldText,
             QStringView text,
             int wordsPerMinute,
             const ReparseHints &hints)
{
    QList<ScriptBlock> &blocks = document.blocks;
    QList<Scene> &scenes = document.scenes;
    ScriptDocumentLayout &layout = document.layout;
    if (layout.blockRanges.size() != blocks.size()
        || layout.sceneHeadingRanges.size() != scenes.size())
        return false;
    // The parse reads a carriage return before a line feed as part of the line end, which
    // moves every range after it; such texts are left to it.
    if (!hints.noCarriageReturns
        && (holdsCarriageReturnLineFeed(oldText) || holdsCarriageReturnLineFeed(text)))
        return false;

    // The edit: what followed the first `prefix` code units and preceded the last `suffix`
    // ones changed, up to `newEnd` in the new text.
    const auto [prefix, suffix] = hints.difference.value_or(TextDifference::between(oldText, text));
    const qsizetype newEnd = text.size() - suffix;
    const qsizetype delta = text.size() - oldText.size();

    // A heading edited, removed or made changes which scene each heading takes.
    const qsizetype first = lineStartAt(text, prefix);
    const qsizetype newLast = lineEndAt(text, newEnd);
    if (holdsHeading(oldText, first, newLast - delta) || holdsHeading(text, first, newLast))
        return false;

    // Widened to the blank or heading lines around it, which no paragraph crosses: the
    // paragraphs between them are all the edit can change.
    qsizetype from = first;
    while (from > 0) {
        const qsizetype previousStart = lineStartAt(text, from - 1);
        if (kindOf(text, previousStart, from - 1) != LineKind::content)
            break;
        from = previousStart;
    }
    qsizetype to = newLast;
    while (to < text.size()) {
        const qsizetype nextEnd = lineEndAt(text, to + 1);
        if (kindOf(text, to + 1, nextEnd) != LineKind::content)
            break;
        to = nextEnd;
    }
    const qsizetype oldTo = to - delta;

    QList<ScriptBlock> fresh;
    QList<ScriptLines::Heading> headings;
    BatchedUUIDGenerator ids;
    ScriptLines::ScriptLineReader reader(ids, fresh, headings);
    reader.readLines(text, from, to);
    reader.flush();
    if (!headings.isEmpty())
        return false;

    const auto rangeOf = [&](qsizetype b) { return layout.blockRanges.value(blocks.at(b).id); };
    const qsizetype firstOld
        = partitionPoint(blocks.size(), [&](qsizetype b) { return rangeOf(b).location < from; });
    const qsizetype endOld
        = partitionPoint(blocks.size(), [&](qsizetype b) { return rangeOf(b).location <= oldTo; });
    // The scene whose heading comes last before the edit; none in draft text.
    const qsizetype owner
        = partitionPoint(scenes.size(),
                         [&](qsizetype s) {
                             return layout.sceneHeadingRanges.value(scenes.at(s).id).location
                                    < from;
                         })
          - 1;
    const std::optional<QString> ownerID
        = owner >= 0 ? std::optional(scenes.at(owner).id) : std::nullopt;

    for (qsizetype b = firstOld; b < endOld; ++b)
        layout.blockRanges.remove(blocks.at(b).id);
    if (delta != 0) {
        shiftAfter(layout.blockRanges, oldTo, delta);
        shiftAfter(layout.sceneHeadingRanges, oldTo, delta);
        shiftAfter(layout.sceneSpans, oldTo, delta);
    }
    for (qsizetype b = 0; b < fresh.size(); ++b) {
        fresh[b].sceneID = ownerID;
        layout.blockRanges.insert(fresh.at(b).id, reader.ranges()[size_t(b)]);
    }
    const qsizetype replaced = endOld - firstOld;
    for (qsizetype b = 0; b < std::min(replaced, fresh.size()); ++b)
        blocks[firstOld + b] = std::move(fresh[b]);
    if (replaced > fresh.size())
        blocks.remove(firstOld + fresh.size(), replaced - fresh.size());
    else if (fresh.size() > replaced)
        blocks.insert(firstOld + replaced, fresh.size() - replaced, ScriptBlock{});
    for (qsizetype b = replaced; b < fresh.size(); ++b)
        blocks[firstOld + b] = std::move(fresh[b]);

    // The owner's blocks, now a run around the new ones.
    const auto owns = [&](qsizetype b) { return blocks.at(b).sceneID == ownerID; };
    qsizetype runStart = firstOld;
    while (runStart > 0 && owns(runStart - 1))
        --runStart;
    qsizetype runEnd = firstOld + fresh.size();
    while (runEnd < blocks.size() && owns(runEnd))
        ++runEnd;
    const bool ownsBlocks = runEnd > runStart;

    if (owner < 0) {
        layout.draftSpan = std::nullopt;
        if (ownsBlocks) {
            const qsizetype start = rangeOf(runStart).location;
            layout.draftSpan = TextRange{start, rangeOf(runEnd - 1).end() - start};
        }
    } else {
        Scene &scene = scenes[owner];
        const TextRange heading = layout.sceneHeadingRanges.value(scene.id);
        const qsizetype end = ownsBlocks ? rangeOf(runEnd - 1).end() : heading.end();
        layout.sceneSpans.insert(scene.id, {heading.location, end - heading.location});
        const Scene previous = scene;
        ScriptSceneSync::readTexts(
            scene, &previous,
            std::span<const ScriptBlock>(blocks.constData() + runStart, size_t(runEnd - runStart)),
            wordsPerMinute);
    }

    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (qsizetype s = 0; s < scenes.size(); ++s) {
        scenes[s].order = int(s);
        scenes[s].updatedAt = now;
    }
    return true;
}

} // namespace veskel::ScriptDocumentCodec
