#pragma once

#include "StoryboardCore/Script/ScriptDocumentLayout.h"
#include "VeskelApp/Editor/Script/SceneBand.h"

#include <QList>

#include <functional>
#include <optional>

namespace veskel {

// Scene bands from the layout of the text on screen, apart from any widget.
namespace SceneBandCalculator {

// The top and bottom of a range of the text as laid out.
using Extent = std::function<std::pair<double, double>(const TextRange &)>;

// One band per non-empty scene span that lies inside the text (a layout older than the text
// may reach past its end: such spans give nothing), plus one for a draft span, sorted by top.
// With a window, only spans that reach into that part of the text are measured: a long script
// is laid out only where it is seen.
QList<SceneBand> compute(const ScriptDocumentLayout &layout,
                         qsizetype textLength,
                         const Extent &extent,
                         std::optional<TextRange> window = std::nullopt);

// The band under a height; the first one when bands touch.
std::optional<SceneBand> bandAt(const QList<SceneBand> &bands, double y);

} // namespace SceneBandCalculator

} // namespace veskel
