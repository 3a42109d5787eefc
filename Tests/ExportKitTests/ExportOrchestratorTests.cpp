#include "CardRenderer/PNGCardRenderer.h"
#include "ExportKit/ExportOrchestrator.h"
#include "ExportKit/SceneListExporter.h"
#include "FCPXMLKit/FCPXML114Exporter.h"
#include "StoryboardCore/Storage/ProjectJSONCodec.h"

#include "Support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QUrl>
#include <QUuid>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <functional>

namespace veskel {
namespace {

QString readText(const QString &path)
{
    return QString::fromUtf8(test::readBytes(path));
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

Scene makeScene(int order,
                const char *title,
                double seconds,
                SceneType type,
                const char *onScreen,
                const char *voiceover,
                const char *note)
{
    Scene scene;
    scene.id = QStringLiteral("5CE0E000-0000-4000-8000-00000000000%1").arg(order + 1);
    scene.order = order;
    scene.title = QString::fromUtf8(title);
    scene.durationSeconds = seconds;
    scene.type = type;
    scene.onScreenText = QString::fromUtf8(onScreen);
    scene.voiceoverText = QString::fromUtf8(voiceover);
    scene.productionNote = QString::fromUtf8(note);
    scene.createdAt = QDateTime(QDate(2025, 3, 1), QTime(10, 15), Qt::UTC);
    scene.updatedAt = scene.createdAt;
    return scene;
}

// "Intro video" with three scenes, in a package folder of its own.
class ExportOrchestratorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        package = QDir(test::sandboxRoot())
                      .filePath(QStringLiteral("export-%1/intro-video.veskel")
                                    .arg(QUuid::createUuid().toString(QUuid::WithoutBraces)));
        ASSERT_TRUE(QDir().mkpath(package + QStringLiteral("/Media")));
        project.id = QStringLiteral("9F1D5E2A-3B4C-4D5E-8F60-718293A4B5C6");
        project.title = QStringLiteral("Intro video");
        project.createdAt = QDateTime(QDate(2025, 3, 1), QTime(10, 15), Qt::UTC);
        project.updatedAt = project.createdAt;
        project.videoSettings
            = VideoSettings::preset(VideoSettings::FormatPreset::horizontalHD, 25);
        // Smaller cards keep the sanitizer build quick; the layout does not change.
        project.videoSettings.width = 640;
        project.videoSettings.height = 360;
        project.scenes = {
            makeScene(0, "Opening", 5, SceneType::placeholder, "Hello", "Welcome to the tour.",
                      "Wide shot"),
            makeScene(1, "Setup", 4, SceneType::talkingHead, "Two steps", "Here is how it works.",
                      ""),
            makeScene(2, "Wrap-up", 6, SceneType::summary, "Thanks", "See you next time.",
                      "End card"),
        };
    }

    QString exportFolder() const { return package + QStringLiteral("/Exports/intro-video_fcp"); }

    QString package;
    StoryboardProject project;
    ExportOrchestrator orchestrator;
};

TEST_F(ExportOrchestratorTest, firstExportWritesThePackage)
{
    // Every file is written whatever the stored options say.
    project.exportSettings.includeJsonBackup = false;
    project.exportSettings.includeMarkdownShotList = false;
    project.exportSettings.includeCsvTaskList = false;
    project.exportSettings.renderCardsAsPng = false;
    QList<std::pair<int, int>> progress;
    const auto result = orchestrator.exportProject(project, package, [&](int done, int total) {
        progress.append({done, total});
    });
    ASSERT_TRUE(result.has_value()) << result.error().description().toStdString();

    const QString folder = exportFolder();
    ExportResult expected;
    expected.exportFolderPath = folder;
    expected.fcpxmlPath = folder + QStringLiteral("/intro-video.fcpxml");
    expected.mediaFolderPath = folder + QStringLiteral("/Media");
    expected.jsonPath = folder + QStringLiteral("/project.veskel.json");
    expected.markdownPath = folder + QStringLiteral("/shot-list.md");
    expected.csvPath = folder + QStringLiteral("/scenes.csv");
    expected.otioPath = folder + QStringLiteral("/intro-video.otio");
    expected.pdfPath = folder + QStringLiteral("/storyboard.pdf");
    expected.replacedExistingExport = false;
    EXPECT_EQ(*result, expected);

    EXPECT_EQ(entries(folder),
              QStringList({"Media", "intro-video.fcpxml", "intro-video.otio", "project.veskel.json",
                           "scenes.csv", "shot-list.md", "storyboard.pdf"}));
    EXPECT_EQ(entries(expected.mediaFolderPath), QStringList({"S001.png", "S002.png", "S003.png"}));
    EXPECT_EQ(progress, (QList<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));

    EXPECT_EQ(readText(expected.csvPath), SceneListExporter::csv(project));
    EXPECT_TRUE(readText(expected.markdownPath).contains(QStringLiteral("Intro video")));
    const auto decoded = ProjectJSONCodec::decode(test::readBytes(expected.jsonPath));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->title, project.title);
    EXPECT_EQ(decoded->scenes.size(), 3);

    // Each card is the renderer's picture of its scene.
    const QImage card(expected.mediaFolderPath + QStringLiteral("/S002.png"));
    CardRenderInput input;
    input.scene = project.scenes[1];
    input.sceneIndex = 1;
    input.videoSettings = project.videoSettings;
    EXPECT_EQ(card.convertToFormat(QImage::Format_RGB32),
              PNGCardRenderer().renderImage(input)->convertToFormat(QImage::Format_RGB32));
}

TEST_F(ExportOrchestratorTest, exportingAgainRewritesTheSameFolderAndDropsCardsOfDeletedScenes)
{
    const auto first = orchestrator.exportProject(project, package);
    ASSERT_TRUE(first.has_value());
    // Timelines of an unchanged project come out byte for byte the same.
    const QString fcpxml = readText(first->fcpxmlPath);
    const QString otio = readText(first->otioPath);
    ASSERT_TRUE(orchestrator.exportProject(project, package).has_value());
    EXPECT_EQ(readText(first->fcpxmlPath), fcpxml);
    EXPECT_EQ(readText(first->otioPath), otio);
    const QString media = first->mediaFolderPath;
    test::writeBytes(media + QStringLiteral("/notes.txt"), "the editor's own notes");
    test::writeBytes(media + QStringLiteral("/S003.PNG"), "an old card with a shouting extension");
    test::writeBytes(media + QStringLiteral("/.thumbnail.png"), "hidden");
    ASSERT_TRUE(QDir(media).mkdir(QStringLiteral("stills.png")));

    project.scenes.removeLast();
    const auto second = orchestrator.exportProject(project, package);
    ASSERT_TRUE(second.has_value()) << second.error().description().toStdString();
    EXPECT_TRUE(second->replacedExistingExport);
    ExportResult same = *first;
    same.replacedExistingExport = true;
    EXPECT_EQ(*second, same);
    EXPECT_EQ(entries(media),
              QStringList({".thumbnail.png", "S001.png", "S002.png", "notes.txt", "stills.png"}));
    EXPECT_FALSE(readText(second->csvPath).contains(QStringLiteral("Wrap-up")));
}

TEST_F(ExportOrchestratorTest, fcpxmlIsValidAndEveryMediaRepPointsAtItsCard)
{
    const auto result = orchestrator.exportProject(project, package);
    ASSERT_TRUE(result.has_value());

    QProcess xmllint;
    xmllint.start(QStringLiteral("xmllint"),
                  {QStringLiteral("--noout"), QStringLiteral("--dtdvalid"),
                   QStringLiteral(VESKEL_FCPXML_DTD), result->fcpxmlPath});
    ASSERT_TRUE(xmllint.waitForFinished(60000));
    EXPECT_EQ(xmllint.exitCode(), 0) << xmllint.readAllStandardError().toStdString();

    QXmlStreamReader reader(readText(result->fcpxmlPath));
    QStringList sources;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QStringLiteral("media-rep"))
            sources.append(reader.attributes().value(QStringLiteral("src")).toString());
    }
    EXPECT_FALSE(reader.hasError());
    EXPECT_EQ(sources, QStringList({"Media/S001.png", "Media/S002.png", "Media/S003.png"}));
    for (const QString &source : std::as_const(sources))
        EXPECT_TRUE(QFileInfo(QDir(result->exportFolderPath).filePath(source)).isFile());

    // The OpenTimelineIO clips show the same cards, by absolute URL.
    const QJsonValue timeline
        = QJsonDocument::fromJson(readText(result->otioPath).toUtf8()).object();
    const QJsonArray clips = timeline[u"tracks"][u"children"][0][u"children"].toArray();
    QStringList targets;
    for (const QJsonValue &clip : clips)
        targets << clip[u"media_references"][u"DEFAULT_MEDIA"][u"target_url"].toString();
    QStringList expectedTargets;
    for (const QString &source : std::as_const(sources)) {
        expectedTargets << QUrl::fromLocalFile(QDir(result->exportFolderPath).filePath(source))
                               .toString(QUrl::FullyEncoded);
    }
    EXPECT_EQ(targets, expectedTargets);
}

TEST_F(ExportOrchestratorTest, onlyTheFirstBlockingIssueIsNamed)
{
    project.title.clear();
    project.scenes[1].title.clear();
    const auto result = orchestrator.exportProject(project, package);
    ASSERT_FALSE(result.has_value());
    EXPECT_EQ(result.error().description(),
              QStringLiteral("Project cannot be exported: The project has no title."));
    EXPECT_FALSE(QFileInfo::exists(package + QStringLiteral("/Exports")));
}

TEST_F(ExportOrchestratorTest, projectWithoutScenesIsRefusedBeforeAnyFolderIsMade)
{
    project.scenes.clear();
    const auto result = orchestrator.exportProject(project, package);
    ASSERT_FALSE(result.has_value());
    EXPECT_EQ(result.error().description(),
              QString::fromUtf8("Project cannot be exported: No scenes in the project: start one "
                                "with a line \u201C# Title\u201D."));
    EXPECT_FALSE(QFileInfo::exists(package + QStringLiteral("/Exports")));
}

class InaccessibleExportsTest : public ExportOrchestratorTest,
                                public ::testing::WithParamInterface<bool>
{
};

TEST_P(InaccessibleExportsTest, failsBeforeAnythingIsWritten)
{
    const QString exports = package + QStringLiteral("/Exports");
    const bool readOnlyFolder = GetParam();
    if (readOnlyFolder) {
        ASSERT_TRUE(QDir().mkdir(exports));
        ASSERT_TRUE(QFile::setPermissions(exports, QFileDevice::ReadOwner | QFileDevice::ExeOwner
                                                       | QFileDevice::ReadGroup
                                                       | QFileDevice::ExeGroup));
    } else {
        test::writeBytes(exports, "a file where the folder should be");
    }
    const auto result = orchestrator.exportProject(project, package);
    if (readOnlyFolder) {
        EXPECT_TRUE(entries(exports).isEmpty());
        QFile::setPermissions(exports, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                           | QFileDevice::ExeOwner);
    }
    ASSERT_FALSE(result.has_value());
    EXPECT_EQ(result.error(), ExportError::exportsFolderNotAccessible());
    EXPECT_EQ(result.error().description(),
              QStringLiteral("The project Exports folder is not accessible. Check that the "
                             "project's folder can be written, then export again."));
}

INSTANTIATE_TEST_SUITE_P(Exports,
                         InaccessibleExportsTest,
                         ::testing::Values(true, false),
                         [](const auto &info) { return info.param ? "readOnly" : "aFile"; });

struct BlockedFile
{
    const char *fileName;
    const char *message;
};

class WriteFailureTest : public ExportOrchestratorTest,
                         public ::testing::WithParamInterface<BlockedFile>
{
};

TEST_P(WriteFailureTest, namesTheFileThatCouldNotBeWritten)
{
    // A folder in the file's place cannot be replaced by a file, whoever runs the test.
    ASSERT_TRUE(QDir().mkpath(exportFolder() + u'/' + QString::fromUtf8(GetParam().fileName)));
    const auto result = orchestrator.exportProject(project, package);
    ASSERT_FALSE(result.has_value());
    EXPECT_TRUE(result.error().description().startsWith(QString::fromUtf8(GetParam().message)))
        << result.error().description().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files,
    WriteFailureTest,
    ::testing::Values(
        BlockedFile{"intro-video.fcpxml", "Could not write the FCPXML: "},
        BlockedFile{"project.veskel.json", "Export failed: Could not write JSON backup: "},
        BlockedFile{"shot-list.md", "Export failed: Could not write shot list: "},
        BlockedFile{"scenes.csv", "Export failed: Could not write scene list: "},
        BlockedFile{"intro-video.otio", "Export failed: Could not write OpenTimelineIO timeline: "},
        BlockedFile{"storyboard.pdf", "Export failed: Could not write storyboard PDF: "},
        BlockedFile{"Media/S002.png", "Could not draw the card of S002 Setup: "}));

// A renderer that fails or skips writing for one scene.
class StubRenderer final : public SceneCardRenderer
{
public:
    std::function<std::expected<CardRenderResult, CardRenderError>(const CardRenderInput &,
                                                                   const QString &)>
        render;

    std::expected<CardRenderResult, CardRenderError> renderCard(const CardRenderInput &input,
                                                                const QString &path) const override
    {
        return render(input, path);
    }
};

TEST_F(ExportOrchestratorTest, cardFailuresNameTheRendererError)
{
    auto renderer = std::make_shared<StubRenderer>();
    renderer->render = [](const CardRenderInput &input,
                          const QString &path) -> std::expected<CardRenderResult, CardRenderError> {
        if (input.sceneIndex == 1)
            return std::unexpected(
                CardRenderError::writeFailed(QStringLiteral("Could not encode PNG image.")));
        test::writeBytes(path, "card");
        return CardRenderResult{QFileInfo(path).fileName(), {}};
    };
    const ExportOrchestrator failing(renderer, std::make_shared<FCPXML114Exporter>());
    const auto result = failing.exportProject(project, package);
    ASSERT_FALSE(result.has_value());
    EXPECT_EQ(result.error().sceneID, project.scenes[1].id);
    EXPECT_EQ(result.error().description(),
              QStringLiteral("Could not draw the card of S002 Setup: Could not encode PNG image. "
                             "Check its reference image, then export again."));
}

TEST_F(ExportOrchestratorTest, cardThatWasNotWrittenIsMissingMedia)
{
    auto renderer = std::make_shared<StubRenderer>();
    renderer->render = [](const CardRenderInput &input,
                          const QString &path) -> std::expected<CardRenderResult, CardRenderError> {
        if (input.sceneIndex != 2)
            test::writeBytes(path, "card");
        return CardRenderResult{QFileInfo(path).fileName(), {}};
    };
    const ExportOrchestrator forgetful(renderer, std::make_shared<FCPXML114Exporter>());
    const auto result = forgetful.exportProject(project, package);
    ASSERT_FALSE(result.has_value());
    EXPECT_EQ(result.error().description(),
              QStringLiteral("The card of S003 Wrap-up was not written. Export again."));
}

TEST_F(ExportOrchestratorTest, scenesSharingANumberLeaveTheLaterScenesCard)
{
    // Orders are read from the file as they are; two scenes may claim S001.png.
    project.scenes[1].order = 0;
    project.scenes.removeLast();
    const auto result = orchestrator.exportProject(project, package);
    ASSERT_TRUE(result.has_value()) << result.error().description().toStdString();
    EXPECT_EQ(entries(result->mediaFolderPath), QStringList({"S001.png"}));

    CardRenderInput later;
    later.scene = project.scenes[1];
    later.sceneIndex = 1;
    later.videoSettings = project.videoSettings;
    EXPECT_EQ(QImage(result->mediaFolderPath + QStringLiteral("/S001.png"))
                  .convertToFormat(QImage::Format_RGB32),
              PNGCardRenderer().renderImage(later)->convertToFormat(QImage::Format_RGB32));
}

} // namespace
} // namespace veskel
