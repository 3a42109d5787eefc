#include "VeskelApp/Export/ExportFailureView.h"
#include "VeskelApp/Export/ExportProgressView.h"
#include "VeskelApp/Export/ExportReviewView.h"
#include "VeskelApp/Export/ExportSheet.h"
#include "VeskelApp/Export/ExportSuccessView.h"
#include "VeskelApp/Export/ExportViewModel.h"
#include "VeskelApp/Widgets/NoticeBox.h"

#include "EditorTestSupport.h"
#include "ExportTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace veskel::test {
namespace {

using Kind = ExportPhase::Kind;

QStringList boxLines(const NoticeBox *box)
{
    return box ? box->lines() : QStringList();
}

QStringList labelTexts(const QWidget *widget)
{
    QStringList texts;
    for (const QLabel *label : widget->findChildren<QLabel *>()) {
        if (!label->text().isEmpty())
            texts << label->text();
    }
    return texts;
}

class ExportSheetTest : public EditorFixture
{
protected:
    std::unique_ptr<ExportSheet> openSheet(const StoryboardProject &project)
    {
        auto sheet = std::make_unique<ExportSheet>(
            project, store,
            DesktopActions{[this](const QString &path, const std::function<void()> &failed) {
                               revealed << path;
                               if (desktopFails)
                                   failed();
                           },
                           [this](const QString &path, const std::function<void()> &failed) {
                               opened << path;
                               if (desktopFails)
                                   failed();
                           }});
        sheet->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(sheet.get()));
        return sheet;
    }

    static void waitForExport(ExportSheet &sheet)
    {
        test::waitForExport(*sheet.viewModel());
        // The screen of the new phase settles.
        QCoreApplication::processEvents();
    }

    template<typename Screen>
    static Screen *screen(const ExportSheet &sheet)
    {
        auto *shown = qobject_cast<Screen *>(sheet.screen());
        EXPECT_NE(shown, nullptr) << "shown: " << sheet.screen()->objectName().toStdString();
        return shown;
    }

    QStringList revealed;
    QStringList opened;
    bool desktopFails = false;
};

struct ReviewCase
{
    const char *name;
    QString title;
    QString script;
    QStringList blocking;
    QStringList warnings;
};

class ExportReviewBoxes : public ExportSheetTest, public ::testing::WithParamInterface<ReviewCase>
{
};

// Errors go into the red box and switch Export off; warnings into the orange one and leave it
// on; a clean project shows neither.
TEST_P(ExportReviewBoxes, ShowFindingsAndGateTheExport)
{
    const ReviewCase &c = GetParam();
    StoryboardProject project = savedProject(c.script);
    project.title = c.title;
    auto sheet = openSheet(project);
    auto *review = screen<ExportReviewView>(*sheet);
    ASSERT_NE(review, nullptr);
    EXPECT_EQ(boxLines(review->blockingBox()), c.blocking);
    EXPECT_EQ(boxLines(review->warningBox()), c.warnings);
    EXPECT_EQ(review->exportButton()->isEnabled(), c.blocking.isEmpty());

    QTest::keyClick(sheet.get(), Qt::Key_Return);
    EXPECT_EQ(sheet->viewModel()->isExporting(), c.blocking.isEmpty());
    waitForExport(*sheet);
}

INSTANTIATE_TEST_SUITE_P(
    Findings,
    ExportReviewBoxes,
    ::testing::Values(
        ReviewCase{"emptyTitle", " ", threeSceneScript(), {"The project has no title."}, {}},
        ReviewCase{"longSlideText",
                   "Film",
                   "# Intro\n\n> " + QString(300, u'x') + "\n",
                   {},
                   {"S001 Intro: on-screen text is too long (300/280)."}},
        ReviewCase{"noScenes",
                   "Film",
                   QString(),
                   {"No scenes in the project: start one with a line \u201C# Title\u201D."},
                   {}},
        ReviewCase{"clean", "Film", threeSceneScript(), {}, {}}),
    [](const auto &info) { return std::string(info.param.name); });

// The check box goes to the owner and into this export; the animatic counts its frames after the
// cards, and Cancel (taken before the animatic starts) ends the export with a sentence that says
// so, the previous animatic kept.
TEST_F(ExportSheetTest, TheAnimaticOptionExportsItAndCancelStopsIt)
{
    const StoryboardProject film = savedProject(threeSceneScript(), "Intro video");
    auto sheet = openSheet(film);
    QSignalSpy kept(sheet.get(), &ExportSheet::includeAnimaticChanged);
    auto *review = screen<ExportReviewView>(*sheet);
    ASSERT_NE(review, nullptr);
    EXPECT_FALSE(review->animaticBox()->isChecked());
    review->animaticBox()->click();
    EXPECT_EQ(kept.size(), 1);
    EXPECT_TRUE(kept.value(0).value(0).toBool());

    QTest::keyClick(sheet.get(), Qt::Key_Return);
    auto *progress = screen<ExportProgressView>(*sheet);
    ASSERT_NE(progress, nullptr);
    QString shown;
    QObject::connect(sheet->viewModel(), &ExportViewModel::animaticProgressChanged, progress,
                     [&] { shown = progress->progressBar()->text(); });
    waitForExport(*sheet);
    const QString animatic = sheet->viewModel()->phase().result.animaticPath;
    ASSERT_TRUE(QFileInfo::exists(animatic));
    const qint64 frames = sheet->viewModel()->totalAnimaticFrames();
    EXPECT_EQ(shown, QString("Writing the animatic: frame %1 of %1").arg(frames));
    const QByteArray previous = readBytes(animatic);

    auto again = openSheet(sheet->project());
    QTest::keyClick(again.get(), Qt::Key_Return);
    auto *cancel = screen<ExportProgressView>(*again)->cancelButton();
    ASSERT_TRUE(cancel->isVisibleTo(again.get()));
    cancel->click();
    waitForExport(*again);
    ASSERT_NE(screen<ExportFailureView>(*again), nullptr);
    EXPECT_EQ(again->viewModel()->phase().message, ExportError::cancelled().description());
    EXPECT_EQ(readBytes(animatic), previous);
}

TEST_F(ExportSheetTest, ExportingTwiceCountsCardsThenTellsFirstAndUpdated)
{
    const StoryboardProject film = savedProject(threeSceneScript(), "Intro video");
    auto sheet = openSheet(film);
    QTest::keyClick(sheet.get(), Qt::Key_Return);
    auto *progress = screen<ExportProgressView>(*sheet);
    ASSERT_NE(progress, nullptr);
    // Connected after the screen's own update, so each text is the one just shown.
    QStringList progressTexts;
    QObject::connect(sheet->viewModel(), &ExportViewModel::cardProgressChanged, progress,
                     [&] { progressTexts << progress->progressBar()->text(); });
    waitForExport(*sheet);
    EXPECT_EQ(progressTexts.value(progressTexts.size() - 1), "Rendering cards: 3 of 3");

    auto *success = screen<ExportSuccessView>(*sheet);
    ASSERT_NE(success, nullptr);
    const ExportResult result = sheet->viewModel()->phase().result;
    EXPECT_TRUE(labelTexts(success).contains("Folder: " + result.exportFolderPath));
    EXPECT_TRUE(labelTexts(success).contains(
        "First export is ready. Import the FCPXML into Final Cut Pro."));

    success->copyPathButton()->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), result.exportFolderPath);
    EXPECT_EQ(success->copyPathButton()->text(), "Path copied");
    EXPECT_FALSE(success->desktopProblem()->isVisibleTo(success));
    success->revealButton()->click();
    success->openButton()->click();
    EXPECT_EQ(revealed, QStringList{result.exportFolderPath});
    EXPECT_EQ(opened, QStringList{result.fcpxmlPath});
    QTest::keyClick(sheet.get(), Qt::Key_Return);
    EXPECT_EQ(sheet->result(), QDialog::Accepted);
    EXPECT_FALSE(sheet->isVisible());

    auto again = openSheet(film);
    QTest::keyClick(again.get(), Qt::Key_Return);
    waitForExport(*again);
    ASSERT_NE(screen<ExportSuccessView>(*again), nullptr);
    EXPECT_TRUE(labelTexts(again->screen())
                    .contains("Export updated. Import the same FCPXML into Final Cut Pro and "
                              "choose \u201CReplace\u201D."));
}

// A desktop without a file manager or an application for FCPXML is named in the sheet, with the
// path to go to by hand.
TEST_F(ExportSheetTest, WhatTheDesktopCannotDoIsSaidInTheSheet)
{
    desktopFails = true;
    auto sheet = openSheet(savedProject(threeSceneScript(), "Film"));
    QTest::keyClick(sheet.get(), Qt::Key_Return);
    waitForExport(*sheet);
    auto *success = screen<ExportSuccessView>(*sheet);
    ASSERT_NE(success, nullptr);
    const ExportResult result = sheet->viewModel()->phase().result;
    success->revealButton()->click();
    EXPECT_TRUE(success->desktopProblem()->isVisibleTo(success));
    EXPECT_TRUE(success->desktopProblem()->text().endsWith(result.exportFolderPath));
    success->openButton()->click();
    EXPECT_TRUE(success->desktopProblem()->text().endsWith(result.fcpxmlPath));
}

TEST_F(ExportSheetTest, AFailedExportRetriesWhileTheSheetStays)
{
    const StoryboardProject film = savedProject(threeSceneScript());
    // A file where the Exports folder goes.
    const QString exports = store.packagePath(film).value() + QStringLiteral("/Exports");
    ASSERT_TRUE(QDir(exports).removeRecursively());
    writeBytes(exports, {});
    auto sheet = openSheet(film);
    screen<ExportReviewView>(*sheet)->exportButton()->click();
    // Escape cannot close the sheet under a running export.
    QTest::keyClick(sheet.get(), Qt::Key_Escape);
    EXPECT_TRUE(sheet->isVisible());
    waitForExport(*sheet);

    auto *failure = screen<ExportFailureView>(*sheet);
    ASSERT_NE(failure, nullptr);
    EXPECT_TRUE(labelTexts(failure).contains("The project Exports folder is not accessible. Check "
                                             "that the project's folder can be written, then "
                                             "export again."));
    failure->retryButton()->click();
    EXPECT_EQ(sheet->viewModel()->phase().kind, Kind::exporting);
    EXPECT_NE(qobject_cast<ExportProgressView *>(sheet->screen()), nullptr);
    waitForExport(*sheet);
    screen<ExportFailureView>(*sheet)->closeButton()->click();
    EXPECT_FALSE(sheet->isVisible());
}

TEST_F(ExportSheetTest, RussianSheetKeepsTargetAndFileNames)
{
    InterfaceTranslation::apply(ResolvedLanguage::russian);
    StoryboardProject untitled = savedProject(threeSceneScript());
    untitled.title.clear();
    auto sheet = openSheet(untitled);
    auto *review = screen<ExportReviewView>(*sheet);
    ASSERT_NE(review, nullptr);
    const QStringList texts = labelTexts(sheet.get());
    for (const char *expected : {"3 сцены", "1920×1080 / 25 fps", "Final Cut Pro / FCPXML 1.14",
                                 "3 сцены → PNG-карточки в Media/", "shot-list.md — шот-лист",
                                 "storyboard.pdf — раскадровка для согласования"}) {
        EXPECT_TRUE(texts.contains(QString::fromUtf8(expected))) << expected;
    }
    EXPECT_EQ(boxLines(review->blockingBox()), QStringList{"У проекта нет названия."});
}

// The Russian success screen needs a wider sheet; it widens to both sides, staying centred.
TEST_F(ExportSheetTest, RussianSuccessButtonsShowWholeLabelsInASheetStillCentred)
{
    InterfaceTranslation::apply(ResolvedLanguage::russian);
    auto sheet = openSheet(savedProject(threeSceneScript(), "Film"));
    const int centre = sheet->geometry().center().x();
    QTest::keyClick(sheet.get(), Qt::Key_Return);
    waitForExport(*sheet);
    auto *success = screen<ExportSuccessView>(*sheet);
    ASSERT_NE(success, nullptr);
    QApplication::processEvents();
    for (const QPushButton *button : success->findChildren<QPushButton *>())
        EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
    EXPECT_GT(sheet->width(), ExportSheet::sheetWidth);
    EXPECT_NEAR(sheet->geometry().center().x(), centre, 1);
}

} // namespace
} // namespace veskel::test
