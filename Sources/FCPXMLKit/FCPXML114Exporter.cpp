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

QStringList resourceElements(const QList<Scene> &scenes, const FCPXMLExportInput &input)
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
        const QString mediaRep
            = element(QStringLiteral("media-rep"),
                      {{QStringLiteral("kind"), QStringLiteral("original-media")},
                       {QStringLiteral("src"),
                        QStringLiteral("Media/") + input.cardFileNames.value(scene.id)}},
                      3);
        resources << element(QStringLiteral("asset"),
                             {{QStringLiteral("id"), assetID(i)},
                              {QStringLiteral("name"), scene.clipName()},
                              {QStringLiteral("start"), zeroTime},
                              {QStringLiteral("duration"), zeroTime},
                              {QStringLiteral("hasVideo"), QStringLiteral("1")},
                              {QStringLiteral("format"), QStringLiteral("r2")}},
                             2, mediaRep);
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

    const QStringList resources = resourceElements(scenes, input);

    const ClipTimeline timeline = ClipTimeline::of(scenes, fps);
    const FCPTime total = FCPTime::fromFrames(timeline.totalFrames, fps);

    QStringList clips;
    for (qsizetype i = 0; i < scenes.size(); ++i) {
        const Scene &scene = scenes.at(i);
        const ClipTimeline::Placement &clip = timeline.placements.at(i);
        clips << element(
            QStringLiteral("video"),
            {{QStringLiteral("ref"), assetID(i)},
             {QStringLiteral("name"), scene.clipName()},
             {QStringLiteral("offset"), FCPTime::fromFrames(clip.offsetFrames, fps).fcpxmlString()},
             {QStringLiteral("duration"), FCPTime::fromFrames(clip.frames, fps).fcpxmlString()},
             {QStringLiteral("start"), zeroTime}},
            1, markerElement(scene, fps));
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
