#pragma once

#include "AnimaticKit/AnimaticPlan.h"
#include "ExportKit/ExportError.h"
#include "FCPXMLKit/NarrationFile.h"
#include "NarrationKit/NarrationCache.h"
#include "StoryboardCore/Models/StoryboardProject.h"

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QStringList>

#include <expected>

namespace veskel {

// The scenes' voiceovers read aloud for an export with the animatic: one WAV file per scene
// with voiceover in the export folder's Narration, named like its card ("S001.wav").
struct ScratchNarration
{
    Q_DECLARE_TR_FUNCTIONS(ScratchNarration)

public:
    // By scene id; scenes without voiceover (or whose reading failed) have none.
    QHash<QString, NarrationSamples> samples;
    QHash<QString, NarrationFile> files;
    // Scenes that could not be read: the animatic is silent under them.
    QStringList warnings;

    static QString folderName() { return QStringLiteral("Narration"); }
    static QString fileName(const Scene &scene);

    // Reads the scenes at the project's speaking rate (from the cache where it can), writes
    // their files into `folder` and deletes the other WAV files there, so a deleted scene or
    // one whose voiceover was cleared leaves nothing behind. Only a file that cannot be written
    // or deleted fails; espeak-ng missing or refusing a text is a warning.
    static std::expected<ScratchNarration, ExportError>
    write(const StoryboardProject &project, const QString &folder, NarrationCache &cache);
};

} // namespace veskel
