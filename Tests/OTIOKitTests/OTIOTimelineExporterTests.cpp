#include "OTIOKit/OTIOJSONText.h"
#include "OTIOKit/OTIOTimelineExporter.h"

#include "FCPXMLKit/FCPXML114Exporter.h"
#include "FCPXMLKit/SaturatingArithmetic.h"
#include "FCPXMLTestSupport.h"
#include "Support/TestSupport.h"
#include "TimelineTestProjects.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QUrl>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <limits>

using namespace veskel;
using namespace veskel::test;

namespace {

OTIOExportResult exportOTIO(const StoryboardProject &project,
                            const ExportFolder &folder,
                            const QHash<QString, NarrationFile> &narrations = {})
{
    return OTIOTimelineExporter::exportDocument(
        {project, folder.cardFileNames, folder.path(), narrations});
}

// Where a control character stands raw inside a string of the JSON text: JSON allows none
// there, though QJsonDocument reads a raw carriage return or tab without complaint.
QList<qsizetype> rawControlCharactersInStrings(const QString &json)
{
    QList<qsizetype> found;
    bool inString = false;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const QChar c = json.at(i);
        if (!inString)
            inString = c == u'"';
        else if (c == u'\\')
            ++i;
        else if (c == u'"')
            inString = false;
        else if (c.unicode() < 0x20)
            found << i;
    }
    return found;
}

QJsonObject parsed(const QString &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document.object();
}

// The fields OpenTimelineIO 0.17 and 0.18 write for each schema (from its serialized-schema
// reference), plus the schema name itself and a composition's children.
const QHash<QString, QSet<QString>> &schemaFields()
{
    static const QSet<QString> item{"OTIO_SCHEMA", "metadata", "name",   "source_range",
                                    "effects",     "markers",  "enabled"};
    static const QHash<QString, QSet<QString>> fields{
        {"Timeline.1", {"OTIO_SCHEMA", "metadata", "name", "global_start_time", "tracks"}},
        {"Stack.1", item + QSet<QString>{"children"}},
        {"Track.1", item + QSet<QString>{"children", "kind"}},
        {"Clip.2", item + QSet<QString>{"media_references", "active_media_reference_key"}},
        {"Gap.1", item},
        {"ExternalReference.1",
         {"OTIO_SCHEMA", "metadata", "name", "available_range", "available_image_bounds",
          "target_url"}},
        {"Marker.2", {"OTIO_SCHEMA", "metadata", "name", "color", "marked_range", "comment"}},
        {"TimeRange.1", {"OTIO_SCHEMA", "duration", "start_time"}},
        {"RationalTime.1", {"OTIO_SCHEMA", "rate", "value"}},
    };
    return fields;
}

// Every object that names a schema is one OpenTimelineIO reads, with exactly its fields; every
// time is a RationalTime of numbers.
void expectSchemas(const QJsonValue &value, const QString &where)
{
    if (value.isArray()) {
        const QJsonArray array = value.toArray();
        for (qsizetype i = 0; i < array.size(); ++i)
            expectSchemas(array.at(i), where + QStringLiteral("[%1]").arg(i));
        return;
    }
    if (!value.isObject())
        return;
    const QJsonObject object = value.toObject();
    if (object.contains(u"OTIO_SCHEMA")) {
        const QString schema = object.value(u"OTIO_SCHEMA").toString();
        ASSERT_TRUE(schemaFields().contains(schema))
            << where.toStdString() << ": " << schema.toStdString();
        const QStringList keys = object.keys();
        EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()), schemaFields().value(schema))
            << where.toStdString();
        if (schema == u"RationalTime.1") {
            EXPECT_TRUE(object.value(u"rate").isDouble() && object.value(u"value").isDouble())
                << where.toStdString();
        }
    }
    for (const QString &key : object.keys()) {
        const QJsonValue member = object.value(key);
        if (key == u"duration" || key == u"start_time" || key == u"global_start_time") {
            EXPECT_EQ(member.toObject().value(u"OTIO_SCHEMA").toString(), u"RationalTime.1");
        }
        expectSchemas(member, where + u'.' + key);
    }
}

QJsonArray tracksOf(const QJsonObject &timeline)
{
    return timeline.value(u"tracks").toObject().value(u"children").toArray();
}

QJsonArray clipsOf(const QJsonObject &timeline)
{
    const QJsonArray tracks = tracksOf(timeline);
    EXPECT_EQ(tracks.size(), 1);
    EXPECT_EQ(tracks.at(0).toObject().value(u"kind").toString(), u"Video");
    return tracks.at(0).toObject().value(u"children").toArray();
}

// A frame count as OpenTimelineIO holds it (a double), back in 64 bits; the largest counts
// round up past the limit.
qint64 frames(const QJsonValue &rationalTime, int fps)
{
    const QJsonObject time = rationalTime.toObject();
    EXPECT_EQ(time.value(u"rate").toDouble(), fps);
    const double value = time.value(u"value").toDouble();
    return value >= 0x1p63 ? std::numeric_limits<qint64>::max() : qint64(value);
}

// One attribute of the FCPXML's markers and chapter markers, in document order; empty where a
// marker leaves it out.
QStringList fcpxmlMarkerAttribute(const QString &xml, const QString &name)
{
    QStringList values;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement
            && (reader.name() == u"marker" || reader.name() == u"chapter-marker"))
            values << reader.attributes().value(name).toString();
    }
    return values;
}

// A clip on a timeline: where it starts, how long it is, its name.
struct Placed
{
    qint64 start = 0;
    qint64 frames = 0;
    QString name;
    bool operator==(const Placed &) const = default;
};

void PrintTo(const Placed &placed, std::ostream *out)
{
    *out << placed.name.toStdString() << " at " << placed.start << " for " << placed.frames;
}

// The FCPXML's connected clips, placed on the sequence by the card they hang from.
QList<Placed> fcpxmlConnectedClips(const QString &xml, int fps)
{
    QList<Placed> clips;
    qint64 cardStart = 0;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        if (reader.name() == u"video")
            cardStart = framesOf(attributes.value(QLatin1StringView("offset")), fps);
        else if (reader.name() == u"asset-clip")
            clips.append(
                {saturatingAdd(cardStart,
                               framesOf(attributes.value(QLatin1StringView("offset")), fps)),
                 framesOf(attributes.value(QLatin1StringView("duration")), fps),
                 attributes.value(QLatin1StringView("name")).toString()});
    }
    return clips;
}

class OTIONarration : public ::testing::TestWithParam<std::tuple<TimelineCase, int>>
{
};

// Each narration starts with its card and lasts as its FCPXML clip; single gaps fill the rest,
// so both tracks end together.
TEST_P(OTIONarration, AudioTrackKeepsInStepWithTheFCPXML)
{
    const auto [timelineCase, fps] = GetParam();
    const StoryboardProject project = timelineCase.make(fps);
    const ExportFolder folder = makeExportFolder(project);
    const auto narrations = narrationsOfEveryOtherScene(project);
    const auto fcpxml = FCPXML114Exporter().exportDocument(
        {project, folder.cardFileNames, folder.path(), FCPXMLVersion::v1_14, narrations});
    ASSERT_TRUE(fcpxml.has_value());
    const QJsonObject timeline = parsed(exportOTIO(project, folder, narrations).json);
    expectSchemas(timeline, QStringLiteral("timeline"));
    const QJsonArray tracks = tracksOf(timeline);
    ASSERT_EQ(tracks.size(), 2);
    EXPECT_EQ(tracks.at(1)[u"kind"].toString(), u"Audio");

    QList<Placed> sounds;
    qint64 at = 0;
    QString previous;
    for (const QJsonValue item : tracks.at(1)[u"children"].toArray()) {
        const QString schema = item[u"OTIO_SCHEMA"].toString();
        EXPECT_FALSE(schema == u"Gap.1" && previous == schema) << "gaps next to each other";
        previous = schema;
        const qint64 frames = ::frames(item[u"source_range"][u"duration"], fps);
        if (schema == u"Clip.2") {
            sounds.append({at, frames, item[u"name"].toString()});
            const QJsonValue file = item[u"media_references"][u"DEFAULT_MEDIA"];
            EXPECT_TRUE(file[u"target_url"].toString().contains(u"/Narration/S0"));
            EXPECT_EQ(file[u"available_range"][u"duration"][u"rate"].toDouble(), 48000);
        }
        at = saturatingAdd(at, frames);
    }
    EXPECT_EQ(sounds, fcpxmlConnectedClips(fcpxml->xml, fps));
    EXPECT_EQ(
        at,
        framesOf(elementsNamed(fcpxml->xml, QStringLiteral("sequence")).value(0).value("duration"),
                 fps));
}

INSTANTIATE_TEST_SUITE_P(Projects, OTIONarration, everyTimelineAtEveryRate(), timelineCaseName);

TEST(OTIOTimelineExporter, WritesTheOneSceneDocumentExactly)
{
    const StoryboardProject project = makeProject(QStringLiteral("Intro video"), 25,
                                                  {makeScene(0, QStringLiteral("Opening"), 5)});
    const ExportFolder folder = makeExportFolder(project);
    const OTIOExportResult result = exportOTIO(project, folder);
    EXPECT_EQ(result.otioFileName, u"intro-video.otio");
    const QString card = QUrl::fromLocalFile(folder.path() + QStringLiteral("/Media/S001.png"))
                             .toString(QUrl::FullyEncoded);
    EXPECT_EQ(result.json, QString::fromUtf8(R"json({
    "OTIO_SCHEMA": "Timeline.1",
    "metadata": {
        "veskel": {
            "format": {
                "width": 1920,
                "height": 1080,
                "rate": 25
            }
        }
    },
    "name": "Intro video",
    "global_start_time": {
        "OTIO_SCHEMA": "RationalTime.1",
        "rate": 25.0,
        "value": 0.0
    },
    "tracks": {
        "OTIO_SCHEMA": "Stack.1",
        "metadata": {},
        "name": "tracks",
        "source_range": null,
        "effects": [],
        "markers": [],
        "enabled": true,
        "children": [
            {
                "OTIO_SCHEMA": "Track.1",
                "metadata": {},
                "name": "V1",
                "source_range": null,
                "effects": [],
                "markers": [],
                "enabled": true,
                "children": [
                    {
                        "OTIO_SCHEMA": "Clip.2",
                        "metadata": {},
                        "name": "S001 · Opening",
                        "source_range": {
                            "OTIO_SCHEMA": "TimeRange.1",
                            "duration": {
                                "OTIO_SCHEMA": "RationalTime.1",
                                "rate": 25.0,
                                "value": 125.0
                            },
                            "start_time": {
                                "OTIO_SCHEMA": "RationalTime.1",
                                "rate": 25.0,
                                "value": 0.0
                            }
                        },
                        "effects": [],
                        "markers": [
                            {
                                "OTIO_SCHEMA": "Marker.2",
                                "metadata": {},
                                "name": "S001 · Opening",
                                "color": "BLUE",
                                "marked_range": {
                                    "OTIO_SCHEMA": "TimeRange.1",
                                    "duration": {
                                        "OTIO_SCHEMA": "RationalTime.1",
                                        "rate": 25.0,
                                        "value": 1.0
                                    },
                                    "start_time": {
                                        "OTIO_SCHEMA": "RationalTime.1",
                                        "rate": 25.0,
                                        "value": 0.0
                                    }
                                },
                                "comment": ""
                            }
                        ],
                        "enabled": true,
                        "media_references": {
                            "DEFAULT_MEDIA": {
                                "OTIO_SCHEMA": "ExternalReference.1",
                                "metadata": {},
                                "name": "S001.png",
                                "available_range": {
                                    "OTIO_SCHEMA": "TimeRange.1",
                                    "duration": {
                                        "OTIO_SCHEMA": "RationalTime.1",
                                        "rate": 25.0,
                                        "value": 125.0
                                    },
                                    "start_time": {
                                        "OTIO_SCHEMA": "RationalTime.1",
                                        "rate": 25.0,
                                        "value": 0.0
                                    }
                                },
                                "available_image_bounds": null,
                                "target_url": "%1"
                            }
                        },
                        "active_media_reference_key": "DEFAULT_MEDIA"
                    }
                ],
                "kind": "Video"
            }
        ]
    }
}
)json")
                               .arg(card));
}

class OTIODocument : public ::testing::TestWithParam<std::tuple<TimelineCase, int>>
{
};

// Clips as the FCPXML places and names them, markers with its values and notes, every object
// as OpenTimelineIO reads it, every card where its reference points, strings without raw
// control characters.
TEST_P(OTIODocument, MatchesTheFCPXMLTimeline)
{
    const auto [timelineCase, fps] = GetParam();
    const StoryboardProject project = timelineCase.make(fps);
    const ExportFolder folder = makeExportFolder(project);
    const auto fcpxml
        = FCPXML114Exporter().exportDocument({project, folder.cardFileNames, folder.path()});
    ASSERT_TRUE(fcpxml.has_value());
    const QString json = exportOTIO(project, folder).json;
    EXPECT_EQ(rawControlCharactersInStrings(json), QList<qsizetype>());
    const QJsonObject timeline = parsed(json);
    expectSchemas(timeline, QStringLiteral("timeline"));

    const auto videos = elementsNamed(fcpxml->xml, QStringLiteral("video"));
    const QJsonArray clips = clipsOf(timeline);
    ASSERT_EQ(clips.size(), videos.size());
    qint64 start = 0;
    QStringList markerNames;
    QStringList markerComments;
    for (qsizetype i = 0; i < clips.size(); ++i) {
        const QJsonObject clip = clips.at(i).toObject();
        const QJsonObject range = clip.value(u"source_range").toObject();
        EXPECT_EQ(clip.value(u"name").toString(), videos[i].value("name"));
        EXPECT_EQ(start, framesOf(videos[i].value("offset"), fps));
        const qint64 duration = frames(range.value(u"duration"), fps);
        EXPECT_EQ(duration, framesOf(videos[i].value("duration"), fps));
        EXPECT_EQ(frames(range.value(u"start_time"), fps), 0);
        start = saturatingAdd(start, duration);

        const QJsonArray markers = clip.value(u"markers").toArray();
        ASSERT_EQ(markers.size(), 1);
        markerNames << markers.at(0).toObject().value(u"name").toString();
        markerComments << markers.at(0).toObject().value(u"comment").toString();
        EXPECT_TRUE(QStringList({"BLUE", "RED", "GREEN", "ORANGE"})
                        .contains(markers.at(0).toObject().value(u"color").toString()));

        const QString key = clip.value(u"active_media_reference_key").toString();
        const QUrl url(clip[u"media_references"][key][u"target_url"].toString(), QUrl::StrictMode);
        EXPECT_TRUE(url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile())
            << url.toString().toStdString();
    }
    EXPECT_EQ(markerNames, fcpxmlMarkerAttribute(fcpxml->xml, QStringLiteral("value")));
    EXPECT_EQ(markerComments, fcpxmlMarkerAttribute(fcpxml->xml, QStringLiteral("note")));
}

INSTANTIATE_TEST_SUITE_P(Projects, OTIODocument, everyTimelineAtEveryRate(), timelineCaseName);

// Brackets, quotes and backslashes inside strings are text, not nesting.
TEST(OTIOJSONText, IndentsByNestingOutsideStrings)
{
    using namespace OTIOJSONText;
    const QString text = string(QStringLiteral("a {[\"\\]} z"));
    const QString json
        = object({{QStringLiteral("name"), text},
                  {QStringLiteral("items"), array({object({{QStringLiteral("k"), integer(1)}}),
                                                   array({}), string(QStringLiteral("}"))})},
                  {QStringLiteral("empty"), object({})}});
    EXPECT_EQ(indented(json), QString::fromUtf8(R"json({
    "name": "a {[\"\\]} z",
    "items": [
        {
            "k": 1
        },
        [],
        "}"
    ],
    "empty": {}
})json"));
}

TEST(OTIOTimelineExporter, MarkerColoursFollowTheKindAndTextsKeepTheirCharacters)
{
    const StoryboardProject project = allMarkerKinds(25);
    const ExportFolder folder = makeExportFolder(project);
    QStringList colours;
    QStringList comments;
    for (const QJsonValue &clip : clipsOf(parsed(exportOTIO(project, folder).json))) {
        const QJsonValue marker = clip[u"markers"][0];
        colours << marker[u"color"].toString();
        comments << marker[u"comment"].toString();
    }
    EXPECT_EQ(colours, QStringList({"BLUE", "GREEN", "RED", "ORANGE"}));
    EXPECT_EQ(comments, QStringList({"Check framing", "From the scene", "", "n"}));

    const StoryboardProject notes = multiLineNotes(25);
    const ExportFolder notesFolder = makeExportFolder(notes);
    const QJsonArray clips = clipsOf(parsed(exportOTIO(notes, notesFolder).json));
    EXPECT_EQ(clips.at(0)[u"markers"][0][u"comment"].toString(),
              QStringLiteral("Line one\nLine two\n\n\tindented"));
}

TEST(OTIOTimelineExporter, CardURLsArePercentEncodedAndLeadToTheCards)
{
    const StoryboardProject project = cyrillicAndEmoji(25);
    ExportFolder folder = makeExportFolder(project);
    const QString awkward = folder.path() + QStringLiteral("/Мой проект #1 100% [final]");
    ASSERT_TRUE(QDir().mkpath(awkward + QStringLiteral("/Media")));
    ASSERT_TRUE(QFile::copy(folder.path() + QStringLiteral("/Media/S001.png"),
                            awkward + QStringLiteral("/Media/S001.png")));
    const QJsonArray clips = clipsOf(parsed(
        OTIOTimelineExporter::exportDocument({project, folder.cardFileNames, awkward}).json));
    const QString target
        = clips.at(0)[u"media_references"][u"DEFAULT_MEDIA"][u"target_url"].toString();
    EXPECT_TRUE(target.startsWith(u"file:///"));
    for (const QChar c : target)
        EXPECT_TRUE(c.unicode() > 32 && c.unicode() < 127 && c != u'#') << target.toStdString();
    EXPECT_EQ(QUrl(target, QUrl::StrictMode).toLocalFile(),
              awkward + QStringLiteral("/Media/S001.png"));
}

} // namespace
