#include "ExportKit/ShotListExporter.h"

#include "StoryboardCore/Duration/DurationCalculator.h"

#include <QStringList>

namespace veskel::ShotListExporter {

namespace {

// One line "- Name: —" for an empty value, otherwise the name line, an empty line and the
// value (which keeps its own line breaks).
void appendField(QStringList &lines, const QString &name, const QString &value)
{
    const QString trimmed = value.trimmed();
    if (trimmed.isEmpty()) {
        lines << QStringLiteral("- ") + name + QStringLiteral(": \u2014");
        return;
    }
    lines << QStringLiteral("- ") + name + u':' << QString() << trimmed;
}

} // namespace

QString generate(const StoryboardProject &project, const QDateTime &exportDate)
{
    const VideoSettings &video = project.videoSettings;
    QStringList lines;
    lines << QStringLiteral("# ") + project.title << QString()
          << QStringLiteral("- Total duration: ")
                 + DurationCalculator::formatDuration(project.totalDurationSeconds())
          << QStringLiteral("- Resolution: %1\u00D7%2").arg(video.width).arg(video.height)
          << QStringLiteral("- Frame rate: %1 fps").arg(video.fps)
          << QStringLiteral("- Color space: Rec.709")
          << QStringLiteral("- Export date: ")
                 + exportDate.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")) + u'Z'
          << QString() << QStringLiteral("---") << QString();

    for (const Scene &scene : project.orderedScenes()) {
        lines << QStringLiteral("## ") + scene.sceneNumber() + QStringLiteral(" \u00B7 ")
                     + scene.title
              << QString()
              << QStringLiteral("- Duration: ")
                     + DurationCalculator::formatDuration(scene.durationSeconds)
              << QStringLiteral("- Type: ") + displayName(scene.type);
        appendField(lines, QStringLiteral("On-screen text"), scene.onScreenText);
        appendField(lines, QStringLiteral("Voiceover"), scene.voiceoverText);
        appendField(lines, QStringLiteral("Note"), scene.productionNote);
        lines << QString();
    }
    return lines.join(u'\n');
}

} // namespace veskel::ShotListExporter
