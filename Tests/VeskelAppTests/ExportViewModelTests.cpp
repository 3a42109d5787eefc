#include "VeskelApp/Export/ExportReview.h"
#include "VeskelApp/Export/ExportViewModel.h"

#include "EditorTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSignalSpy>
#include <QThread>

using namespace veskel;
using namespace veskel::test;

namespace {

using Kind = ExportPhase::Kind;

// Runs the event loop until the export has left the exporting phase.
void waitForExport(ExportViewModel &model)
{
    QSignalSpy phases(&model, &ExportViewModel::phaseChanged);
    QElapsedTimer clock;
    clock.start();
    while (model.isExporting() && clock.elapsed() < 60000)
        phases.wait(200);
    ASSERT_FALSE(model.isExporting()) << "the export did not finish";
}

class ExportViewModelTest : public EditorFixture
{
protected:
    StoryboardProject project(const QString &script)
    {
        return editorProject = savedProject(script, QStringLiteral("Intro video"));
    }

    StoryboardProject editorProject;
};

TEST_F(ExportViewModelTest, ABlankTitleBlocksTheExport)
{
    StoryboardProject untitled = project(threeSceneScript());
    untitled.title = QString();
    const ExportReview review = ExportReview::of(untitled);
    EXPECT_EQ(review.blockingIssues, QStringList({"The project has no title."}));
    EXPECT_FALSE(review.canExport());
}

TEST_F(ExportViewModelTest, ALongSlideTextIsOnlyAWarning)
{
    StoryboardProject longSlide = project("# Intro\n\n> " + QString(300, u'x') + "\n");
    const ExportReview review = ExportReview::of(longSlide);
    EXPECT_TRUE(review.blockingIssues.isEmpty());
    EXPECT_EQ(review.warnings, QStringList({"S001 Intro: on-screen text is too long (300/280)."}));
    EXPECT_TRUE(review.canExport());
}

TEST_F(ExportViewModelTest, TheReviewSpeaksTheInterfaceLanguageButKeepsNamesAsTheyAre)
{
    const StoryboardProject film = project(threeSceneScript());
    const ExportReview english = ExportReview::of(film);
    EXPECT_EQ(english.summary,
              (QList<ExportReview::Row>{{"Scenes", "3 scenes"},
                                        {"Duration", "00:06"},
                                        {"Format", "1920×1080 / 25 fps"},
                                        {"Target", "Final Cut Pro / FCPXML 1.14"}}));
    EXPECT_EQ(english.files.at(1),
              (ExportReview::File{"photo.stack", "3 scenes → PNG cards in Media/"}));

    InterfaceTranslation::apply(ResolvedLanguage::russian);
    const ExportReview russian = ExportReview::of(film);
    EXPECT_EQ(russian.summary,
              (QList<ExportReview::Row>{{"Сцены", "3 сцены"},
                                        {"Длительность", "00:06"},
                                        {"Формат", "1920×1080 / 25 fps"},
                                        {"Target", "Final Cut Pro / FCPXML 1.14"}}));
    QStringList texts;
    for (const ExportReview::File &file : russian.files)
        texts << file.text;
    EXPECT_EQ(texts, QStringList({"FCPXML для импорта в Final Cut Pro",
                                  "3 сцены → PNG-карточки в Media/", "shot-list.md — шот-лист",
                                  "scenes.csv — список сцен", "JSON-бэкап проекта"}));
    ExportResult updated;
    updated.replacedExistingExport = true;
    EXPECT_EQ(ExportViewModel::guidance(updated),
              "Экспорт обновлён. Импортируйте тот же FCPXML в Final Cut Pro и выберите "
              "«Заменить».");
    EXPECT_EQ(ExportViewModel::guidance(ExportResult{}),
              "Первый экспорт готов. Импортируйте FCPXML в Final Cut Pro.");
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
    QSignalSpy succeeded(&model, &ExportViewModel::exportSucceeded);

    model.startExport(film, store);
    EXPECT_TRUE(model.isExporting());
    // A second start while the first runs is ignored.
    model.startExport(film, store);
    waitForExport(model);

    EXPECT_EQ(kinds, QList<Kind>({Kind::exporting, Kind::success}));
    EXPECT_TRUE(allOnMainThread);
    EXPECT_EQ(succeeded.count(), 1);
    const ExportResult &result = model.phase().result;
    EXPECT_EQ(QFileInfo(result.exportFolderURL).fileName(), "intro-video_fcp");
    EXPECT_TRUE(QFileInfo::exists(result.exportFolderURL + "/Media/S003.png"));
    EXPECT_EQ(ExportViewModel::guidance(result),
              "First export is ready. Import the FCPXML into Final Cut Pro.");

    ExportViewModel again;
    again.startExport(film, store);
    waitForExport(again);
    ASSERT_EQ(again.phase().kind, Kind::success);
    EXPECT_EQ(ExportViewModel::guidance(again.phase().result),
              "Export updated. Import the same FCPXML into Final Cut Pro and choose "
              "\u201CReplace\u201D.");
}

TEST_F(ExportViewModelTest, AProjectWithoutScenesFailsInTheFCPXMLStep)
{
    const StoryboardProject empty = project(QString());
    ASSERT_TRUE(ExportReview::of(empty).canExport());
    ExportViewModel model;
    model.startExport(empty, store);
    waitForExport(model);
    EXPECT_EQ(model.phase(), ExportPhase::failure("Could not write FCPXML: emptyProject"));
}

TEST_F(ExportViewModelTest, AMissingPackageFailsAtOnceAndRetryRunsAgain)
{
    const StoryboardProject film = project(threeSceneScript());
    const QString package = *store.packageURL(film);
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

TEST(ExportPhase, CasesAreOrderedSuccessFailureReviewExporting)
{
    EXPECT_LT(ExportPhase::success({}), ExportPhase::failure("x"));
    EXPECT_LT(ExportPhase::failure("z"), ExportPhase::review());
    EXPECT_LT(ExportPhase::review(), ExportPhase::exporting());
    EXPECT_LT(ExportPhase::failure("a"), ExportPhase::failure("b"));
}

} // namespace
