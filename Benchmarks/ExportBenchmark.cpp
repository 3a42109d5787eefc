#include "CardRenderer/PNGCardRenderer.h"
#include "CardRenderer/PNGEncoder.h"
#include "ExportKit/ExportOrchestrator.h"
#include "ExportKit/StoryboardPDFWriter.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"
#include "StoryboardCore/Utilities/UUID.h"

#include "GeneratedScript.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <ctime>

using namespace veskel;

namespace {

QString words(QRandomGenerator &random, const QStringList &vocabulary, int count)
{
    QStringList picked;
    for (int i = 0; i < count; ++i)
        picked.append(vocabulary.at(int(random.bounded(vocabulary.size()))));
    QString text = picked.join(u' ');
    text[0] = text[0].toUpper();
    return text + u'.';
}

// A 100-scene project as people write them: a short title, an on-screen line, a voiceover of
// 40 to 70 words (15 to 30 seconds of speech), a note on most scenes, a third of the scenes in
// Russian, and a reference image on every tenth scene (photo-like PNG and JPEG, SVG, PDF).
class ExportFixture
{
public:
    explicit ExportFixture(int width, int height)
    {
        const QStringList english
            = QStringLiteral(
                  "the storyboard shows how a small team plans a short video about saving time at "
                  "work with clear steps simple tools and a friendly voice that explains each "
                  "screen")
                  .split(u' ');
        const QStringList russian
            = QStringLiteral(
                  "команда показывает как спланировать короткое видео о работе с проектом простыми "
                  "шагами и понятным голосом который объясняет каждый экран")
                  .split(u' ');
        QRandomGenerator random(2025);
        const QDateTime now = QDateTime::fromSecsSinceEpoch(1'740'000'000, Qt::UTC);
        m_project.id = makeUUID();
        m_project.title = QStringLiteral("Benchmark video");
        m_project.createdAt = now;
        m_project.updatedAt = now;
        m_project.videoSettings.width = width;
        m_project.videoSettings.height = height;
        m_project.videoSettings.fps = 25;
        m_package
            = ProjectPackagePaths::packagePath(m_dir.path(), QStringLiteral("benchmark-video"));
        const QString media = ProjectPackagePaths::mediaPath(m_package);
        QDir().mkpath(media);

        for (int i = 0; i < 100; ++i) {
            const QStringList &vocabulary = i % 3 == 2 ? russian : english;
            Scene scene;
            scene.id = makeUUID();
            scene.order = i;
            scene.title = words(random, vocabulary, 2 + int(random.bounded(4))).chopped(1);
            scene.durationSeconds = 15 + random.bounded(15);
            scene.type = allCases<SceneType>()[size_t(i) % allCases<SceneType>().size()];
            scene.onScreenText = words(random, vocabulary, 4 + int(random.bounded(8)));
            scene.voiceoverText = words(random, vocabulary, 20 + int(random.bounded(15))) + u' '
                                  + words(random, vocabulary, 20 + int(random.bounded(20)));
            if (i % 4 != 3)
                scene.productionNote = words(random, vocabulary, 5 + int(random.bounded(10)));
            scene.marker.title = scene.markerName();
            scene.createdAt = now;
            scene.updatedAt = now;
            if (i % 10 == 4)
                scene.image = writeReference(media, scene.id, i / 10 % 4);
            m_project.scenes.append(scene);
        }
    }

    const StoryboardProject &project() const { return m_project; }
    const QString &package() const { return m_package; }

private:
    static SceneImage writeReference(const QString &media, const QString &sceneID, int kind)
    {
        SceneImage image;
        image.id = makeUUID();
        image.width = 1600;
        image.height = 1000;
        QImage photo(image.width, image.height, QImage::Format_RGB32);
        QPainter painter(&photo);
        QLinearGradient gradient(0, 0, image.width, image.height);
        gradient.setColorAt(0, QColor(40, 90, 200));
        gradient.setColorAt(1, QColor(230, 120, 40));
        painter.fillRect(photo.rect(), gradient);
        painter.end();
        QRandomGenerator grain(static_cast<quint32>(kind));
        for (int y = 0; y < photo.height(); y += 3)
            for (int x = 0; x < photo.width(); x += 3)
                photo.setPixel(x, y, grain.generate() | 0xFF000000u);
        switch (kind) {
        case 0:
            image.mimeType = SceneImage::MimeType::png;
            image.localPath = sceneID + QStringLiteral(".png");
            photo.save(media + u'/' + image.localPath);
            break;
        case 1:
            image.mimeType = SceneImage::MimeType::jpeg;
            image.localPath = sceneID + QStringLiteral(".jpg");
            photo.save(media + u'/' + image.localPath, "jpeg", 90);
            break;
        case 2: {
            image.mimeType = SceneImage::MimeType::svg;
            image.localPath = sceneID + QStringLiteral(".svg");
            QFile file(media + u'/' + image.localPath);
            if (file.open(QIODevice::WriteOnly)) {
                file.write(R"(<svg xmlns="http://www.w3.org/2000/svg" width="160" height="100">
<rect width="160" height="100" fill="#2a5bc8"/><circle cx="80" cy="50" r="35" fill="#f0a020"/>
<text x="80" y="56" font-size="16" text-anchor="middle" fill="#fff">Diagram</text></svg>)");
            }
            break;
        }
        default: {
            image.mimeType = SceneImage::MimeType::pdf;
            image.localPath = sceneID + QStringLiteral(".pdf");
            QPdfWriter writer(media + u'/' + image.localPath);
            writer.setPageSize(QPageSize(QPageSize::A5));
            QPainter pdf(&writer);
            pdf.drawImage(QRect(0, 0, writer.width(), writer.height() / 2), photo);
            pdf.drawText(QRect(0, writer.height() / 2, writer.width(), writer.height() / 2),
                         Qt::AlignCenter, QStringLiteral("Slide"));
            break;
        }
        }
        return image;
    }

    QTemporaryDir m_dir;
    StoryboardProject m_project;
    QString m_package;
};

void exportPackage(benchmark::State &state)
{
    const ExportFixture fixture(int(state.range(0)), int(state.range(1)));
    const ExportOrchestrator orchestrator;
    // The processor time of every thread: other programs' turns on a busy machine add to the
    // wall time, not to this.
    const std::clock_t start = std::clock();
    for (auto _ : state) {
        const auto result = orchestrator.exportProject(fixture.project(), fixture.package());
        if (!result)
            state.SkipWithError(result.error().description().toStdString().c_str());
        benchmark::DoNotOptimize(result);
    }
    state.counters["process_cpu_s"] = benchmark::Counter(
        double(std::clock() - start) / CLOCKS_PER_SEC, benchmark::Counter::kAvgIterations);
}

// Drawing the first ten cards of that project, without encoding them.
void drawCards(benchmark::State &state)
{
    const ExportFixture fixture(int(state.range(0)), int(state.range(1)));
    const PNGCardRenderer renderer;
    for (auto _ : state) {
        for (const Scene &scene : fixture.project().scenes.first(10)) {
            CardRenderInput input;
            input.scene = scene;
            input.videoSettings = fixture.project().videoSettings;
            input.mediaBasePath = ProjectPackagePaths::mediaPath(fixture.package());
            benchmark::DoNotOptimize(renderer.renderImage(input));
        }
    }
}

// The PNG encoding of the first ten cards of that project (one with a reference image).
void encodeCards(benchmark::State &state)
{
    const ExportFixture fixture(int(state.range(0)), int(state.range(1)));
    QList<QImage> cards;
    qint64 bytes = 0;
    for (const Scene &scene : fixture.project().scenes.first(10)) {
        CardRenderInput input;
        input.scene = scene;
        input.videoSettings = fixture.project().videoSettings;
        input.mediaBasePath = ProjectPackagePaths::mediaPath(fixture.package());
        const auto card = PNGCardRenderer().renderImage(input);
        if (!card) {
            state.SkipWithError(card.error().description().toStdString().c_str());
            return;
        }
        cards.append(*card);
        bytes += card->sizeInBytes();
    }
    qint64 written = 0;
    for (auto _ : state) {
        written = 0;
        for (const QImage &card : std::as_const(cards))
            written += PNGEncoder::encode(card).size();
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["png_kb"] = double(written) / 1024;
}

// The storyboard PDF's share of an export: the same 100 scenes, written on their own.
void storyboardPDF(benchmark::State &state)
{
    const ExportFixture fixture(1920, 1080);
    const StoryboardPDFInput input{fixture.project(),
                                   ProjectPackagePaths::mediaPath(fixture.package()),
                                   QDateTime::currentDateTimeUtc()};
    for (auto _ : state) {
        const auto pdf = StoryboardPDFWriter::write(input);
        if (!pdf)
            state.SkipWithError(pdf.error().toStdString().c_str());
        benchmark::DoNotOptimize(pdf);
    }
}

} // namespace

BENCHMARK(storyboardPDF)->Unit(benchmark::kMillisecond)->MinTime(3)->UseRealTime();

BENCHMARK(drawCards)
    ->ArgNames({"width", "height"})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond);

BENCHMARK(encodeCards)
    ->ArgNames({"width", "height"})
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMillisecond);

BENCHMARK(exportPackage)
    ->ArgNames({"width", "height"})
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kSecond)
    ->MinTime(3)
    ->UseRealTime();

int main(int argc, char **argv)
{
    // Cards are drawn with the bundled fonts.
    return veskel::bench::runWithApplication<QGuiApplication>(argc, argv);
}
