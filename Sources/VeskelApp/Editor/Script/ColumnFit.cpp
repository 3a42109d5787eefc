#include "VeskelApp/Editor/Script/ColumnFit.h"

#include <algorithm>
#include <cmath>

namespace veskel {

namespace {

int between(int full, int compact, double squeeze)
{
    return int(std::lround(full - (full - compact) * squeeze));
}

} // namespace

ColumnFit
ColumnFit::fit(int available, int preferredColumn, const Sides &full, const Sides &compact)
{
    const int text = std::max(minimumText, preferredColumn - 2 * full.padding);
    const int wanted = text + full.total();
    const int give = full.total() - compact.total();
    // 0 keeps every side at full size, 1 takes them all to compact.
    const double squeeze
        = available >= wanted || give <= 0 ? 0.0 : std::min(1.0, double(wanted - available) / give);
    ColumnFit fit;
    fit.sides = Sides{between(full.gutter, compact.gutter, squeeze),
                      between(full.margin, compact.margin, squeeze),
                      between(full.spacing, compact.spacing, squeeze),
                      between(full.padding, compact.padding, squeeze)};
    const int room = available - fit.sides.total();
    const int words = std::clamp(room, minimumText, text);
    fit.column = words + 2 * fit.sides.padding;
    fit.free = std::max(0, room - words);
    return fit;
}

} // namespace veskel
