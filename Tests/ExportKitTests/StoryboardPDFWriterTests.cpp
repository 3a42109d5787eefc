#include "ExportKit/StoryboardPDFWriter.h"

#include "StoryboardCore/Duration/DurationCalculator.h"
#include "Support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace veskel {
namespace {

// Scene i is "Scene i" (every third one in Russian) with a voiceover naming its number.
StoryboardProject projectWith(int sceneCount)
{
    StoryboardProject project;
    project.title = QStringLiteral("Client review");
    project.videoSettings.width = 1920;
    project.videoSettings.height = 1080;
    project.videoSettings.fps = 25;
    for (int i = 0; i < sceneCount; ++i) {
        Scene scene;
        scene.id = QStringLiteral("SCENE-%1").arg(i);
        scene.order = i;
        scene.title = (i % 3 == 2 ? QStringLiteral("Сцена %1") : QStringLiteral("Scene %1")).arg(i);
        scene.durationSeconds = 5;
        scene.type = SceneType::screenRecording;
        scene.onScreenText = QStringLiteral("Slide %1").arg(i);
        scene.voiceoverText = QStringLiteral("Voiceover number %1 speaks here.").arg(i);
        scene.productionNote = QStringLiteral("Note %1").arg(i);
        project.scenes.append(scene);
    }
    return project;
}

// The written document opened again, as a reader would.
class ReadBack
{
public:
    explicit ReadBack(const StoryboardPDFInput &input)
    {
        const auto bytes = StoryboardPDFWriter::write(input);
        if (!bytes) {
            ADD_FAILURE() << bytes.error().toStdString();
            return;
        }
        this->bytes = *bytes;
        EXPECT_EQ(document.load(test::writeBytes(m_dir.filePath(QStringLiteral("storyboard.pdf")),
                                                 this->bytes)),
                  QPdfDocument::Error::None);
    }

    // White space collapsed: wrapped lines read as one text.
    QString text(int page) { return document.getAllText(page).text().simplified(); }

    QByteArray bytes;
    QPdfDocument document;

private:
    QTemporaryDir m_dir;
};

struct Paging
{
    int scenes;
    QPageSize::PageSizeId paper;
    int pages;
    QSizeF points;
};

void PrintTo(const Paging &paging, std::ostream *out)
{
    *out << paging.scenes << " scenes";
}

class StoryboardPages : public ::testing::TestWithParam<Paging>
{
};

TEST_P(StoryboardPages, HoldEveryScenesTextSearchablyInTheEmbeddedCardFonts)
{
    const Paging paging = GetParam();
    const StoryboardProject project = projectWith(paging.scenes);
    ReadBack pdf({project,
                  {},
                  QDateTime(QDate(2026, 3, 4), QTime(12, 0), Qt::UTC),
                  QPageSize(paging.paper)});
    ASSERT_EQ(pdf.document.pageCount(), paging.pages);
    QString all;
    for (int page = 0; page < paging.pages; ++page) {
        EXPECT_EQ(pdf.document.pagePointSize(page), paging.points);
        const QString text = pdf.text(page);
        EXPECT_TRUE(text.contains(QStringLiteral("%1 / %2").arg(page + 1).arg(paging.pages)));
        EXPECT_TRUE(text.contains(
            QStringLiteral("Duration %1 · 1920×1080 · 25 fps · Exported 2026-03-04")
                .arg(DurationCalculator::formatDuration(project.totalDurationSeconds()))))
            << text.toStdString();
        all += text;
    }
    for (const Scene &scene : project.scenes) {
        for (const QString &shown :
             {scene.clipName(), scene.voiceoverText, scene.onScreenText, scene.productionNote}) {
            EXPECT_TRUE(all.contains(shown)) << shown.toStdString();
        }
    }
    if (paging.scenes == 0)
        return; // no scene, no monospaced line
    // Each face used is embedded as a font program, not drawn as outlines.
    for (const char *face :
         {"VeskelCardSans-Regular", "VeskelCardSans-Bold", "VeskelCardMono-Medium"}) {
        EXPECT_TRUE(pdf.bytes.contains(face)) << face;
    }
    EXPECT_GE(pdf.bytes.count("/FontFile2"), 3);
}

INSTANTIATE_TEST_SUITE_P(Scenes,
                         StoryboardPages,
                         ::testing::Values(Paging{0, QPageSize::A4, 1, {842, 595}},
                                           Paging{6, QPageSize::Letter, 1, {792, 612}},
                                           Paging{7, QPageSize::A4, 2, {842, 595}},
                                           Paging{13, QPageSize::Letter, 3, {792, 612}}),
                         [](const auto &info) {
                             return std::to_string(info.param.scenes) + "ScenesOn"
                                    + (info.param.paper == QPageSize::A4 ? "A4" : "Letter");
                         });

// How much of the rendered first page is the reference picture's red.
int redPixels(QPdfDocument &document)
{
    const QImage page = document.render(0, QSize(842, 595)).convertToFormat(QImage::Format_RGB32);
    int red = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor pixel = page.pixelColor(x, y);
            red += pixel.red() > 200 && pixel.green() < 60 && pixel.blue() < 60;
        }
    }
    return red;
}

TEST(StoryboardPDF, DrawsTheReferencePictureDownscaledOrNamesTheTypeWithoutOne)
{
    QTemporaryDir references(test::sandboxRoot() + QStringLiteral("/refs-XXXXXX"));
    // Noise does not compress: only a downscaled copy keeps the file small.
    QImage picture(1000, 1000, QImage::Format_RGB32);
    QRandomGenerator noise(7);
    for (int y = 0; y < picture.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            line[x] = qRgb(220 + int(noise.bounded(36)), int(noise.bounded(40)), 0);
    }
    ASSERT_TRUE(picture.save(references.filePath(QStringLiteral("red.png"))));

    StoryboardProject project = projectWith(2);
    project.scenes[0].type = SceneType::imageReference;
    project.scenes[0].image = SceneImage{};
    project.scenes[0].image->localPath = QStringLiteral("red.png");
    project.scenes[0].image->mimeType = SceneImage::MimeType::png;
    const QDateTime date = QDateTime::currentDateTimeUtc();

    ReadBack drawn({project, references.path(), date});
    EXPECT_GT(redPixels(drawn.document), 5000);
    EXPECT_LT(drawn.bytes.size(), 100'000);
    EXPECT_FALSE(drawn.text(0).contains(QStringLiteral("Image / reference Scene")));

    project.scenes[0].image->localPath = QStringLiteral("gone.png");
    ReadBack missing({project, references.path(), date});
    EXPECT_EQ(redPixels(missing.document), 0);
    EXPECT_TRUE(missing.text(0).contains(QStringLiteral("Image / reference")));
}

TEST(StoryboardPDF, CutsTextsThatDoNotFitWithAnEllipsis)
{
    StoryboardProject project = projectWith(1);
    QStringList words;
    for (int i = 0; i < 600; ++i)
        words << QStringLiteral("word%1").arg(i);
    project.scenes[0].voiceoverText = words.join(u' ');
    project.scenes[0].title = QStringLiteral("A title far too long for one line of its cell, "
                                             "going on and on until the end");
    ReadBack pdf({project, {}, QDateTime::currentDateTimeUtc()});
    const QString text = pdf.text(0);
    EXPECT_TRUE(text.contains(QStringLiteral("word0 word1")));
    EXPECT_FALSE(text.contains(QStringLiteral("word599")));
    EXPECT_FALSE(text.contains(QStringLiteral("until the end")));
    EXPECT_EQ(text.count(u'…'), 2) << text.toStdString();
    // The note after the long voiceover keeps its place.
    EXPECT_TRUE(text.contains(QStringLiteral("Note 0")));
}

} // namespace
} // namespace veskel
