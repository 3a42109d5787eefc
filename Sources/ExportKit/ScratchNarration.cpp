#include "ExportKit/ScratchNarration.h"

#include "ExportKit/ExportFiles.h"
#include "NarrationKit/Narrator.h"
#include "NarrationKit/WavFile.h"

#include <QSet>

namespace veskel {

QString ScratchNarration::fileName(const Scene &scene)
{
    return u'S' + scene.sceneNumber() + QStringLiteral(".wav");
}

std::expected<ScratchNarration, ExportError> ScratchNarration::write(
    const StoryboardProject &project, const QString &folder, NarrationCache &cache)
{
    ScratchNarration narration;
    QSet<QString> written;
    bool unavailable = false;
    for (const Scene &scene : project.orderedScenes()) {
        if (unavailable || scene.voiceoverText.trimmed().isEmpty())
            continue;
        const Narrator::Result audio
            = Narrator::narrate(scene.voiceoverText, project.videoSettings.wordsPerMinute, cache);
        if (!audio) {
            // Without espeak-ng no scene can be read: said once, not per scene.
            unavailable = audio.error().kind == NarrationError::Kind::unavailable;
            narration.warnings.append(
                unavailable ? tr("Scratch narration is unavailable (%1). The animatic is silent.")
                                  .arg(audio.error().detail)
                            : tr("Could not read the voiceover of %1 aloud (%2). The animatic is "
                                 "silent under it.")
                                  .arg(scene.clipName(), audio.error().detail));
            continue;
        }
        if ((*audio)->samples.isEmpty())
            continue;
        const QString name = fileName(scene);
        const QString path = folder + u'/' + name;
        if (auto ok = ExportFiles::writeAtomically(path, WavFile::encode(**audio)); !ok) {
            return std::unexpected(
                ExportError::writeFailed(QStringLiteral("Could not write narration %1: %2")
                                             .arg(ExportFiles::quoted(path), ok.error())));
        }
        written.insert(name);
        narration.samples.insert(scene.id, (*audio)->samples);
        narration.files.insert(scene.id, {folderName() + u'/' + name, (*audio)->samples.size()});
    }
    if (auto removed = ExportFiles::removeOrphans(folder, QStringLiteral("wav"), written); !removed)
        return std::unexpected(removed.error());
    return narration;
}

} // namespace veskel
