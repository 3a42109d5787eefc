#include "ExportKit/SceneListExporter.h"

#include "StoryboardCore/Duration/DurationCalculator.h"

#include <QStringList>

namespace veskel::SceneListExporter {

namespace {

// Quotes doubled; the field wrapped in quotes when it holds a comma, a quote or a line break.
// Readers end a row at a carriage return of its own too, so it counts as a line break.
QString field(const QString &value)
{
    QString text = value;
    text.replace(u'"', QStringLiteral("\"\""));
    if (text.contains(u',') || text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r'))
        return u'"' + text + u'"';
    return text;
}

} // namespace

QString csv(const StoryboardProject &project)
{
    QString text = QStringLiteral(
        "scene_number,scene_title,duration,scene_type,on_screen_text,voiceover,note\n");
    for (const Scene &scene : project.orderedScenes()) {
        const QStringList fields{field(scene.sceneNumber()),
                                 field(scene.title),
                                 field(DurationCalculator::formatDuration(scene.durationSeconds)),
                                 field(displayName(scene.type)),
                                 field(scene.onScreenText),
                                 field(scene.voiceoverText),
                                 field(scene.productionNote)};
        text += fields.join(u',') + u'\n';
    }
    return text;
}

} // namespace veskel::SceneListExporter
