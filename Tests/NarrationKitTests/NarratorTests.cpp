#include "NarrationKit/EspeakEngine.h"
#include "NarrationKit/Narrator.h"

#include <QTemporaryDir>
#include <QtConcurrent/QtConcurrentRun>

#include <gtest/gtest.h>

#include <cmath>

namespace veskel {
namespace {

QString words(const QString &sentence, int count)
{
    const QStringList pool = sentence.split(u' ');
    QStringList out;
    for (int i = 0; i < count; ++i)
        out.append(pool.at(i % pool.size()));
    return out.join(u' ') + u'.';
}

const QString english = QStringLiteral(
    "the camera follows a small team as they plan write and record a short video about saving "
    "energy at home while the narrator explains each step");
const QString russian = QStringLiteral(
    "камера следует за небольшой командой которая планирует пишет и записывает короткое видео о "
    "том как беречь энергию дома пока диктор объясняет каждый шаг");

double rootMeanSquare(const NarrationAudio &audio)
{
    double sum = 0;
    for (qint16 s : audio.samples)
        sum += double(s) * s;
    return audio.samples.isEmpty() ? 0 : std::sqrt(sum / double(audio.samples.size()));
}

struct PaceCase
{
    QString sentence;
    NarrationVoice voice;
    int wordsPerMinute;
};

class NarrationPace : public testing::TestWithParam<PaceCase>
{
};

TEST_P(NarrationPace, IsAudibleAndLastsAboutWhatTheRateSays)
{
    const PaceCase &c = GetParam();
    const QString text = words(c.sentence, 60);
    ASSERT_EQ(narrationVoice(text), c.voice);
    NarrationCache cache({});
    const Narrator::Result narrated = Narrator::narrate(text, c.wordsPerMinute, cache);
    ASSERT_TRUE(narrated) << narrated.error().description().toStdString();
    const double expected = 60.0 * 60 / c.wordsPerMinute;
    // espeak-ng's own idea of a word differs from ours; the pace must still be the rate's.
    EXPECT_GT((*narrated)->seconds(), expected * 0.7);
    EXPECT_LT((*narrated)->seconds(), expected * 1.4);
    EXPECT_GT(rootMeanSquare(**narrated), 300);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages,
                         NarrationPace,
                         testing::Values(PaceCase{english, NarrationVoice::english, 100},
                                         PaceCase{english, NarrationVoice::english, 220},
                                         PaceCase{russian, NarrationVoice::russian, 100},
                                         PaceCase{russian, NarrationVoice::russian, 220}));

TEST(NarrationVoice, FollowsWhatMostLettersAre)
{
    EXPECT_EQ(narrationVoice(u"Привет, мир! Это API."_qs), NarrationVoice::russian);
    EXPECT_EQ(narrationVoice(u"Open the app: кнопка"_qs), NarrationVoice::english);
    EXPECT_EQ(narrationVoice(u"2024 — 15 %"_qs), NarrationVoice::english);
}

TEST(Narrator, BlankTextIsSilenceOfNoLength)
{
    NarrationCache cache({});
    const Narrator::Result narrated = Narrator::narrate(u" \n\t"_qs, 140, cache);
    ASSERT_TRUE(narrated);
    EXPECT_TRUE((*narrated)->samples.isEmpty());
}

TEST(Narrator, CallsFromManyThreadsAreServedOneAtATime)
{
    // espeak-ng keeps its voice and rate in globals: unserialised, a slow English reading and a
    // fast Russian one would take each other's settings (or crash). Its output varies by a few
    // samples from call to call, so lengths are compared, not samples.
    struct Job
    {
        QString text;
        NarrationVoice voice;
        int rate;
    };
    const QList<Job> jobs{{words(english, 20), NarrationVoice::english, 100},
                          {words(russian, 20), NarrationVoice::russian, 220}};
    QList<double> alone;
    for (const Job &job : jobs)
        alone.append(EspeakEngine::shared().synthesize(job.text, job.voice, job.rate)->seconds());
    QList<QFuture<double>> runs;
    for (int i = 0; i < 6; ++i) {
        runs.append(QtConcurrent::run([job = jobs.at(i % 2)] {
            return EspeakEngine::shared().synthesize(job.text, job.voice, job.rate)->seconds();
        }));
    }
    for (int i = 0; i < runs.size(); ++i)
        EXPECT_NEAR(runs[i].result(), alone.at(i % 2), 0.05 * alone.at(i % 2)) << i;
}

} // namespace
} // namespace veskel
