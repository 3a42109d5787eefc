#include "AnimaticKit/AnimaticError.h"

#include <QDir>

namespace veskel {

QString AnimaticError::description() const
{
    switch (kind) {
    case Kind::invalidPlan:
        return tr("The animatic cannot be written: %1").arg(payload);
    case Kind::cannotReadCard:
        return tr("The card of %1 could not be read from %2. Export again.")
            .arg(sceneLabel, u'\u201C' + QDir::toNativeSeparators(payload) + u'\u201D');
    case Kind::encoderUnavailable:
        return tr("The animatic needs FFmpeg's %1 encoder, which this system's FFmpeg lacks.")
            .arg(payload);
    case Kind::encodingFailed:
        return tr("The animatic could not be encoded: %1").arg(payload);
    case Kind::writeFailed:
        return tr("The animatic could not be written: %1").arg(payload);
    case Kind::cancelled:
        return tr("The animatic was cancelled. The previous one, if any, is unchanged.");
    }
    return {};
}

} // namespace veskel
