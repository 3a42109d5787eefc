#include "OTIOKit/OTIOTimelineExporter.h"

#include "FCPXMLKit/ClipTimeline.h"
#include "FCPXMLKit/MarkerText.h"
#include "FCPXMLKit/SaturatingArithmetic.h"
#include "FCPXMLKit/TimelineFileName.h"
#include "OTIOKit/OTIOJSONText.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>

namespace veskel {

namespace {

using namespace OTIOJSONText;

const QString schemaKey = QStringLiteral("OTIO_SCHEMA");
const QString mediaKey = QStringLiteral("DEFAULT_MEDIA");

QString rationalTime(qint64 frames, int rate)
{
    return object({{schemaKey, string(QStringLiteral("RationalTime.1"))},
                   {QStringLiteral("rate"), real(rate)},
                   {QStringLiteral("value"), real(frames)}});
}

QString timeRange(qint64 startFrame, qint64 frames, int rate)
{
    return object({{schemaKey, string(QStringLiteral("TimeRange.1"))},
                   {QStringLiteral("duration"), rationalTime(frames, rate)},
                   {QStringLiteral("start_time"), rationalTime(startFrame, rate)}});
}

// The colours Final Cut Pro gives its marker kinds, so both timelines look alike.
QString markerColor(const SceneMarker &marker)
{
    switch (marker.type) {
    case MarkerType::standard:
        break;
    case MarkerType::toDo:
        return marker.isCompleted ? QStringLiteral("GREEN") : QStringLiteral("RED");
    case MarkerType::chapter:
        return QStringLiteral("ORANGE");
    }
    return QStringLiteral("BLUE");
}

// One frame at the start of the clip, in the clip's own (media) time.
QString marker(const Scene &scene, int rate)
{
    const MarkerText text = MarkerText::of(scene);
    return object({{schemaKey, string(QStringLiteral("Marker.2"))},
                   {QStringLiteral("metadata"), object({})},
                   {QStringLiteral("name"), string(text.value)},
                   {QStringLiteral("color"), string(markerColor(scene.marker))},
                   {QStringLiteral("marked_range"), timeRange(0, 1, rate)},
                   {QStringLiteral("comment"), string(text.note)}});
}

// A file inside the export folder, `name` being its file name there.
QString externalReference(const QString &relativePath,
                          const QString &name,
                          const QString &exportFolder,
                          const QString &availableRange)
{
    const QString path = QDir(exportFolder).absoluteFilePath(relativePath);
    const QString url = QUrl::fromLocalFile(QDir::cleanPath(path)).toString(QUrl::FullyEncoded);
    return object({{schemaKey, string(QStringLiteral("ExternalReference.1"))},
                   {QStringLiteral("metadata"), object({})},
                   {QStringLiteral("name"), string(name)},
                   {QStringLiteral("available_range"), availableRange},
                   {QStringLiteral("available_image_bounds"), null()},
                   {QStringLiteral("target_url"), string(url)}});
}

QString clipObject(const QString &name,
                   qint64 frames,
                   int rate,
                   const QStringList &markers,
                   const QString &reference)
{
    return object({{schemaKey, string(QStringLiteral("Clip.2"))},
                   {QStringLiteral("metadata"), object({})},
                   {QStringLiteral("name"), string(name)},
                   {QStringLiteral("source_range"), timeRange(0, frames, rate)},
                   {QStringLiteral("effects"), array({})},
                   {QStringLiteral("markers"), array(markers)},
                   {QStringLiteral("enabled"), boolean(true)},
                   {QStringLiteral("media_references"), object({{mediaKey, reference}})},
                   {QStringLiteral("active_media_reference_key"), string(mediaKey)}});
}

QString clip(const Scene &scene,
             const ClipTimeline::Placement &placement,
             const OTIOExportInput &input,
             int rate)
{
    const QString card = input.cardFileNames.value(scene.id);
    const QString reference
        = externalReference(QStringLiteral("Media/") + card, card, input.exportFolderPath,
                            timeRange(0, placement.frames, rate));
    return clipObject(scene.clipName(), placement.frames, rate, {marker(scene, rate)}, reference);
}

QString gap(qint64 frames, int rate)
{
    return object({{schemaKey, string(QStringLiteral("Gap.1"))},
                   {QStringLiteral("metadata"), object({})},
                   {QStringLiteral("name"), string({})},
                   {QStringLiteral("source_range"), timeRange(0, frames, rate)},
                   {QStringLiteral("effects"), array({})},
                   {QStringLiteral("markers"), array({})},
                   {QStringLiteral("enabled"), boolean(true)}});
}

// The audio track's items: each narration from its scene's first frame, cut at the scene's end
// as in the FCPXML; gaps (joined where they meet) fill the rest, to the end of the last scene.
QStringList narrationItems(const QList<Scene> &scenes,
                           const ClipTimeline &timeline,
                           const OTIOExportInput &input,
                           int rate)
{
    QStringList items;
    qint64 silence = 0;
    for (qsizetype i = 0; i < scenes.size(); ++i) {
        const Scene &scene = scenes.at(i);
        const qint64 sceneFrames = timeline.placements.at(i).frames;
        const auto narration = input.narrations.constFind(scene.id);
        const qint64 heard
            = narration == input.narrations.cend()
                  ? 0
                  : narration->framesUnder(sceneFrames, input.project.videoSettings.fps);
        if (heard > 0) {
            if (silence > 0)
                items << gap(silence, rate);
            silence = 0;
            const QString file = QFileInfo(narration->relativePath).fileName();
            const QString reference = externalReference(
                narration->relativePath, file, input.exportFolderPath,
                timeRange(0, narration->sampleCount, NarrationFile::sampleRate));
            items << clipObject(NarrationFile::clipName(scene), heard, rate, {}, reference);
        }
        silence = saturatingAdd(silence, sceneFrames - heard);
    }
    if (silence > 0)
        items << gap(silence, rate);
    return items;
}

// The members every composition (stack, track) shares, children last.
Members composition(const QString &schema, const QString &name, const QStringList &children)
{
    return {{schemaKey, string(schema)},
            {QStringLiteral("metadata"), object({})},
            {QStringLiteral("name"), string(name)},
            {QStringLiteral("source_range"), null()},
            {QStringLiteral("effects"), array({})},
            {QStringLiteral("markers"), array({})},
            {QStringLiteral("enabled"), boolean(true)},
            {QStringLiteral("children"), array(children)}};
}

} // namespace

OTIOExportResult OTIOTimelineExporter::exportDocument(const OTIOExportInput &input)
{
    const StoryboardProject &project = input.project;
    const VideoSettings &video = project.videoSettings;
    const int rate = std::max(video.fps, 1);
    const QList<Scene> scenes = project.orderedScenes();
    const ClipTimeline timeline = ClipTimeline::of(scenes, video.fps);

    QStringList clips;
    clips.reserve(scenes.size());
    for (qsizetype i = 0; i < scenes.size(); ++i)
        clips << clip(scenes.at(i), timeline.placements.at(i), input, rate);

    Members track = composition(QStringLiteral("Track.1"), QStringLiteral("V1"), clips);
    track.append({QStringLiteral("kind"), string(QStringLiteral("Video"))});
    QStringList tracks{object(track)};
    if (!input.narrations.isEmpty()) {
        Members audio = composition(QStringLiteral("Track.1"), QStringLiteral("A1"),
                                    narrationItems(scenes, timeline, input, rate));
        audio.append({QStringLiteral("kind"), string(QStringLiteral("Audio"))});
        tracks << object(audio);
    }
    const Members stack = composition(QStringLiteral("Stack.1"), QStringLiteral("tracks"), tracks);

    // Editors that read it take the format from here; OpenTimelineIO itself has no field for it.
    const QString format = object({{QStringLiteral("width"), integer(video.width)},
                                   {QStringLiteral("height"), integer(video.height)},
                                   {QStringLiteral("rate"), integer(video.fps)}});
    const QString document = object(
        {{schemaKey, string(QStringLiteral("Timeline.1"))},
         {QStringLiteral("metadata"),
          object({{QStringLiteral("veskel"), object({{QStringLiteral("format"), format}})}})},
         {QStringLiteral("name"), string(project.title)},
         {QStringLiteral("global_start_time"), rationalTime(0, rate)},
         {QStringLiteral("tracks"), object(stack)}});

    return {indented(document) + u'\n',
            timelineFileBaseName(project.title) + QStringLiteral(".otio")};
}

} // namespace veskel
