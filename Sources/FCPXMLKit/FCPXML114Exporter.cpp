#include "FCPXMLKit/FCPXML114Exporter.h"

#include "FCPXMLKit/ClipTimeline.h"
#include "FCPXMLKit/FCPFormatNaming.h"
#include "FCPXMLKit/FCPTime.h"
#include "FCPXMLKit/FCPXMLBuilder.h"
#include "FCPXMLKit/MarkerText.h"
#include "FCPXMLKit/TimelineFileName.h"
#include "FCPXMLKit/XMLEscaping.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace veskel {

namespace {

using FCPXMLBuilder::Attributes;
using FCPXMLBuilder::element;
using FCPXMLBuilder::indent;

const QString zeroTime = QStringLiteral("0s");

QString assetID(qsizetype index)
{
    return u'r' + QString::number(index + 3);
}

// A scene's narration as the document holds it: an audio asset, and a clip of it connected
// below the scene's card.
struct NarrationClip
{
    QString assetID;
    qint64 frames = 0;
    NarrationFile file;
};

// Asset ids go on after the cards' in scene order; a narration too short for one frame is left
// out, since a clip cannot be shorter.
QList<std::optional<NarrationClip>> narrationClips(const QList<Scene> &scenes,
                                                   const ClipTimeline &timeline,
                                                   const FCPXMLExportInput &input)
{
    QList<std::optional<NarrationClip>> clips(scenes.size());
    qsizetype nextAsset = scenes.size();
    for (qsizetype i = 0; i < scenes.size(); ++i) {
        const auto narration = input.narrations.constFind(scenes.at(i).id);
        if (narration == input.narrations.cend())
            continue;
        const qint64 frames = narration->framesUnder(timeline.placements.at(i).frames,
                                                     input.project.videoSettings.fps);
        if (frames > 0)
            clips[i] = NarrationClip{assetID(nextAsset++), frames, *narration};
    }
    return clips;
}

QString mediaRep(const QString &source)
{
    return element(QStringLiteral("media-rep"),
                   {{QStringLiteral("kind"), QStringLiteral("original-media")},
                    {QStringLiteral("src"), source}},
                   3);
}

QString narrationAsset(const Scene &scene, const NarrationClip &clip)
{
    const QString rate = QString::number(NarrationFile::sampleRate);
    return element(QStringLiteral("asset"),
                   {{QStringLiteral("id"), clip.assetID},
                    {QStringLiteral("name"), NarrationFile::clipName(scene)},
                    {QStringLiteral("start"), zeroTime},
                    {QStringLiteral("duration"),
                     FCPTime(clip.file.sampleCount, NarrationFile::sampleRate).fcpxmlString()},
                    {QStringLiteral("hasAudio"), QStringLiteral("1")},
                    {QStringLiteral("audioSources"), QStringLiteral("1")},
                    {QStringLiteral("audioChannels"), QStringLiteral("1")},
                    {QStringLiteral("audioRate"), rate}},
                   2, mediaRep(clip.file.relativePath));
}

// Below the card (lane -1), from its first frame, in the dialogue role.
QString narrationClipElement(const Scene &scene, const NarrationClip &clip, int fps)
{
    return element(
        QStringLiteral("asset-clip"),
        {{QStringLiteral("ref"), clip.assetID},
         {QStringLiteral("lane"), QStringLiteral("-1")},
         {QStringLiteral("name"), NarrationFile::clipName(scene)},
         {QStringLiteral("offset"), zeroTime},
         {QStringLiteral("start"), zeroTime},
         {QStringLiteral("duration"), FCPTime::fromFrames(clip.frames, fps).fcpxmlString()},
         {QStringLiteral("audioRole"), QStringLiteral("dialogue")}},
        1);
}

QStringList resourceElements(const QList<Scene> &scenes,
                             const QList<std::optional<NarrationClip>> &narrations,
                             const FCPXMLExportInput &input)
{
    const VideoSettings &video = input.project.videoSettings;
    const QString width = QString::number(video.width);
    const QString height = QString::number(video.height);

    QStringList resources;
    resources << element(QStringLiteral("format"),
                         {{QStringLiteral("id"), QStringLiteral("r1")},
                          {QStringLiteral("name"), FCPFormatNaming::sequenceFormatName(
                                                       video.width, video.height, video.fps)},
                          {QStringLiteral("frameDuration"), QStringLiteral("1/%1s").arg(video.fps)},
                          {QStringLiteral("width"), width},
                          {QStringLiteral("height"), height},
                          {QStringLiteral("colorSpace"), QStringLiteral("1-1-1 (Rec. 709)")}},
                         2);
    resources << element(
        QStringLiteral("format"),
        {{QStringLiteral("id"), QStringLiteral("r2")},
         {QStringLiteral("name"), FCPFormatNaming::stillFormatName(video.width, video.height)},
         {QStringLiteral("width"), width},
         {QStringLiteral("height"), height}},
        2);
    for (qsizetype i = 0; i < scenes.size(); ++i) {
        const Scene &scene = scenes.at(i);
        resources << element(
            QStringLiteral("asset"),
            {{QStringLiteral("id"), assetID(i)},
             {QStringLiteral("name"), scene.clipName()},
             {QStringLiteral("start"), zeroTime},
             {QStringLiteral("duration"), zeroTime},
             {QStringLiteral("hasVideo"), QStringLiteral("1")},
             {QStringLiteral("format"), QStringLiteral("r2")}},
            2, mediaRep(QStringLiteral("Media/") + input.cardFileNames.value(scene.id)));
    }
    for (qsizetype i = 0; i < scenes.size(); ++i) {
        if (narrations.at(i))
            resources << narrationAsset(scenes.at(i), *narrations.at(i));
    }
    return resources;
}

} // namespace

QString FCPXML114Exporter::markerElement(const Scene &scene, int fps)
{
    const SceneMarker &marker = scene.marker;
    const auto [value, note] = MarkerText::of(scene);

    Attributes attributes{
        {QStringLiteral("start"), zeroTime},
        {QStringLiteral("duration"), QStringLiteral("1/%1s").arg(std::max(fps, 1))},
        {QStringLiteral("value"), value},
    };
    switch (marker.type) {
    case MarkerType::standard:
        attributes.insert(QStringLiteral("note"), note);
        return element(QStringLiteral("marker"), attributes, 1);
    case MarkerType::toDo:
        attributes.insert(QStringLiteral("completed"),
                          marker.isCompleted ? QStringLiteral("1") : QStringLiteral("0"));
        if (!MarkerText::isBlank(note))
            attributes.insert(QStringLiteral("note"), note);
        return element(QStringLiteral("marker"), attributes, 1);
    case MarkerType::chapter:
        attributes.insert(QStringLiteral("posterOffset"), zeroTime);
        if (!MarkerText::isBlank(note))
            attributes.insert(QStringLiteral("note"), note);
        return element(QStringLiteral("chapter-marker"), attributes, 1);
    }
    return {};
}

std::expected<FCPXMLExportResult, FCPXMLExportError>
FCPXML114Exporter::exportDocument(const FCPXMLExportInput &input) const
{
    const QList<Scene> scenes = input.project.orderedScenes();
    if (scenes.isEmpty())
        return std::unexpected(FCPXMLExportError::emptyProject());

    const int fps = input.project.videoSettings.fps;
    if (std::ranges::find(VideoSettings::supportedFrameRates, fps)
        == VideoSettings::supportedFrameRates.end()) {
        return std::unexpected(FCPXMLExportError::invalidProject(
            QStringLiteral("Unsupported frame rate: ") + QString::number(fps)));
    }

    const QDir mediaFolder(QDir(input.exportFolderPath).filePath(QStringLiteral("Media")));
    for (const Scene &scene : scenes) {
        const auto card = input.cardFileNames.constFind(scene.id);
        if (card == input.cardFileNames.cend()
            || !QFileInfo(mediaFolder.filePath(*card)).isFile()) {
            return std::unexpected(FCPXMLExportError::missingCardFile(scene.id));
        }
    }

    const ClipTimeline timeline = ClipTimeline::of(scenes, fps);
    const auto narrations = narrationClips(scenes, timeline, input);
    const QStringList resources = resourceElements(scenes, narrations, input);
    const FCPTime total = FCPTime::fromFrames(timeline.totalFrames, fps);

    QStringList clips;
    for (qsizetype i = 0; i < scenes.size(); ++i) {
        const Scene &scene = scenes.at(i);
        const ClipTimeline::Placement &clip = timeline.placements.at(i);
        QString connected = markerElement(scene, fps);
        if (narrations.at(i))
            connected.prepend(narrationClipElement(scene, *narrations.at(i), fps) + u'\n');
        clips << element(
            QStringLiteral("video"),
            {{QStringLiteral("ref"), assetID(i)},
             {QStringLiteral("name"), scene.clipName()},
             {QStringLiteral("offset"), FCPTime::fromFrames(clip.offsetFrames, fps).fcpxmlString()},
             {QStringLiteral("duration"), FCPTime::fromFrames(clip.frames, fps).fcpxmlString()},
             {QStringLiteral("start"), zeroTime}},
            1, connected);
    }

    const QString spine = element(QStringLiteral("spine"), {}, 0, indent(clips.join(u'\n'), 1));
    const QString sequence = element(QStringLiteral("sequence"),
                                     {{QStringLiteral("format"), QStringLiteral("r1")},
                                      {QStringLiteral("duration"), total.fcpxmlString()},
                                      {QStringLiteral("tcStart"), zeroTime},
                                      {QStringLiteral("tcFormat"), QStringLiteral("NDF")},
                                      {QStringLiteral("audioLayout"), QStringLiteral("stereo")},
                                      {QStringLiteral("audioRate"), QStringLiteral("48k")}},
                                     0, spine);
    const QString &title = input.project.title;
    const QString project = element(QStringLiteral("project"), {{QStringLiteral("name"), title}}, 0,
                                    indent(sequence, 4));
    const QString event = element(QStringLiteral("event"), {{QStringLiteral("name"), title}}, 2,
                                  indent(project, 3));

    const QString body = QStringLiteral("<resources>\n") + indent(resources.join(u'\n'), 2)
                         + QStringLiteral("\n</resources>\n<library>\n") + event
                         + QStringLiteral("\n</library>");
    const QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                       "<!DOCTYPE fcpxml>\n\n<fcpxml version=\"")
                        + XMLEscaping::escape(dtdVersion(input.version)) + QStringLiteral("\">\n")
                        + indent(body, 1) + QStringLiteral("\n</fcpxml>");

    return FCPXMLExportResult{xml, timelineFileBaseName(title) + QStringLiteral(".fcpxml")};
}

} // namespace veskel
