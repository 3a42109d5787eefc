#include "AnimaticKit/AnimaticWriter.h"
#include "CardRenderer/PNGCardRenderer.h"
#include "StoryboardCore/Sample/SampleProject.h"

#include "GeneratedScript.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>
#include <numbers>

using namespace veskel;

namespace {

// The sample film (seven scenes, 62 s, 3840 × 2160 at 25 fps) as an export hands it to the
// writer: its cards as PNG files, and a 220 Hz tone under each scene with voiceover, as long as
// the voiceover would take at 140 words a minute.
class AnimaticFixture
{
public:
    AnimaticFixture()
    {
        const StoryboardProject project = SampleProject::make();
        const QList<Scene> scenes = project.orderedScenes();
        QHash<QString, QString> cards;
        QHash<QString, NarrationSamples> narrations;
        for (qsizetype i = 0; i < scenes.size(); ++i) {
            const Scene &scene = scenes.at(i);
            const QString path
                = m_dir.filePath(u'S' + scene.sceneNumber() + QStringLiteral(".png"));
            const auto card = PNGCardRenderer().renderCard(
                {scene, int(i), project.videoSettings, true, {}}, path);
            if (card)
                cards.insert(scene.id, path);
            const qsizetype words
                = scene.voiceoverText
                      .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)
                      .size();
            if (words > 0)
                narrations.insert(scene.id, tone(double(words) * 60 / 140));
        }
        m_plan = AnimaticPlan::of(project, m_dir.filePath(QStringLiteral("sample_animatic.mp4")),
                                  cards, narrations);
        m_filmSeconds = double(m_plan.totalFrames()) / m_plan.fps;
    }

    const AnimaticPlan &plan() const { return m_plan; }
    double filmSeconds() const { return m_filmSeconds; }

private:
    static NarrationSamples tone(double seconds)
    {
        const int rate = AnimaticPlan::sampleRate;
        NarrationSamples samples(qsizetype(seconds * rate));
        for (qsizetype i = 0; i < samples.size(); ++i)
            samples[i] = qint16(12000 * std::sin(2 * std::numbers::pi * 220 * double(i) / rate));
        return samples;
    }

    QTemporaryDir m_dir;
    AnimaticPlan m_plan;
    double m_filmSeconds = 0;
};

void sampleAnimatic(benchmark::State &state)
{
    const AnimaticFixture fixture;
    for (auto _ : state) {
        const auto written = AnimaticWriter::write(fixture.plan());
        if (!written)
            state.SkipWithError(written.error().description().toStdString().c_str());
    }
    // How many seconds of film one second of writing gives: the bar is 5.
    state.counters["film_s"] = fixture.filmSeconds();
    state.counters["times_realtime"] = benchmark::Counter(
        fixture.filmSeconds() * double(state.iterations()), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(sampleAnimatic)->Unit(benchmark::kSecond)->MinTime(3)->UseRealTime();

int main(int argc, char **argv)
{
    // Cards are drawn with the bundled fonts.
    return veskel::bench::runWithApplication<QGuiApplication>(argc, argv);
}
