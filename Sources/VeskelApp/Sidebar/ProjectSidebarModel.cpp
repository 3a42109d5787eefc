#include "VeskelApp/Sidebar/ProjectSidebarModel.h"

#include "StoryboardCore/Duration/DurationCalculator.h"
#include "VeskelApp/AppModel.h"
#include "VeskelApp/Localization/SceneCountText.h"

#include <QLocale>
#include <QSettings>

namespace veskel {

ProjectSidebarModel::ProjectSidebarModel(AppModel &model, QSettings *settings, QObject *parent)
    : QObject(parent)
    , m_model(&model)
    , m_settings(settings)
{
    if (!m_settings) {
        m_ownedSettings
            = std::make_unique<QSettings>(QStringLiteral("Veskel"), QStringLiteral("Veskel"));
        m_settings = m_ownedSettings.get();
    }
    m_sortKey = projectSortKeyFromSetting(m_settings->value(sortKeySetting).toString());
    m_sortOldestFirst = m_settings->value(oldestFirstSetting, false).toBool();
    m_pinFoldersToTop = m_settings->value(pinFoldersSetting, true).toBool();
}

ProjectSidebarModel::~ProjectSidebarModel() = default;

// MARK: persisted presentation

void ProjectSidebarModel::setSortKey(ProjectSortKey key)
{
    m_settings->setValue(sortKeySetting, rawValue(key));
    if (key == m_sortKey)
        return;
    m_sortKey = key;
    emit sortKeyChanged();
}

void ProjectSidebarModel::setSortOldestFirst(bool oldestFirst)
{
    m_settings->setValue(oldestFirstSetting, oldestFirst);
    if (oldestFirst == m_sortOldestFirst)
        return;
    m_sortOldestFirst = oldestFirst;
    emit sortOldestFirstChanged();
}

void ProjectSidebarModel::setPinFoldersToTop(bool pin)
{
    m_settings->setValue(pinFoldersSetting, pin);
    if (pin == m_pinFoldersToTop)
        return;
    m_pinFoldersToTop = pin;
    emit pinFoldersToTopChanged();
}

// MARK: filtering and folders

void ProjectSidebarModel::setFilterText(const QString &text)
{
    if (text == m_filterText)
        return;
    m_filterText = text;
    emit filterTextChanged();
}

bool ProjectSidebarModel::isFolderExpanded(const QString &folder) const
{
    return !m_collapsedFolders.contains(folder);
}

void ProjectSidebarModel::setFolderExpanded(const QString &folder, bool expanded)
{
    if (expanded == isFolderExpanded(folder))
        return;
    if (expanded)
        m_collapsedFolders.remove(folder);
    else
        m_collapsedFolders.insert(folder);
    emit collapsedFoldersChanged();
}

bool ProjectSidebarModel::matchesFilter(const ProjectSummary &summary) const
{
    if (m_filterText.isEmpty())
        return true;
    const QLocale locale;
    return locale.toLower(summary.title).contains(locale.toLower(m_filterText));
}

bool ProjectSidebarModel::precedes(const ProjectSummary &a,
                                   const ProjectSummary &b,
                                   const NameCollator &names) const
{
    switch (m_sortKey) {
    case ProjectSortKey::dateModified:
        return m_sortOldestFirst ? a.updatedAt < b.updatedAt : a.updatedAt > b.updatedAt;
    case ProjectSortKey::dateCreated:
        return m_sortOldestFirst ? a.createdAt < b.createdAt : a.createdAt > b.createdAt;
    case ProjectSortKey::name: {
        const int order = names.compare(a.title, b.title);
        return m_sortOldestFirst ? order > 0 : order < 0;
    }
    }
    return false;
}

// MARK: rows

void ProjectSidebarModel::openProject(const QString &projectID)
{
    if (const std::optional<ProjectSummary> summary = m_model->summary(projectID))
        m_model->openProject(*summary);
}

void ProjectSidebarModel::dropProject(const QString &projectID,
                                      const std::optional<QString> &folder)
{
    if (const std::optional<ProjectSummary> summary = m_model->summary(projectID))
        m_model->moveProject(*summary, folder);
}

QString ProjectSidebarModel::rowDetail(const ProjectSummary &summary)
{
    QString detail = sceneCountText(summary.sceneCount) + QStringLiteral(" · ")
                     + DurationCalculator::formatDuration(summary.totalDurationSeconds);
    // A sync tool left another version beside the project file: Browse Versions offers it.
    if (summary.hasConflictCopy)
        detail += QStringLiteral(" · ") + tr("conflict copy beside it");
    return detail;
}

// MARK: inline renaming

void ProjectSidebarModel::setProjectRenameText(const QString &text)
{
    if (text == m_projectRenameText)
        return;
    m_projectRenameText = text;
    emit renamingProjectChanged();
}

void ProjectSidebarModel::beginProjectRename(const QString &projectID)
{
    const std::optional<ProjectSummary> summary = m_model->summary(projectID);
    if (!summary)
        return;
    m_renamingProjectID = projectID;
    m_projectRenameText = summary->title;
    emit renamingProjectChanged();
}

void ProjectSidebarModel::cancelProjectRename()
{
    if (!m_renamingProjectID && m_projectRenameText.isEmpty())
        return;
    m_renamingProjectID.reset();
    m_projectRenameText.clear();
    emit renamingProjectChanged();
}

void ProjectSidebarModel::commitProjectRename()
{
    const std::optional<QString> projectID = m_renamingProjectID;
    const QString text = m_projectRenameText.trimmed();
    // The field closes first, whatever the outcome.
    cancelProjectRename();
    if (!projectID)
        return;
    const std::optional<ProjectSummary> summary = m_model->summary(*projectID);
    if (!summary || text.isEmpty() || text == summary->title)
        return;
    m_model->renameProject(*summary, text);
}

void ProjectSidebarModel::setFolderRenameText(const QString &text)
{
    if (text == m_folderRenameText)
        return;
    m_folderRenameText = text;
    emit renamingFolderChanged();
}

void ProjectSidebarModel::beginFolderRename(const QString &folder)
{
    m_renamingFolder = folder;
    m_folderRenameText = folder;
    emit renamingFolderChanged();
}

void ProjectSidebarModel::cancelFolderRename()
{
    if (!m_renamingFolder && m_folderRenameText.isEmpty())
        return;
    m_renamingFolder.reset();
    m_folderRenameText.clear();
    emit renamingFolderChanged();
}

void ProjectSidebarModel::commitFolderRename()
{
    const std::optional<QString> folder = m_renamingFolder;
    const QString text = m_folderRenameText.trimmed();
    cancelFolderRename();
    if (!folder || text.isEmpty() || text == *folder)
        return;
    m_model->renameFolder(*folder, text);
}

QString ProjectSidebarModel::newFolderName() const
{
    const QString base = tr("New Folder");
    const QStringList &folders = m_model->folders();
    if (!folders.contains(base))
        return base;
    for (qint64 number = 2;; ++number) {
        const QString candidate = base + u' ' + QString::number(number);
        if (!folders.contains(candidate))
            return candidate;
    }
}

void ProjectSidebarModel::createNewFolder()
{
    const QString name = newFolderName();
    m_model->createFolder(name);
    // Renaming starts only on a folder that now exists.
    if (m_model->folders().contains(name))
        beginFolderRename(name);
}

} // namespace veskel
