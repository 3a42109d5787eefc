#include "ExportKit/ExportOrchestrator.h"
#include "FCPXMLTestSupport.h"
#include "MP4Reading.h"

#include "Support/TestSupport.h"

#include <QDir>
#include <QUuid>

#include <gtest/gtest.h>

namespace veskel {
namespace {

QStringList files(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Three one-second scenes at 24 fps, the middle one without voiceover, exported with the
// animatic into a package of their own.
class AnimaticExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        package = QDir(test::sandboxRoot())
                      .filePath(QStringLiteral("animatic-%1/talk.veskel")
                                    .arg(QUuid::createUuid().toString(QUuid::WithoutBraces)));
        ASSERT_TRUE(QDir().mkpath(package + QStringLiteral("/Media")));
        project.title = QStringLiteral("Talk");
        project.videoSettings.width = 320;
        project.videoSettings.height = 180;
        project.videoSettings.fps = 24;
        project.exportSettings.includeAnimatic = true;
        const char *voiceovers[] = {"Hello there.", "", "Good bye."};
        for (int i = 0; i < 3; ++i) {
            Scene scene;
            scene.id = QStringLiteral("SCENE-%1").arg(i);
            scene.order = i;
            scene.title = QStringLiteral("Scene %1").arg(i + 1);
            scene.durationSeconds = 1;
            scene.voiceoverText = QString::fromUtf8(voiceovers[i]);
            project.scenes.append(scene);
        }
    }

    QString folder() const { return package + QStringLiteral("/Exports/talk_fcp"); }
    QString narration() const { return folder() + QStringLiteral("/Narration"); }

    QString package;
    StoryboardProject project;
    ExportOrchestrator orchestrator;
};

TEST_F(AnimaticExportTest, writesTheAnimaticAndTheScratchTrackTheTimelinesHear)
{
    // A deleted scene's narration goes; what else the folder holds stays.
    ASSERT_TRUE(QDir().mkpath(narration()));
    test::writeBytes(narration() + QStringLiteral("/S009.wav"), "old");
    test::writeBytes(narration() + QStringLiteral("/take.txt"), "the editor's");

    qint64 lastFrame = 0;
    qint64 frameTotal = 0;
    ExportOrchestrator::Observers observers;
    observers.animaticFrames = [&](qint64 written, qint64 total) {
        lastFrame = written;
        frameTotal = total;
    };
    const auto result = orchestrator.exportProject(project, package, observers);
    ASSERT_TRUE(result.has_value()) << result.error().description().toStdString();
    EXPECT_EQ(result->animaticPath, folder() + QStringLiteral("/talk_animatic.mp4"));
    EXPECT_EQ(std::pair(lastFrame, frameTotal), std::pair(qint64(72), qint64(72)));
    EXPECT_EQ(files(narration()), QStringList({"S001.wav", "S003.wav", "take.txt"}));

    const QString fcpxml = QString::fromUtf8(test::readBytes(result->fcpxmlPath));
    EXPECT_EQ(test::fcpxmlDTDViolations(fcpxml), QStringList());
    const QString otio = QString::fromUtf8(test::readBytes(result->otioPath));
    for (const QString &timeline : {fcpxml, otio}) {
        EXPECT_TRUE(timeline.contains(QStringLiteral("Narration/S003.wav")));
        EXPECT_FALSE(timeline.contains(QStringLiteral("Narration/S002.wav")));
    }

    const test::DecodedMovie movie = test::decodeMovie(result->animaticPath, {});
    EXPECT_EQ(movie.frameCount, 72);
    EXPECT_NEAR(movie.durationSeconds, 3.0, 0.1);
    // Speech under the first scene, silence under the second, away from AAC's smeared edges.
    const qint64 rate = movie.sampleRate;
    EXPECT_GT(test::rms(movie.samples, rate / 10, rate / 2), 0.01);
    EXPECT_LT(test::rms(movie.samples, rate * 11 / 10, rate * 19 / 10), 0.001);
}

TEST_F(AnimaticExportTest, cancellingTheAnimaticKeepsThePreviousOne)
{
    const auto first = orchestrator.exportProject(project, package);
    ASSERT_TRUE(first.has_value()) << first.error().description().toStdString();
    const QByteArray previous = test::readBytes(first->animaticPath);
    const QStringList before = files(folder());

    project.scenes[0].durationSeconds = 2;
    ExportOrchestrator::Observers observers;
    qint64 frames = 0;
    observers.animaticFrames = [&](qint64 written, qint64) { frames = written; };
    observers.isCancelled = [&] { return frames == 5; };
    const auto cancelled = orchestrator.exportProject(project, package, observers);
    ASSERT_FALSE(cancelled.has_value());
    EXPECT_EQ(cancelled.error(), ExportError::cancelled());
    EXPECT_EQ(test::readBytes(first->animaticPath), previous);
    EXPECT_EQ(files(folder()), before);
}

} // namespace
} // namespace veskel
