#include "AnimaticKit/AnimaticWriter.h"

#include "CardRenderer/PNGCardRenderer.h"
#include "MP4Reading.h"
#include "Support/TestSupport.h"
#include "TimelineTestProjects.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace veskel;
using namespace veskel::test;

namespace {

constexpr int rate = AnimaticPlan::sampleRate;

// A 440 Hz tone at half of full scale.
NarrationSamples tone(double seconds)
{
    NarrationSamples samples(qsizetype(seconds * rate));
    for (qsizetype i = 0; i < samples.size(); ++i)
        samples[i] = qint16(16384 * std::sin(2 * std::numbers::pi * 440 * double(i) / rate));
    return samples;
}

struct MovieCase
{
    const char *name;
    int fps;
    QSize project;
    QSize movie;
};

void PrintTo(const MovieCase &movieCase, std::ostream *out)
{
    *out << movieCase.name;
}

class AnimaticMovie : public ::testing::TestWithParam<MovieCase>
{
};

// Three scenes: a narration that runs past its scene, a silent scene, and a narration that
// ends halfway through its scene.
TEST_P(AnimaticMovie, ShowsEachCardForItsFramesOverItsNarration)
{
    const MovieCase movieCase = GetParam();
    const QList<double> seconds{1.0, 0.82, 1.3};
    StoryboardProject project = makeProject(QStringLiteral("Intro"), movieCase.fps,
                                            {makeScene(0, QStringLiteral("Opening"), seconds[0]),
                                             makeScene(1, QStringLiteral("Quiet"), seconds[1]),
                                             makeScene(2, QStringLiteral("Close"), seconds[2])});
    project.videoSettings.width = movieCase.project.width();
    project.videoSettings.height = movieCase.project.height();
    project.scenes[0].onScreenText = QStringLiteral("Cards are read back from the movie");
    project.scenes[2].voiceoverText = QStringLiteral("Fine print and thin lines survive it.");

    const QTemporaryDir dir;
    QHash<QString, QString> cardPaths;
    QList<QImage> cards;
    for (int i = 0; i < 3; ++i) {
        const auto card = PNGCardRenderer().renderImage(
            {project.scenes[i], i, project.videoSettings, true, {}});
        ASSERT_TRUE(card.has_value());
        cards.append(*card);
        cardPaths.insert(project.scenes[i].id, dir.filePath(QStringLiteral("S%1.png").arg(i)));
        ASSERT_TRUE(card->save(cardPaths[project.scenes[i].id]));
    }
    const QHash<QString, NarrationSamples> narrations{{project.scenes[0].id, tone(1.5)},
                                                      {project.scenes[2].id, tone(0.4)}};
    const AnimaticPlan plan = AnimaticPlan::of(
        project, dir.filePath(QStringLiteral("intro_animatic.mp4")), cardPaths, narrations);

    QList<qint64> starts{0};
    for (const double s : seconds)
        starts.append(starts.last() + std::lround(s * movieCase.fps));
    const qint64 total = starts.last();
    qint64 progressCalls = 0;
    qint64 lastProgress = 0;
    const auto written = AnimaticWriter::write(plan, [&](qint64 done, qint64 of) {
        ++progressCalls;
        EXPECT_EQ(done, lastProgress + 1);
        EXPECT_EQ(of, total);
        lastProgress = done;
    });
    ASSERT_TRUE(written.has_value()) << written.error().description().toStdString();
    EXPECT_EQ(progressCalls, total);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 4);

    QList<qint64> middles;
    for (int i = 0; i < 3; ++i)
        middles.append((starts[i] + starts[i + 1]) / 2);
    const DecodedMovie movie = decodeMovie(plan.outputPath, middles);
    EXPECT_EQ(movie.videoCodec, u"h264");
    EXPECT_EQ(movie.pixelFormat, u"yuv420p");
    EXPECT_EQ(QSize(movie.width, movie.height), movieCase.movie);
    EXPECT_EQ(movie.frameRateNumerator, movieCase.fps);
    EXPECT_EQ(movie.frameRateDenominator, 1);
    EXPECT_EQ(movie.frameCount, total);
    EXPECT_NEAR(movie.durationSeconds, double(total) / movieCase.fps, 1.0 / movieCase.fps);
    EXPECT_EQ(movie.audioCodec, u"aac");
    EXPECT_EQ(movie.sampleRate, rate);
    EXPECT_EQ(movie.channels, 1);
    // The index is in front of the media, so playback can start before the whole file is read.
    EXPECT_LT(movie.boxes.indexOf("moov"), movie.boxes.indexOf("mdat"));

    for (int i = 0; i < 3; ++i) {
        const QImage expected
            = cards[i].scaled(movieCase.movie, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_GE(psnr(movie.frames.value(middles[i]), expected), 28.0) << "scene " << i;
    }

    // The sound lasts as long as the pictures, give or take one frame.
    const qint64 samplesPerFrame = rate / movieCase.fps;
    const auto sample = [&](qint64 frame) { return frame * samplesPerFrame; };
    EXPECT_NEAR(double(movie.samples.size()), double(sample(total)), double(samplesPerFrame));
    ASSERT_GE(qint64(movie.samples.size()), sample(total) - samplesPerFrame);
    // Away from the edges, where AAC's 21 ms blocks smear a change.
    const qint64 margin = rate * 60 / 1000;
    const auto level
        = [&](qint64 from, qint64 to) { return rms(movie.samples, from + margin, to - margin); };
    const qint64 halfFull = qint64(0.4 * rate);
    EXPECT_GT(level(sample(starts[0]), sample(starts[1])), 0.25);
    EXPECT_LT(level(sample(starts[1]), sample(starts[2])), 0.01);
    EXPECT_GT(level(sample(starts[2]), sample(starts[2]) + halfFull), 0.25);
    EXPECT_LT(level(sample(starts[2]) + halfFull, sample(starts[3])), 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Formats,
    AnimaticMovie,
    ::testing::Values(MovieCase{"HorizontalHDAt25", 25, {1920, 1080}, {1920, 1080}},
                      MovieCase{"VerticalHDAt24", 24, {1080, 1920}, {608, 1080}},
                      MovieCase{"Horizontal4KAt30", 30, {3840, 2160}, {1920, 1080}}),
    [](const auto &info) { return std::string(info.param.name); });

// Ways a write ends without a new file.
struct StopCase
{
    const char *name;
    void (*change)(AnimaticPlan &plan, const QString &folder);
    // Frames written before the cancel check says stop; -1 never stops.
    qint64 cancelAfter;
    AnimaticError::Kind kind;
};

void PrintTo(const StopCase &stopCase, std::ostream *out)
{
    *out << stopCase.name;
}

class StoppedWrite : public ::testing::TestWithParam<StopCase>
{
};

TEST_P(StoppedWrite, LeavesThePreviousAnimaticAndNothingBesideIt)
{
    const StopCase stopCase = GetParam();
    const QTemporaryDir dir;
    QImage card(320, 180, QImage::Format_RGB32);
    card.fill(Qt::darkCyan);
    const QString cardPath = dir.filePath(QStringLiteral("card.png"));
    ASSERT_TRUE(card.save(cardPath));

    AnimaticPlan plan;
    plan.outputPath = dir.filePath(QStringLiteral("film_animatic.mp4"));
    plan.fps = 25;
    plan.frameSize = {320, 180};
    plan.scenes = {{{}, cardPath, 40, tone(1), QStringLiteral("S001")},
                   {{}, cardPath, 40, {}, QStringLiteral("S002")}};
    stopCase.change(plan, dir.path());
    writeBytes(plan.outputPath, "the previous animatic");

    qint64 asked = 0;
    const auto written = AnimaticWriter::write(
        plan, {}, [&] { return stopCase.cancelAfter >= 0 && asked++ >= stopCase.cancelAfter; });
    ASSERT_FALSE(written.has_value());
    EXPECT_EQ(written.error().kind, stopCase.kind) << written.error().description().toStdString();
    EXPECT_EQ(readBytes(plan.outputPath), "the previous animatic");
    QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    left.removeAll(QStringLiteral("card.png"));
    left.removeAll(QStringLiteral("broken.png"));
    EXPECT_EQ(left, QStringList{QStringLiteral("film_animatic.mp4")});
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    StoppedWrite,
    ::testing::Values(StopCase{"CancelledAtOnce", [](AnimaticPlan &, const QString &) {}, 0,
                               AnimaticError::Kind::cancelled},
                      StopCase{"CancelledHalfway", [](AnimaticPlan &, const QString &) {}, 50,
                               AnimaticError::Kind::cancelled},
                      // Its header reads, so the write starts; its pictures do not.
                      StopCase{"SecondCardBroken",
                               [](AnimaticPlan &plan, const QString &folder) {
                                   const QByteArray png = readBytes(plan.scenes[1].cardPath);
                                   plan.scenes[1].cardPath
                                       = writeBytes(folder + QStringLiteral("/broken.png"),
                                                    png.left(png.size() / 2));
                               },
                               -1, AnimaticError::Kind::cannotReadCard},
                      StopCase{"NoFrames",
                               [](AnimaticPlan &plan, const QString &) {
                                   for (AnimaticScene &scene : plan.scenes)
                                       scene.frames = 0;
                               },
                               -1, AnimaticError::Kind::invalidPlan},
                      // A duration from a project file can be absurd; writing it would never end.
                      StopCase{"LongerThanADay",
                               [](AnimaticPlan &plan, const QString &) {
                                   plan.scenes[1].frames = 25LL * 60 * 60 * 24;
                               },
                               -1, AnimaticError::Kind::invalidPlan},
                      StopCase{"OddFrameSize",
                               [](AnimaticPlan &plan, const QString &) {
                                   plan.frameSize = {321, 180};
                               },
                               -1, AnimaticError::Kind::invalidPlan}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
