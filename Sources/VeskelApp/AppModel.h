#pragma once

#include "StoryboardCore/Models/ProjectSummary.h"
#include "StoryboardCore/Models/StoryboardProject.h"
#include "StoryboardCore/Models/VideoSettings.h"
#include "StoryboardCore/Protocols/ProjectStore.h"
#include "VeskelApp/Library/ProjectLibraryReader.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace veskel {

class EditorScheduler;
class ProjectLibraryWatcher;

// The application-wide state: the project list and sidebar folders as the store reports them,
// the project open in the editor and the last error. Every project-level command goes through
// here: it calls the store, then reloads the list from disk. A failure sets `errorMessage` and
// leaves lists and selection as they were; a success clears it. Main thread only.
//
// A save of the open project changes its own row only, from the project in memory. The window
// reads the lists on a worker thread (readInBackground) and follows changes made outside it
// (followLibraryChanges); without those, tests and tools get every reload at once.
class AppModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QList<veskel::ProjectSummary> projects READ projects NOTIFY projectsChanged)
    Q_PROPERTY(QStringList folders READ folders NOTIFY foldersChanged)
    Q_PROPERTY(std::optional<veskel::StoryboardProject> selectedProject READ selectedProject NOTIFY
                   selectedProjectChanged)
    Q_PROPERTY(std::optional<QString> errorMessage READ errorMessage NOTIFY errorMessageChanged)
    Q_PROPERTY(bool showNewProjectSheet READ showNewProjectSheet WRITE setShowNewProjectSheet NOTIFY
                   showNewProjectSheetChanged)
    Q_PROPERTY(QString editorReloadToken READ editorReloadToken CONSTANT)

public:
    // The store (not owned) must outlive the model. Nothing is read until refreshProjects().
    explicit AppModel(ProjectStore &store, QObject *parent = nullptr);

    const QList<ProjectSummary> &projects() const { return m_projects; }
    const QStringList &folders() const { return m_folders; }
    const std::optional<StoryboardProject> &selectedProject() const { return m_selectedProject; }
    const std::optional<QString> &errorMessage() const { return m_errorMessage; }
    bool showNewProjectSheet() const { return m_showNewProjectSheet; }
    void setShowNewProjectSheet(bool show);
    // Set once at creation: part of the editor's identity with the open project's id.
    const QString &editorReloadToken() const { return m_editorReloadToken; }
    ProjectStore &store() const { return *m_store; }

    // The open editor's identity: a change means a new editor with a new view model.
    std::optional<QString> editorIdentity() const;
    std::optional<ProjectSummary> summary(const QString &projectID) const;

    // Reloads both lists from disk: at once, or on a worker thread after readInBackground().
    void refreshProjects();
    void readInBackground();
    bool isReading() const { return m_reader && m_reader->isReading(); }
    // Whether the lists have been read at least once: before, an empty list means nothing.
    bool hasListed() const { return m_listed; }
    // Changes to the projects folder from outside reload the lists; without a scheduler the
    // coalescing delay runs on a timer.
    void followLibraryChanges(EditorScheduler *scheduler = nullptr);
    ProjectLibraryWatcher *libraryWatcher() const { return m_watcher; }

    void openProject(const ProjectSummary &summary);
    // A package folder named at start; a failure sets errorMessage.
    void openPackage(const QString &packagePath);
    void createProject(const QString &title,
                       VideoSettings::FormatPreset format,
                       int wordsPerMinute = VideoSettings::defaultWordsPerMinute);
    void duplicateProject(const ProjectSummary &summary);
    // An empty (after trimming) or unchanged title is ignored without calling the store.
    void renameProject(const ProjectSummary &summary, const QString &newTitle);
    // Closes the project first when it is the open one.
    void deleteProject(const ProjectSummary &summary);
    // The last deletion while it can still be taken back (the sidebar's "Moved to Trash").
    const std::optional<TrashedProject> &lastDeletion() const { return m_lastDeletion; }
    // The package comes back from the Trash, and opens again if it was open; a failure sets
    // errorMessage.
    void undoDeletion();
    // The offer to take it back is over; the project stays in the Trash.
    void forgetDeletion();
    // Into the folder, or the root without one.
    void moveProject(const ProjectSummary &summary, const std::optional<QString> &folder);
    void createFolder(const QString &name);
    void renameFolder(const QString &name, const QString &newName);
    void deleteFolder(const QString &name);

    // The editor saved its project (or changed its images): the row follows, and so does
    // `selectedProject` while that project is the open one.
    void projectDidChange(const StoryboardProject &project);
    // What the editor is created with as its onProjectChanged.
    std::function<void(const StoryboardProject &)> editorCallback();

    // --- for the window ---------------------------------------------------------------------
    // The placeholder's offer on a first start: installs the sample project unless one is
    // listed already, then opens it.
    void openSampleProject();
    // A sidebar row's export works on the project as stored in its package; a failure to read
    // it sets errorMessage.
    std::optional<StoryboardProject> loadProjectForExport(const ProjectSummary &summary);
    // The export sheet's animatic option for a project that is not open, saved into its
    // package; a failure sets errorMessage.
    void setIncludeAnimatic(const ProjectSummary &summary, bool include);

    // "Title (copy)" / "Title (копия)"; a blank title is "New Project" / "Новый проект" first.
    static QString duplicatedProjectTitle(const QString &title);

signals:
    // The whole list changed (a reload); rows may have come, gone or moved.
    void projectsChanged();
    // Only this project's row changed, in place (a save of the open project).
    void projectSummaryChanged(const QString &projectID);
    void foldersChanged();
    void selectedProjectChanged();
    void errorMessageChanged();
    void lastDeletionChanged();
    void showNewProjectSheetChanged();
    // The open project was renamed through the list; its editor must take the new title, or
    // its next save would write the old one back.
    void openProjectRenamed(const veskel::StoryboardProject &project);

private:
    // The project of a row: the open one from memory, any other read from its package.
    ProjectStore::Result<StoryboardProject> projectFor(const ProjectSummary &summary);
    void setSelectedProject(std::optional<StoryboardProject> project);
    void setErrorMessage(std::optional<QString> message);
    void fail(const ProjectStoreError &error);
    bool isOpen(const QString &projectID) const;
    void apply(const ProjectLibraryReader::Result &listing);
    void updateRow(const StoryboardProject &project);
    void watchFolders();

    ProjectStore *m_store = nullptr;
    QList<ProjectSummary> m_projects;
    QStringList m_folders;
    std::optional<StoryboardProject> m_selectedProject;
    std::optional<QString> m_errorMessage;
    std::optional<TrashedProject> m_lastDeletion;
    bool m_deletedWasOpen = false;
    bool m_showNewProjectSheet = false;
    QString m_editorReloadToken;
    std::unique_ptr<ProjectLibraryReader> m_reader;
    ProjectLibraryWatcher *m_watcher = nullptr;
    bool m_listed = false;
    // Rows changed by saves while a background listing runs: newer than what it reads.
    QHash<QString, ProjectSummary> m_savedDuringRead;
};

} // namespace veskel
