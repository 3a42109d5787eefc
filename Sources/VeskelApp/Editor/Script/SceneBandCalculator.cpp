#include "VeskelApp/Editor/Script/SceneBandCalculator.h"

#include <algorithm>

namespace veskel::SceneBandCalculator {

namespace {

bool liesInside(const TextRange &range, qsizetype textLength)
{
    return range.length > 0 && range.location >= 0 && range.end() <= textLength;
}

bool meets(const TextRange &range, const std::optional<TextRange> &window)
{
    return !window || (range.location <= window->end() && range.end() >= window->location);
}

} // namespace

QList<SceneBand> compute(const ScriptDocumentLayout &layout,
                         qsizetype textLength,
                         const Extent &extent,
                         std::optional<TextRange> window)
{
    QList<SceneBand> bands;
    bands.reserve(layout.sceneSpans.size() + 1);
    for (auto it = layout.sceneSpans.cbegin(); it != layout.sceneSpans.cend(); ++it) {
        if (!liesInside(it.value(), textLength) || !meets(it.value(), window))
            continue;
        const auto [top, bottom] = extent(it.value());
        bands.append(SceneBand{it.key(), top, bottom});
    }
    if (layout.draftSpan && liesInside(*layout.draftSpan, textLength)
        && meets(*layout.draftSpan, window)) {
        const auto [top, bottom] = extent(*layout.draftSpan);
        bands.append(SceneBand{std::nullopt, top, bottom});
    }
    // The hash has no order of its own: ties fall back to the id, so equal layouts give equal
    // lists and the gutter is not redrawn for nothing.
    std::stable_sort(bands.begin(), bands.end(), [](const SceneBand &a, const SceneBand &b) {
        if (a.minY != b.minY)
            return a.minY < b.minY;
        return a.sceneID < b.sceneID;
    });
    return bands;
}

std::optional<SceneBand> bandAt(const QList<SceneBand> &bands, double y)
{
    for (const SceneBand &band : bands) {
        if (y >= band.minY && y <= band.maxY)
            return band;
    }
    return std::nullopt;
}

} // namespace veskel::SceneBandCalculator
