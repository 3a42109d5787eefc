#include "VeskelApp/Export/ExportViewModel.h"

#include "EditorTestSupport.h"
#include "ExportKit/StoryboardPDFWriter.h"
#include "ExportTestSupport.h"
#include "Support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QSignalSpy>
#include <QThread>

using namespace veskel;
using namespace veskel::test;

namespace {

using Kind = ExportPhase::Kind;

class ExportViewModelTest : public EditorFixture
{
protected:
    StoryboardProject project(const QString &script)
    {
        return editorProject = savedProject(script, QStringLiteral("Intro video"));
    }

    StoryboardProject editorProject;
};

TEST_F(ExportViewModelTest, TheGuidanceSpeaksTheInterfaceLanguage)
{
    InterfaceTranslation::apply(ResolvedLanguage::russian);
    ExportResult updated;
    updated.replacedExistingExport = true;
    EXPECT_EQ(ExportViewModel::guidance(updated),
              "Экспорт обновлён. Импортируйте тот же FCPXML в Final Cut Pro и выберите "
              "«Заменить».");
    EXPECT_EQ(ExportViewModel::guidance(ExportResult{}),
              "Первый экспорт готов. Импортируйте FCPXML в Final Cut Pro.");
}

// The storyboard is read by people, so its labels follow the interface language; the scene's
// own texts stay as written.
TEST_F(ExportViewModelTest, TheStoryboardSpeaksTheInterfaceLanguage)
{
    const StoryboardProject film = project(threeSceneScript());
    InterfaceTranslation::apply(ResolvedLanguage::russian);
    const auto bytes = StoryboardPDFWriter::write({film, {}, QDateTime::currentDateTimeUtc()});
    ASSERT_TRUE(bytes.has_value());
    QPdfDocument pdf;
    ASSERT_EQ(pdf.load(writeBytes(sandboxRoot() + "/russian-storyboard.pdf", *bytes)),
              QPdfDocument::Error::None);
    const QString text = pdf.getAllText(0).text().simplified();
    for (const char *russian :
         {"Длительность", "Экспорт от", "ГОЛОС ЗА КАДРОМ", "Пока без визуала"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(russian))) << russian;
    EXPECT_TRUE(text.contains(film.orderedScenes().first().clipName()));
}

TEST_F(ExportViewModelTest, ExportingRunsOffTheMainThreadAndReportsOnIt)
{
    const StoryboardProject film = project(threeSceneScript());
    ExportViewModel model;
    EXPECT_EQ(model.phase(), ExportPhase::review());
    QList<Kind> kinds;
    bool allOnMainThread = true;
    QObject::connect(&model, &ExportViewModel::phaseChanged, &model, [&] {
        kinds << model.phase().kind;
        allOnMainThread = allOnMainThread && QThread::currentThread() == qApp->thread();
    });
    QObject::connect(&model, &ExportViewModel::cardProgressChanged, &model, [&] {
        allOnMainThread = allOnMainThread && QThread::currentThread() == qApp->thread();
    });
    QSignalSpy succeeded(&model, &ExportViewModel::exportSucceeded);

    model.startExport(film, store);
    EXPECT_TRUE(model.isExporting());
    // A second start while the first runs is ignored.
    model.startExport(film, store);
    waitForExport(model);

    EXPECT_EQ(kinds, QList<Kind>({Kind::exporting, Kind::success}));
    EXPECT_TRUE(allOnMainThread);
    EXPECT_EQ(succeeded.count(), 1);
    EXPECT_EQ(model.renderedCards(), 3);
    EXPECT_EQ(model.totalCards(), 3);
    const ExportResult &result = model.phase().result;
    EXPECT_EQ(QFileInfo(result.exportFolderPath).fileName(), "intro-video_fcp");
    EXPECT_TRUE(QFileInfo::exists(result.exportFolderPath + "/Media/S003.png"));
    EXPECT_EQ(ExportViewModel::guidance(result),
              "First export is ready. Import the FCPXML into Final Cut Pro.");
}

TEST_F(ExportViewModelTest, AMissingPackageFailsAtOnceAndRetryRunsAgain)
{
    const StoryboardProject film = project(threeSceneScript());
    const QString package = *store.packagePath(film);
    ASSERT_TRUE(QDir().rename(package, dir.path() + "/away"));

    ExportViewModel model;
    model.startExport(film, store);
    EXPECT_EQ(model.phase(), ExportPhase::failure("Project not found: Intro video."));

    ASSERT_TRUE(QDir().rename(dir.path() + "/away", package));
    model.retry();
    EXPECT_TRUE(model.isExporting());
    waitForExport(model);
    EXPECT_EQ(model.phase().kind, Kind::success);
}

} // namespace
