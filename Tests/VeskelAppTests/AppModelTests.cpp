#include "VeskelApp/AppModel.h"

#include "EditorTestSupport.h"

#include "VeskelApp/Library/ProjectLibraryWatcher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

using namespace veskel;
using namespace veskel::test;

namespace {

// The editor fixture's folder, store, clock and English interface, with the model over them.
class AppModelTest : public EditorFixture
{
protected:
    ProjectSummary row(const QString &title) const
    {
        for (const ProjectSummary &summary : model.projects()) {
            if (summary.title == title)
                return summary;
        }
        ADD_FAILURE() << "no row " << title.toStdString();
        return {};
    }

    ProjectSummary created(const QString &title)
    {
        model.createProject(title, VideoSettings::FormatPreset::horizontalHD);
        EXPECT_FALSE(model.errorMessage()) << model.errorMessage()->toStdString();
        return row(title);
    }

    AppModel model{store};
};

TEST_F(AppModelTest, ACreatedProjectIsOpenAndListed)
{
    QSignalSpy opened(&model, &AppModel::selectedProjectChanged);
    const ProjectSummary summary = created("Intro video");
    ASSERT_TRUE(model.selectedProject());
    const StoryboardProject &project = *model.selectedProject();
    EXPECT_EQ(project.title, "Intro video");
    EXPECT_EQ(project.videoSettings, (VideoSettings{1920, 1080, 25, {}, 5.0}));
    EXPECT_EQ(summary.id, project.id);
    EXPECT_EQ(QFileInfo(summary.packagePath).fileName(), "intro-video.veskel");
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(model.editorIdentity(), project.id + "-" + model.editorReloadToken());
}

TEST_F(AppModelTest, RenamingToBlankOrTheSameTitleTouchesNothing)
{
    const ProjectSummary summary = created("Intro video");
    const QString file = summary.packagePath + "/project.json";
    const QByteArray before = readBytes(file);
    QSignalSpy listChanges(&model, &AppModel::projectsChanged);
    model.renameProject(summary, "   ");
    model.renameProject(summary, " Intro video ");
    // The store would have refused a blank title with an error and restamped the file.
    EXPECT_FALSE(model.errorMessage());
    EXPECT_EQ(readBytes(file), before);
    EXPECT_EQ(listChanges.count(), 0);
}

// The export sheet's option for a project exported from its row, not open in an editor.
TEST_F(AppModelTest, TheAnimaticOptionOfAClosedProjectIsSavedIntoItsPackage)
{
    const ProjectSummary closed = created("Intro video");
    created("Outro video");
    model.setIncludeAnimatic(closed, true);
    EXPECT_FALSE(model.errorMessage());
    EXPECT_TRUE(store.loadProject(closed.packagePath)->exportSettings.includeAnimatic);
    const QByteArray saved = readBytes(closed.packagePath + "/project.json");
    model.setIncludeAnimatic(closed, true);
    EXPECT_EQ(readBytes(closed.packagePath + "/project.json"), saved);
}

TEST_F(AppModelTest, RenamingTheOpenProjectReachesItsEditor)
{
    const ProjectSummary summary = created("Intro video");
    ProjectEditorViewModel editor(*model.selectedProject(), store, model.editorCallback(),
                                  &scheduler);
    QObject::connect(&model, &AppModel::openProjectRenamed, &editor,
                     &ProjectEditorViewModel::adoptRenamedProject);

    editor.applyDocumentText("# Opening\n\nHello.");
    model.renameProject(summary, "Outro video");
    EXPECT_EQ(model.selectedProject()->title, "Outro video");
    EXPECT_EQ(editor.project().title, "Outro video");
    // The pending save goes to the renamed package and keeps the new title.
    scheduler.advance(450);
    const ProjectSummary renamed = row("Outro video");
    EXPECT_EQ(QFileInfo(renamed.packagePath).fileName(), "outro-video.veskel");
    EXPECT_EQ(store.loadProject(renamed.packagePath)->title, "Outro video");
    EXPECT_EQ(renamed.sceneCount, 1);
    EXPECT_FALSE(editor.canUndo());
}

// Reading the open project's file from the sidebar would count an outside change as seen, and
// the editor's next save would replace it.
TEST_F(AppModelTest, SidebarCommandsOnTheOpenProjectLeaveAnOutsideChangeUnseen)
{
    const ProjectSummary summary = created("Film");
    const StoryboardProject film = *model.selectedProject();
    LocalProjectStore other(store.rootDirectory(), std::make_shared<KnownPackages>());
    StoryboardProject outside = other.loadProject(summary.packagePath).value();
    outside.title = "Changed outside";
    ASSERT_TRUE(other.saveProject(outside).has_value());

    ASSERT_TRUE(model.loadProjectForExport(summary));
    model.duplicateProject(summary);
    EXPECT_TRUE(store.changedOutside(film));
    EXPECT_EQ(store.saveProject(film).error().kind, ProjectStoreError::Kind::changedOutside);
}

TEST_F(AppModelTest, DeletingTheOpenProjectClosesItFirst)
{
    const ProjectSummary summary = created("Intro video");
    std::optional<bool> packageExistedWhenClosed;
    QObject::connect(&model, &AppModel::selectedProjectChanged, &model, [&] {
        if (!model.selectedProject())
            packageExistedWhenClosed = QFileInfo::exists(summary.packagePath);
    });
    model.deleteProject(summary);
    EXPECT_EQ(packageExistedWhenClosed, true);
    EXPECT_FALSE(model.selectedProject());
    EXPECT_FALSE(QFileInfo::exists(summary.packagePath));
    EXPECT_TRUE(model.projects().isEmpty());
    EXPECT_FALSE(model.errorMessage());
}

TEST_F(AppModelTest, ADeletionTakenBackReopensTheProject)
{
    const ProjectSummary summary = created("Intro video");
    model.deleteProject(summary);
    ASSERT_TRUE(model.lastDeletion().has_value());
    model.undoDeletion();
    EXPECT_FALSE(model.lastDeletion().has_value());
    ASSERT_TRUE(model.selectedProject().has_value());
    EXPECT_EQ(model.selectedProject()->id, summary.id);
    EXPECT_EQ(model.projects().size(), 1);
    // Nothing to take back twice.
    model.undoDeletion();
    EXPECT_FALSE(model.errorMessage());
}

TEST_F(AppModelTest, AFailedDeletionStillClosesTheProjectAndReports)
{
    const ProjectSummary summary = created("Intro video");
    ASSERT_TRUE(QDir(summary.packagePath).removeRecursively());
    model.deleteProject(summary);
    EXPECT_FALSE(model.selectedProject());
    EXPECT_EQ(model.errorMessage(), "Project not found: intro-video.veskel.");
}

TEST_F(AppModelTest, AnOpenProjectGoneFromDiskClosesAtTheNextRefresh)
{
    const ProjectSummary summary = created("Intro video");
    created("Other");
    model.openProject(summary);
    ASSERT_TRUE(QDir(summary.packagePath).removeRecursively());
    model.refreshProjects();
    EXPECT_FALSE(model.selectedProject());
    EXPECT_EQ(model.projects().size(), 1);
}

TEST_F(AppModelTest, FailuresReportTheStoreMessageAndSuccessClearsIt)
{
    const ProjectSummary summary = created("Intro video");
    ProjectSummary gone = summary;
    gone.packagePath = dir.path() + "/Projects/gone.veskel";
    model.openProject(gone);
    EXPECT_EQ(model.errorMessage(), "Could not read project.json: gone.veskel.");
    EXPECT_EQ(model.selectedProject()->id, summary.id);

    model.createFolder("a/b");
    EXPECT_EQ(model.errorMessage(), "Could not save project: Folder name is not allowed: a/b..");
    model.openProject(summary);
    EXPECT_FALSE(model.errorMessage());
}

TEST_F(AppModelTest, ProjectsMoveBetweenFolders)
{
    const ProjectSummary summary = created("Intro video");
    model.createFolder("Clients");
    EXPECT_EQ(model.folders(), QStringList({"Clients"}));
    model.moveProject(summary, QStringLiteral("Clients"));
    EXPECT_EQ(row("Intro video").folderName, "Clients");
    model.renameFolder("Clients", "Archive");
    EXPECT_EQ(row("Intro video").folderName, "Archive");
    model.moveProject(row("Intro video"), std::nullopt);
    EXPECT_EQ(row("Intro video").folderName, std::nullopt);
    model.deleteFolder("Archive");
    EXPECT_TRUE(model.folders().isEmpty());
    EXPECT_FALSE(model.errorMessage());
    // Still open: moving never closes the editor.
    EXPECT_EQ(model.selectedProject()->id, summary.id);
}

TEST_F(AppModelTest, ASaveUpdatesItsOwnRowWithoutReadingAnyOtherProject)
{
    created("Other");
    created("Intro video");
    // Changed on disk behind the model's back: a listing would show the new title.
    LocalProjectStore outside(store.rootDirectory());
    StoryboardProject other = *outside.loadProject(row("Other").packagePath);
    other.title = "Changed outside";
    ASSERT_TRUE(outside.saveProject(other));

    QSignalSpy whole(&model, &AppModel::projectsChanged);
    QSignalSpy single(&model, &AppModel::projectSummaryChanged);
    ProjectEditorViewModel editor(*model.selectedProject(), store, model.editorCallback(),
                                  &scheduler);
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    editor.applyDocumentText("# One\n\n" + words(140) + "\n\n# Two\n\nShort.\n\n> "
                             + QString(300, u'x'));
    scheduler.advance(450);

    EXPECT_EQ(whole.count(), 0);
    ASSERT_EQ(single.count(), 1);
    EXPECT_EQ(single.at(0).at(0).toString(), model.selectedProject()->id);
    EXPECT_EQ(row("Other").title, "Other");
    EXPECT_EQ(model.selectedProject()->scenes.size(), 2);

    // The row is what a listing of the folder says about the saved project.
    ProjectSummary saved = row("Intro video");
    EXPECT_GE(saved.updatedAt, before);
    const auto listed = store.listProjects();
    const auto fromDisk = std::find_if(listed->cbegin(), listed->cend(),
                                       [&](const ProjectSummary &s) { return s.id == saved.id; });
    ASSERT_NE(fromDisk, listed->cend());
    saved.updatedAt = fromDisk->updatedAt;
    EXPECT_EQ(saved, *fromDisk);
}

TEST_F(AppModelTest, ABackgroundListingKeepsASaveMadeWhileItRead)
{
    created("Other");
    const ProjectSummary intro = created("Intro video");
    model.readInBackground();
    QSignalSpy whole(&model, &AppModel::projectsChanged);
    model.refreshProjects();
    EXPECT_TRUE(model.isReading());
    // Only told, never written: the listing cannot have read it.
    StoryboardProject edited = *model.selectedProject();
    edited.title = "Saved meanwhile";
    model.projectDidChange(edited);
    QTRY_VERIFY(!model.isReading());
    EXPECT_EQ(model.summary(intro.id)->title, "Saved meanwhile");
    EXPECT_EQ(model.summary(intro.id)->packagePath, intro.packagePath);
    EXPECT_EQ(model.projects().size(), 2);
}

TEST_F(AppModelTest, ChangesMadeOutsideAppearOnceTheWatcherHasSettled)
{
    created("Intro video");
    model.createFolder("Clients");
    model.followLibraryChanges(&scheduler);
    EXPECT_TRUE(model.libraryWatcher()->watchedDirectories().contains(
        QDir(store.rootDirectory()).absoluteFilePath("Clients")));

    LocalProjectStore outside(store.rootDirectory());
    ASSERT_TRUE(
        outside.createProject("From the command line",
                              VideoSettings::preset(VideoSettings::FormatPreset::vertical4k, 25)));
    QTRY_COMPARE(scheduler.pendingCount(), 1);
    EXPECT_EQ(model.projects().size(), 1);
    scheduler.advance(ProjectLibraryWatcher::coalesceMs);
    EXPECT_EQ(model.projects().size(), 2);
    EXPECT_EQ(row("From the command line").sceneCount, 0);
}

TEST_F(AppModelTest, APackageNamedAtStartOpensOnlyFromTheProjectsFolder)
{
    const ProjectSummary other = created("Other");
    AppModel fresh(store);
    fresh.openPackage(other.packagePath + "/");
    ASSERT_TRUE(fresh.selectedProject());
    EXPECT_EQ(fresh.selectedProject()->id, other.id);

    // A copy elsewhere could never be saved back.
    const QString elsewhere = dir.path() + "/elsewhere.veskel";
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    ASSERT_TRUE(QFile::copy(other.packagePath + "/project.json", elsewhere + "/project.json"));
    AppModel outsider(store);
    outsider.openPackage(elsewhere);
    EXPECT_FALSE(outsider.selectedProject());
    ASSERT_TRUE(outsider.errorMessage());
    EXPECT_TRUE(outsider.errorMessage()->contains("elsewhere.veskel"));
}

TEST_F(AppModelTest, AReplacedEditorsLastSaveDoesNotReopenItsProject)
{
    const ProjectSummary first = created("First");
    auto editor = std::make_unique<ProjectEditorViewModel>(*model.selectedProject(), store,
                                                           model.editorCallback(), &scheduler);
    editor->applyDocumentText("# Late\n\nEdit.");
    const ProjectSummary second = created("Second");
    // The window drops the old editor only after the new project is open.
    editor.reset();
    EXPECT_EQ(model.selectedProject()->id, second.id);
    EXPECT_EQ(row("First").sceneCount, 1);
    EXPECT_EQ(first.sceneCount, 0);
}

} // namespace
