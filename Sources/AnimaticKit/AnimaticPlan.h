#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

namespace veskel {

// A scene's scratch narration: mono 16-bit PCM at 48 kHz, as speech synthesis and WAV files
// hold it. Implicitly shared, so a cache can hand it over without copying.
using NarrationSamples = QList<qint16>;

// One card of the animatic and what is heard under it.
struct AnimaticScene
{
    // What the scene shows: `card` when it is not null, else the image file at `cardPath`.
    QImage card;
    QString cardPath;
    // How long the card stands; the scenes follow each other without gaps.
    qint64 frames = 0;
    // Starts with the scene and is cut at its end; empty for silence.
    NarrationSamples narration;
    // "S003", for messages.
    QString label;

    bool operator==(const AnimaticScene &) const = default;
};

// Everything an animatic is written from.
struct AnimaticPlan
{
    static constexpr int sampleRate = 48000;
    // The box the project's aspect is fitted in.
    static constexpr QSize largestFrame{1920, 1080};

    QString outputPath;
    int fps = 25;
    // Even sides, as 4:2:0 video needs.
    QSize frameSize = largestFrame;
    QList<AnimaticScene> scenes;

    qint64 totalFrames() const;

    // The largest frame of the project's aspect inside 1920 × 1080, each side rounded to an even
    // number (a 2160 × 3840 project gives 608 × 1080); an empty size for a size without area.
    static QSize fittedFrameSize(int width, int height);

    // The project's scenes in timeline order, each standing for exactly the frames of its FCPXML
    // clip. Cards and narrations are looked up by scene id; a scene without narration is silent.
    static AnimaticPlan of(const StoryboardProject &project,
                           const QString &outputPath,
                           const QHash<QString, QString> &cardPaths,
                           const QHash<QString, NarrationSamples> &narrations = {});

    bool operator==(const AnimaticPlan &) const = default;
};

} // namespace veskel
