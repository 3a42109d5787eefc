#include "StoryboardCore/Storage/ProjectJSONCodec.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cmath>

using namespace veskel;

namespace {

QDateTime utc(const char *text)
{
    return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate);
}

StoryboardProject sampleProject()
{
    Scene scene;
    scene.id = QStringLiteral("5C1D6B58-0E1A-4F63-9C2B-7A1D2E3F4A5B");
    scene.order = 0;
    scene.title = QStringLiteral("Intro / Вступление");
    scene.durationSeconds = 2.5;
    scene.type = SceneType::talkingHead;
    scene.voiceoverText = QStringLiteral("Hello");
    scene.marker = SceneMarker{MarkerType::toDo, QStringLiteral("Check"), QString(), true};
    scene.tags = {QStringLiteral("a")};
    scene.createdAt = utc("2025-03-01T10:15:00Z");
    scene.updatedAt = utc("2025-03-01T10:16:00Z");
    scene.image = SceneImage{QStringLiteral("I1"),
                             QStringLiteral("ref.png"),
                             QStringLiteral("5C1D6B58-0E1A-4F63-9C2B-7A1D2E3F4A5B.png"),
                             SceneImage::MimeType::png,
                             640,
                             480};

    StoryboardProject project;
    project.id = QStringLiteral("P1");
    project.title = QStringLiteral("Demo");
    project.createdAt = utc("2025-03-01T10:00:00Z");
    project.updatedAt = utc("2025-03-01T10:20:00Z");
    project.videoSettings = VideoSettings::preset(VideoSettings::FormatPreset::horizontalHD, 25);
    project.exportSettings = ExportSettings::defaultSettings();
    project.scenes = {scene};
    project.scriptBlocks = {ScriptBlock{QStringLiteral("B1"), QStringLiteral("Hello"),
                                        ScriptBlockRole::voiceover, scene.id},
                            ScriptBlock{QStringLiteral("B0"), QStringLiteral("draft"),
                                        ScriptBlockRole::note, std::nullopt}};
    project.version = 1;
    return project;
}

// The file as a user's disk holds it: sorted keys, escaped slashes, whole-second UTC dates,
// integers without a fraction, no "image"-less scene key and no "sceneID" on draft blocks.
const char *const expectedFile = R"({
    "createdAt": "2025-03-01T10:00:00Z",
    "exportSettings": {
        "exportMode": "fcpxml-folder",
        "fcpxmlVersion": "1.14",
        "includeCsvTaskList": true,
        "includeJsonBackup": true,
        "includeMarkdownShotList": true,
        "includeUploadedImagesInCards": true,
        "renderCardsAsPng": true,
        "target": "Final Cut Pro 12"
    },
    "id": "P1",
    "scenes": [
        {
            "createdAt": "2025-03-01T10:15:00Z",
            "durationSeconds": 2.5,
            "id": "5C1D6B58-0E1A-4F63-9C2B-7A1D2E3F4A5B",
            "image": {
                "height": 480,
                "id": "I1",
                "localPath": "5C1D6B58-0E1A-4F63-9C2B-7A1D2E3F4A5B.png",
                "mimeType": "image\/png",
                "originalFileName": "ref.png",
                "width": 640
            },
            "marker": {
                "isCompleted": true,
                "note": "",
                "title": "Check",
                "type": "toDo"
            },
            "onScreenText": "",
            "order": 0,
            "productionNote": "",
            "tags": [
                "a"
            ],
            "title": "Intro \/ Вступление",
            "type": "talkingHead",
            "updatedAt": "2025-03-01T10:16:00Z",
            "voiceoverText": "Hello"
        }
    ],
    "scriptBlocks": [
        {
            "id": "B1",
            "role": "voiceover",
            "sceneID": "5C1D6B58-0E1A-4F63-9C2B-7A1D2E3F4A5B",
            "text": "Hello"
        },
        {
            "id": "B0",
            "role": "note",
            "text": "draft"
        }
    ],
    "title": "Demo",
    "updatedAt": "2025-03-01T10:20:00Z",
    "version": 1,
    "videoSettings": {
        "colorSpace": "Rec.709",
        "defaultSceneDurationSeconds": 5,
        "fps": 25,
        "height": 1080,
        "width": 1920
    }
})";

TEST(ProjectJSONCodec, WritesTheDocumentedFileForm)
{
    const auto encoded = ProjectJSONCodec::encode(sampleProject());
    ASSERT_TRUE(encoded.has_value());
    EXPECT_EQ(QString::fromUtf8(*encoded), QString::fromUtf8(expectedFile));
}

TEST(ProjectJSONCodec, RoundTripIsByteForByte)
{
    const auto first = ProjectJSONCodec::encode(sampleProject());
    ASSERT_TRUE(first.has_value());
    const auto decoded = ProjectJSONCodec::decode(*first);
    ASSERT_TRUE(decoded.has_value()) << decoded.error().description().toStdString();
    EXPECT_EQ(*decoded, sampleProject());
    const auto second = ProjectJSONCodec::encode(*decoded);
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(*first, *second);
}

TEST(ProjectJSONCodec, DatesLoseTheirFractionOnWrite)
{
    StoryboardProject project = sampleProject();
    project.updatedAt = utc("2025-03-01T10:20:00.999Z");
    const auto encoded = ProjectJSONCodec::encode(project);
    ASSERT_TRUE(encoded.has_value());
    EXPECT_TRUE(encoded->contains("\"updatedAt\": \"2025-03-01T10:20:00Z\""));
}

TEST(ProjectJSONCodec, WritingANonFiniteNumberFails)
{
    for (double bad : {std::nan(""), double(INFINITY), -double(INFINITY)}) {
        StoryboardProject project = sampleProject();
        project.scenes[0].durationSeconds = bad;
        const auto encoded = ProjectJSONCodec::encode(project);
        ASSERT_FALSE(encoded.has_value());
        EXPECT_EQ(encoded.error().kind, ProjectCodecError::Kind::nonFiniteNumber);
        EXPECT_EQ(encoded.error().path, QStringLiteral("scenes[0].durationSeconds"));
    }
}

QByteArray minimalProject(const QString &sceneObject, const QString &extraProjectKeys = {})
{
    return QStringLiteral(R"({
  "id": "P", "title": "T", "createdAt": "2025-03-01T10:00:00Z",
  "updatedAt": "2025-03-01T10:00:00Z", "version": 1 %2,
  "videoSettings": {"width": 1920, "height": 1080, "fps": 25, "colorSpace": "Rec.709",
                    "defaultSceneDurationSeconds": 5},
  "exportSettings": {"target": "Final Cut Pro 12", "fcpxmlVersion": "1.14",
                     "exportMode": "zip", "includeJsonBackup": true,
                     "includeMarkdownShotList": true, "includeCsvTaskList": true,
                     "renderCardsAsPng": true, "includeUploadedImagesInCards": false},
  "scenes": [%1]
})")
        .arg(sceneObject, extraProjectKeys)
        .toUtf8();
}

const QString minimalScene
    = QStringLiteral(R"({"id": "S", "order": 0, "title": "One", "durationSeconds": 3})");

TEST(ProjectJSONCodec, MinimalSceneReadsWithEveryDefault)
{
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    const auto project = ProjectJSONCodec::decode(minimalProject(minimalScene));
    ASSERT_TRUE(project.has_value()) << project.error().description().toStdString();
    const QDateTime after = QDateTime::currentDateTimeUtc().addSecs(1);

    EXPECT_TRUE(project->scriptBlocks.isEmpty());
    EXPECT_EQ(project->exportSettings.exportMode, ExportSettings::ExportMode::zip);
    EXPECT_FALSE(project->exportSettings.includeUploadedImagesInCards);
    ASSERT_EQ(project->scenes.size(), 1);
    const Scene &scene = project->scenes.first();
    EXPECT_EQ(scene.type, SceneType::placeholder);
    EXPECT_TRUE(scene.onScreenText.isEmpty());
    EXPECT_TRUE(scene.voiceoverText.isEmpty());
    EXPECT_TRUE(scene.productionNote.isEmpty());
    EXPECT_FALSE(scene.image.has_value());
    EXPECT_EQ(scene.marker, (SceneMarker{MarkerType::standard, QString(), QString(), false}));
    EXPECT_TRUE(scene.tags.isEmpty());
    EXPECT_GE(scene.createdAt, before);
    EXPECT_LE(scene.createdAt, after);
    EXPECT_EQ(scene.createdAt, scene.updatedAt);
}

TEST(ProjectJSONCodec, ReadsAnyVersionAndAcceptsUnescapedSlashes)
{
    const auto project = ProjectJSONCodec::decode(
        minimalProject(
            QStringLiteral(R"({"id": "S", "order": 0, "title": "a/b", "durationSeconds": 3})"),
            QStringLiteral(R"(, "unknownKey": [1, 2])"))
            .replace("\"version\": 1", "\"version\": 7"));
    ASSERT_TRUE(project.has_value()) << project.error().description().toStdString();
    EXPECT_EQ(project->version, 7);
    EXPECT_EQ(project->scenes.first().title, QStringLiteral("a/b"));
    const auto encoded = ProjectJSONCodec::encode(*project);
    ASSERT_TRUE(encoded.has_value());
    EXPECT_TRUE(encoded->contains("\"version\": 7"));
}

struct FailureCase
{
    const char *name;
    QByteArray document;
    ProjectCodecError::Kind kind;
    const char *path;
};

void PrintTo(const FailureCase &c, std::ostream *os)
{
    *os << c.name;
}

class ProjectJSONCodecFailure : public ::testing::TestWithParam<FailureCase>
{
};

TEST_P(ProjectJSONCodecFailure, FailsTheWholeRead)
{
    const FailureCase c = GetParam();
    const auto project = ProjectJSONCodec::decode(c.document);
    ASSERT_FALSE(project.has_value()) << c.name;
    EXPECT_EQ(project.error().kind, c.kind) << project.error().description().toStdString();
    EXPECT_EQ(project.error().path, QString::fromUtf8(c.path));
}

QByteArray withScene(const char *scene)
{
    return minimalProject(QString::fromUtf8(scene));
}

QByteArray replaced(const char *from, const char *to)
{
    return minimalProject(minimalScene).replace(from, to);
}

using K = ProjectCodecError::Kind;

INSTANTIATE_TEST_SUITE_P(
    Cases,
    ProjectJSONCodecFailure,
    ::testing::Values(
        FailureCase{"truncated", QByteArray(R"({"id": "P", )"), K::malformedJSON, ""},
        FailureCase{"array at top", QByteArray("[]"), K::wrongType, ""},
        FailureCase{"no version", replaced("\"version\": 1", "\"other\": 1"), K::missingKey,
                    "version"},
        FailureCase{"no scene title", withScene(R"({"id": "S", "order": 0, "durationSeconds": 3})"),
                    K::missingKey, "scenes[0].title"},
        FailureCase{"no marker title",
                    withScene(R"({"id": "S", "order": 0, "title": "", "durationSeconds": 3,
                                  "marker": {"note": ""}})"),
                    K::missingKey, "scenes[0].marker.title"},
        FailureCase{"missing export flag", replaced("\"renderCardsAsPng\": true,", ""),
                    K::missingKey, "exportSettings.renderCardsAsPng"},
        FailureCase{"fractional integer",
                    withScene(R"({"id": "S", "order": 2.5, "title": "", "durationSeconds": 3})"),
                    K::wrongType, "scenes[0].order"},
        FailureCase{"number for string",
                    withScene(R"({"id": 12, "order": 0, "title": "", "durationSeconds": 3})"),
                    K::wrongType, "scenes[0].id"},
        FailureCase{"string for number",
                    withScene(R"({"id": "S", "order": 0, "title": "", "durationSeconds": "3"})"),
                    K::wrongType, "scenes[0].durationSeconds"},
        FailureCase{"string for bool",
                    replaced("\"includeJsonBackup\": true", "\"includeJsonBackup\": \"yes\""),
                    K::wrongType, "exportSettings.includeJsonBackup"},
        FailureCase{"number for the animatic flag",
                    replaced("\"renderCardsAsPng\": true,",
                             "\"renderCardsAsPng\": true, \"includeAnimatic\": 1,"),
                    K::wrongType, "exportSettings.includeAnimatic"},
        FailureCase{"scenes not an array",
                    replaced("\"scenes\": [", "\"scenes\": {\"a\": [").replace("]\n}", "]}\n}"),
                    K::wrongType, "scenes"},
        FailureCase{"unknown scene type",
                    withScene(R"({"id": "S", "order": 0, "title": "", "durationSeconds": 3,
                                  "type": "cartoon"})"),
                    K::unknownRawValue, "scenes[0].type"},
        FailureCase{"unknown export mode",
                    replaced("\"exportMode\": \"zip\"", "\"exportMode\": \"folder\""),
                    K::unknownRawValue, "exportSettings.exportMode"},
        FailureCase{"unknown colour space", replaced("Rec.709", "P3"), K::unknownRawValue,
                    "videoSettings.colorSpace"},
        FailureCase{"fractional speaking rate",
                    replaced("\"fps\": 25,", "\"fps\": 25, \"wordsPerMinute\": 120.5,"),
                    K::wrongType, "videoSettings.wordsPerMinute"},
        FailureCase{"speaking rate as string",
                    replaced("\"fps\": 25,", "\"fps\": 25, \"wordsPerMinute\": \"fast\","),
                    K::wrongType, "videoSettings.wordsPerMinute"},
        FailureCase{"unknown mime type",
                    withScene(R"({"id": "S", "order": 0, "title": "", "durationSeconds": 3,
                                  "image": {"id": "I", "originalFileName": "a.tiff",
                                            "localPath": "S.tiff", "mimeType": "image/tiff",
                                            "width": 1, "height": 1}})"),
                    K::unknownRawValue, "scenes[0].image.mimeType"},
        FailureCase{"date with fraction",
                    replaced("\"createdAt\": \"2025-03-01T10:00:00Z\"",
                             "\"createdAt\": \"2025-03-01T10:15:00.250Z\""),
                    K::invalidDate, "createdAt"},
        FailureCase{"date with offset",
                    replaced("\"createdAt\": \"2025-03-01T10:00:00Z\"",
                             "\"createdAt\": \"2025-03-01T10:00:00+02:00\""),
                    K::invalidDate, "createdAt"},
        FailureCase{"impossible date",
                    replaced("\"createdAt\": \"2025-03-01T10:00:00Z\"",
                             "\"createdAt\": \"2025-02-30T10:00:00Z\""),
                    K::invalidDate, "createdAt"},
        FailureCase{"date as number",
                    withScene(R"({"id": "S", "order": 0, "title": "", "durationSeconds": 3,
                                  "createdAt": 1700000000})"),
                    K::wrongType, "scenes[0].createdAt"}));

struct RateCase
{
    int stored;
    int read;
};

class SpeakingRateInFile : public ::testing::TestWithParam<RateCase>
{
};

// Out of range (a hand-edited file) is taken as the nearest end of 80 … 220 rather than refusing
// the project; the default is never written, so such projects keep their bytes.
TEST_P(SpeakingRateInFile, IsReadIntoRangeAndWrittenOnlyWhenNotTheDefault)
{
    const auto project = ProjectJSONCodec::decode(replaced(
        "\"fps\": 25,",
        "\"fps\": 25, \"wordsPerMinute\": " + QByteArray::number(GetParam().stored) + ","));
    ASSERT_TRUE(project.has_value()) << project.error().description().toStdString();
    EXPECT_EQ(project->videoSettings.wordsPerMinute, GetParam().read);
    const auto encoded = ProjectJSONCodec::encode(*project);
    ASSERT_TRUE(encoded.has_value());
    const QByteArray line = "\"wordsPerMinute\": " + QByteArray::number(GetParam().read) + "\n";
    EXPECT_EQ(encoded->contains(line), GetParam().read != 140);
    EXPECT_EQ(encoded->contains("wordsPerMinute"), GetParam().read != 140);
}

INSTANTIATE_TEST_SUITE_P(Rates,
                         SpeakingRateInFile,
                         ::testing::Values(RateCase{100, 100},
                                           RateCase{140, 140},
                                           RateCase{220, 220},
                                           RateCase{79, 80},
                                           RateCase{-5, 80},
                                           RateCase{1000, 220}));

TEST(ProjectJSONCodec, UnknownBlockRoleReadsAsNote)
{
    const auto project = ProjectJSONCodec::decode(minimalProject(
        minimalScene,
        QStringLiteral(R"(, "scriptBlocks": [{"id": "B", "text": "x", "role": "caption"}])")));
    ASSERT_TRUE(project.has_value()) << project.error().description().toStdString();
    ASSERT_EQ(project->scriptBlocks.size(), 1);
    EXPECT_EQ(project->scriptBlocks.first().role, ScriptBlockRole::note);
    EXPECT_FALSE(project->scriptBlocks.first().sceneID.has_value());
}

// Off, the file has no key for it (the expected file above); on, it reads back on.
TEST(ProjectJSONCodec, AnimaticFlagIsWrittenOnlyWhenOn)
{
    StoryboardProject project = sampleProject();
    project.exportSettings.includeAnimatic = true;
    const auto encoded = ProjectJSONCodec::encode(project);
    ASSERT_TRUE(encoded.has_value());
    EXPECT_EQ(QJsonDocument::fromJson(*encoded)["exportSettings"]["includeAnimatic"],
              QJsonValue(true));
    const auto decoded = ProjectJSONCodec::decode(*encoded);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->exportSettings, project.exportSettings);

    project.exportSettings.includeAnimatic = false;
    EXPECT_EQ(ProjectJSONCodec::encode(project)->indexOf("includeAnimatic"), -1);
}

// A file from a later version: its members survive our read and write in every stored object,
// also after the records around them were edited.
TEST(ProjectJSONCodec, KeepsMembersItDoesNotKnow)
{
    QByteArray file = minimalProject(
        QStringLiteral(R"({"id": "S", "order": 0, "title": "One", "durationSeconds": 3,
            "lens": {"mm": 35},
            "marker": {"type": "standard", "title": "", "note": "", "colour": "red"},
            "image": {"id": "I", "originalFileName": "a.png", "localPath": "S.png",
                      "mimeType": "image/png", "width": 1, "height": 1, "dpi": 144}})"),
        QStringLiteral(R"(, "future": [1, "two"], "scriptBlocks": [
            {"id": "B", "text": "x", "role": "voiceover", "sceneID": "S", "emphasis": true}])"));
    file.replace(R"("fps": 25,)", R"("fps": 25, "hdr": "PQ",)");
    file.replace(R"("exportMode": "zip",)", R"("exportMode": "zip", "audio": false,)");
    auto project = ProjectJSONCodec::decode(file);
    ASSERT_TRUE(project.has_value()) << project.error().description().toStdString();
    project->scenes[0].title = QStringLiteral("Renamed");
    project->scenes[0].marker.isCompleted = true;

    const auto encoded = ProjectJSONCodec::encode(*project);
    ASSERT_TRUE(encoded.has_value());
    const QJsonObject written = QJsonDocument::fromJson(*encoded).object();
    const QJsonObject scene = written["scenes"][0].toObject();
    EXPECT_EQ(written["future"], QJsonValue(QJsonArray{1, "two"}));
    EXPECT_EQ(written["videoSettings"]["hdr"], QJsonValue("PQ"));
    EXPECT_EQ(written["exportSettings"]["audio"], QJsonValue(false));
    EXPECT_EQ(written["scriptBlocks"][0]["emphasis"], QJsonValue(true));
    EXPECT_EQ(scene["lens"], QJsonValue(QJsonObject{{"mm", 35}}));
    EXPECT_EQ(scene["title"], QJsonValue("Renamed"));
    EXPECT_EQ(scene["marker"]["colour"], QJsonValue("red"));
    EXPECT_EQ(scene["marker"]["isCompleted"], QJsonValue(true));
    EXPECT_EQ(scene["image"]["dpi"], QJsonValue(144));

    const auto again = ProjectJSONCodec::decode(*encoded);
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(ProjectJSONCodec::encode(*again), encoded);
    EXPECT_TRUE(ProjectJSONCodec::encode(sampleProject())->indexOf("unknown") < 0);
}

} // namespace
