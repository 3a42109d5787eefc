#include "NarrationKit/NarrationError.h"

namespace veskel {

QString NarrationError::description() const
{
    switch (kind) {
    case Kind::unavailable:
        return QStringLiteral("Narration is unavailable: the espeak-ng speech synthesizer could "
                              "not start (%1).")
            .arg(detail);
    case Kind::synthesisFailed:
        return QStringLiteral("The narration could not be synthesized (%1).").arg(detail);
    case Kind::writeFailed:
        return QStringLiteral("The narration could not be written to %1.").arg(detail);
    }
    return {};
}

} // namespace veskel
