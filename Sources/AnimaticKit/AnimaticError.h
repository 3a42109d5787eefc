#pragma once

#include <QCoreApplication>
#include <QString>

namespace veskel {

// Why an animatic was not written. Whatever stopped it, a previous file at the output path is
// left as it was and nothing is left beside it.
struct AnimaticError
{
    Q_DECLARE_TR_FUNCTIONS(AnimaticError)

public:
    enum class Kind {
        invalidPlan,        // payload: what is wrong with it
        cannotReadCard,     // sceneLabel, payload: the card's path
        encoderUnavailable, // payload: the encoder's name
        encodingFailed,     // payload: what FFmpeg said
        writeFailed,        // payload: which file and why
        cancelled,          // no payload
    };

    Kind kind = Kind::encodingFailed;
    QString sceneLabel;
    QString payload;

    static AnimaticError invalidPlan(const QString &reason)
    {
        return {Kind::invalidPlan, {}, reason};
    }
    static AnimaticError cannotReadCard(const QString &sceneLabel, const QString &path)
    {
        return {Kind::cannotReadCard, sceneLabel, path};
    }
    static AnimaticError encoderUnavailable(const QString &name)
    {
        return {Kind::encoderUnavailable, {}, name};
    }
    static AnimaticError encodingFailed(const QString &detail)
    {
        return {Kind::encodingFailed, {}, detail};
    }
    static AnimaticError writeFailed(const QString &detail)
    {
        return {Kind::writeFailed, {}, detail};
    }
    static AnimaticError cancelled() { return {Kind::cancelled, {}, {}}; }

    // A sentence in the interface language that says what to do.
    QString description() const;

    bool operator==(const AnimaticError &) const = default;
};

} // namespace veskel
