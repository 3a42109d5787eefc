#include "VeskelApp/AppModel.h"

#include "StoryboardCore/Editing/CopyTitle.h"
#include "StoryboardCore/Sample/SampleProject.h"
#include "StoryboardCore/Utilities/UUID.h"
#include "VeskelApp/Library/ProjectLibraryWatcher.h"
#include "VeskelApp/Library/SavedProjectSummary.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>

#include <algorithm>

namespace veskel {

AppModel::AppModel(ProjectStore &store, QObject *parent)
    : QObject(parent)
    , m_store(&store)
    , m_editorReloadToken(makeUUID())
{
}

void AppModel::setShowNewProjectSheet(bool show)
{
    if (show == m_showNewProjectSheet)
        return;
    m_showNewProjectSheet = show;
    emit showNewProjectSheetChanged();
}

void AppModel::setSelectedProject(std::optional<StoryboardProject> project)
{
    if (project == m_selectedProject)
        return;
    m_selectedProject = std::move(project);
    emit selectedProjectChanged();
}

void AppModel::setErrorMessage(std::optional<QString> message)
{
    if (message == m_errorMessage)
        return;
    m_errorMessage = std::move(message);
    emit errorMessageChanged();
}

void AppModel::fail(const ProjectStoreError &error)
{
    setErrorMessage(error.description());
}

bool AppModel::isOpen(const QString &projectID) const
{
    return m_selectedProject && m_selectedProject->id == projectID;
}

std::optional<QString> AppModel::editorIdentity() const
{
    if (!m_selectedProject)
        return std::nullopt;
    return m_selectedProject->id + u'-' + m_editorReloadToken;
}

std::optional<ProjectSummary> AppModel::summary(const QString &projectID) const
{
    const auto found = std::find_if(m_projects.cbegin(), m_projects.cend(),
                                    [&](const ProjectSummary &row) { return row.id == projectID; });
    if (found == m_projects.cend())
        return std::nullopt;
    return *found;
}

void AppModel::refreshProjects()
{
    if (m_reader)
        return m_reader->read();
    apply(ProjectLibraryListing::read(*m_store));
}

void AppModel::readInBackground()
{
    if (m_reader)
        return;
    m_reader = std::make_unique<ProjectLibraryReader>(m_store->rootDirectory());
    connect(m_reader.get(), &ProjectLibraryReader::started, this,
            [this] { m_savedDuringRead.clear(); });
    connect(m_reader.get(), &ProjectLibraryReader::finished, this, &AppModel::apply);
}

void AppModel::followLibraryChanges(EditorScheduler *scheduler)
{
    if (m_watcher)
        return;
    m_watcher = new ProjectLibraryWatcher(scheduler, this);
    connect(m_watcher, &ProjectLibraryWatcher::changed, this, &AppModel::refreshProjects);
    watchFolders();
}

void AppModel::watchFolders()
{
    if (m_watcher)
        m_watcher->watch(m_store->rootDirectory(), m_folders);
}

void AppModel::apply(const ProjectLibraryReader::Result &listing)
{
    if (!listing)
        return fail(listing.error());
    QList<ProjectSummary> projects = listing->projects;
    if (!m_savedDuringRead.isEmpty()) {
        // The listing may have read a package before the editor's latest save: the row keeps
        // what was saved, at the place the listing found.
        for (ProjectSummary &row : projects) {
            if (const auto saved = m_savedDuringRead.constFind(row.id);
                saved != m_savedDuringRead.cend()) {
                ProjectSummary newer = *saved;
                newer.packagePath = row.packagePath;
                newer.slug = row.slug;
                newer.folderName = row.folderName;
                row = std::move(newer);
            }
        }
        m_savedDuringRead.clear();
    }

    if (projects != m_projects || !m_listed) {
        m_listed = true;
        m_projects = std::move(projects);
        emit projectsChanged();
    }
    if (listing->folders != m_folders) {
        m_folders = listing->folders;
        emit foldersChanged();
    }
    watchFolders();
    // The open project went away on disk: its editor closes.
    if (m_selectedProject && !summary(m_selectedProject->id))
        setSelectedProject(std::nullopt);
    setErrorMessage(std::nullopt);
}

void AppModel::openProject(const ProjectSummary &summary)
{
    auto project = m_store->loadProject(summary.packagePath);
    if (!project)
        return fail(project.error());
    setSelectedProject(std::move(*project));
    setErrorMessage(std::nullopt);
}

void AppModel::openPackage(const QString &packagePath)
{
    // Only a package of the projects folder can be saved back: the store finds packages there.
    const QFileInfo package(packagePath);
    const QString root = QFileInfo(m_store->rootDirectory()).canonicalFilePath();
    const QString parent = QFileInfo(package.absolutePath()).canonicalFilePath();
    const QString grandParent = QFileInfo(parent).absolutePath();
    if (root.isEmpty() || (parent != root && grandParent != root)) {
        return setErrorMessage(tr("“%1” is not in the projects folder %2.")
                                   .arg(QDir::toNativeSeparators(package.absoluteFilePath()),
                                        QDir::toNativeSeparators(m_store->rootDirectory())));
    }
    auto project = m_store->loadProject(package.canonicalFilePath());
    if (!project)
        return fail(project.error());
    setSelectedProject(std::move(*project));
    setErrorMessage(std::nullopt);
}

void AppModel::createProject(const QString &title,
                             VideoSettings::FormatPreset format,
                             int wordsPerMinute)
{
    // VideoSettings::preset also gives the default scene duration of 5 seconds.
    VideoSettings settings = VideoSettings::preset(format, 25);
    settings.wordsPerMinute = VideoSettings::clampedWordsPerMinute(wordsPerMinute);
    auto project = m_store->createProject(title, settings);
    if (!project)
        return fail(project.error());
    setSelectedProject(std::move(*project));
    refreshProjects();
}

ProjectStore::Result<StoryboardProject> AppModel::projectFor(const ProjectSummary &summary)
{
    // The open project as the editor has it: reading its file would count a change made
    // outside as seen, and the editor's next save would then replace it unnoticed.
    if (m_selectedProject && isOpen(summary.id))
        return *m_selectedProject;
    return m_store->loadProject(summary.packagePath);
}

void AppModel::duplicateProject(const ProjectSummary &summary)
{
    auto project = projectFor(summary);
    if (!project)
        return fail(project.error());
    auto copy = m_store->duplicateProject(*project, duplicatedProjectTitle(project->title));
    if (!copy)
        return fail(copy.error());
    setSelectedProject(std::move(*copy));
    setErrorMessage(std::nullopt);
    refreshProjects();
}

void AppModel::renameProject(const ProjectSummary &summary, const QString &newTitle)
{
    const QString trimmed = newTitle.trimmed();
    if (trimmed.isEmpty() || trimmed == summary.title)
        return;
    auto project = projectFor(summary);
    if (!project)
        return fail(project.error());
    auto renamed = m_store->renameProject(*project, trimmed);
    if (!renamed)
        return fail(renamed.error());
    if (isOpen(renamed->id)) {
        setSelectedProject(*renamed);
        const QPointer<AppModel> alive(this);
        emit openProjectRenamed(*renamed);
        if (!alive)
            return;
    }
    setErrorMessage(std::nullopt);
    refreshProjects();
}

void AppModel::deleteProject(const ProjectSummary &summary)
{
    // The editor goes first, flushing its pending save, so nothing writes into a package that
    // is already in the Trash.
    const bool wasOpen = isOpen(summary.id);
    if (wasOpen)
        setSelectedProject(std::nullopt);
    auto deleted = m_store->deleteProject(summary.packagePath);
    if (!deleted)
        return fail(deleted.error());
    m_lastDeletion = std::move(*deleted);
    m_deletedWasOpen = wasOpen;
    emit lastDeletionChanged();
    setErrorMessage(std::nullopt);
    refreshProjects();
}

void AppModel::undoDeletion()
{
    if (!m_lastDeletion)
        return;
    const TrashedProject trashed = *m_lastDeletion;
    forgetDeletion();
    if (auto restored = m_store->restoreFromTrash(trashed); !restored)
        return fail(restored.error());
    if (m_deletedWasOpen)
        openPackage(trashed.packagePath);
    else
        setErrorMessage(std::nullopt);
    refreshProjects();
}

void AppModel::forgetDeletion()
{
    if (!m_lastDeletion)
        return;
    m_lastDeletion.reset();
    emit lastDeletionChanged();
}

void AppModel::moveProject(const ProjectSummary &summary, const std::optional<QString> &folder)
{
    if (auto moved = m_store->moveProject(summary.packagePath, folder); !moved)
        return fail(moved.error());
    setErrorMessage(std::nullopt);
    refreshProjects();
}

void AppModel::createFolder(const QString &name)
{
    if (auto created = m_store->createFolder(name); !created)
        return fail(created.error());
    refreshProjects();
}

void AppModel::renameFolder(const QString &name, const QString &newName)
{
    if (auto renamed = m_store->renameFolder(name, newName); !renamed)
        return fail(renamed.error());
    refreshProjects();
}

void AppModel::deleteFolder(const QString &name)
{
    if (auto deleted = m_store->deleteFolder(name); !deleted)
        return fail(deleted.error());
    refreshProjects();
}

void AppModel::projectDidChange(const StoryboardProject &project)
{
    // An editor being replaced flushes its last save after another project was opened (or the
    // project was closed); that must not bring its project back.
    if (isOpen(project.id))
        setSelectedProject(project);
    updateRow(project);
}

void AppModel::updateRow(const StoryboardProject &project)
{
    const auto found
        = std::find_if(m_projects.begin(), m_projects.end(),
                       [&](const ProjectSummary &row) { return row.id == project.id; });
    // A project the list does not know yet: the folder is read again.
    if (found == m_projects.end())
        return refreshProjects();
    ProjectSummary row = savedProjectSummary(project, *found, QDateTime::currentDateTimeUtc());
    if (isReading())
        m_savedDuringRead.insert(row.id, row);
    if (row == *found)
        return;
    *found = std::move(row);
    emit projectSummaryChanged(project.id);
}

std::function<void(const StoryboardProject &)> AppModel::editorCallback()
{
    return [model = QPointer<AppModel>(this)](const StoryboardProject &project) {
        if (model)
            model->projectDidChange(project);
    };
}

void AppModel::openSampleProject()
{
    auto installed = m_store->installSampleProjectIfNeeded();
    if (!installed)
        return fail(installed.error());
    if (*installed) {
        // Opened as installed: a listing read on a worker thread comes later.
        setSelectedProject(std::move(**installed));
        setErrorMessage(std::nullopt);
        return refreshProjects();
    }
    if (const auto sample = summary(QString(SampleProject::identifier)))
        openProject(*sample);
}

std::optional<StoryboardProject> AppModel::loadProjectForExport(const ProjectSummary &summary)
{
    auto project = projectFor(summary);
    if (!project) {
        fail(project.error());
        return std::nullopt;
    }
    setErrorMessage(std::nullopt);
    return std::move(*project);
}

void AppModel::setIncludeAnimatic(const ProjectSummary &summary, bool include)
{
    auto project = projectFor(summary);
    if (!project)
        return fail(project.error());
    if (project->exportSettings.includeAnimatic == include)
        return;
    project->exportSettings.includeAnimatic = include;
    if (auto saved = m_store->saveProject(*project); !saved)
        return fail(saved.error());
    setErrorMessage(std::nullopt);
    updateRow(*project);
}

QString AppModel::duplicatedProjectTitle(const QString &title)
{
    return copyTitle(title, tr("New Project"));
}

} // namespace veskel
