#pragma once

#include "StoryboardCore/Localization/NameCollator.h"
#include "StoryboardCore/Models/ProjectSummary.h"
#include "VeskelApp/Sidebar/ProjectSortKey.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QSettings;

namespace veskel {

class AppModel;

// The project sidebar's own state over the application model: sorting, folder pinning and
// filtering of the list (the rules ProjectTreeProxyModel applies), collapsed folders and inline
// renaming. Sort key, order and pinning persist in the settings; the rest lives as long as the
// sidebar.
class ProjectSidebarModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(veskel::ProjectSortKey sortKey READ sortKey WRITE setSortKey NOTIFY sortKeyChanged)
    Q_PROPERTY(bool sortOldestFirst READ sortOldestFirst WRITE setSortOldestFirst NOTIFY
                   sortOldestFirstChanged)
    Q_PROPERTY(bool pinFoldersToTop READ pinFoldersToTop WRITE setPinFoldersToTop NOTIFY
                   pinFoldersToTopChanged)
    Q_PROPERTY(QString filterText READ filterText WRITE setFilterText NOTIFY filterTextChanged)
    Q_PROPERTY(QSet<QString> collapsedFolders READ collapsedFolders NOTIFY collapsedFoldersChanged)
    Q_PROPERTY(std::optional<QString> renamingProjectID READ renamingProjectID NOTIFY
                   renamingProjectChanged)
    Q_PROPERTY(QString projectRenameText READ projectRenameText WRITE setProjectRenameText NOTIFY
                   renamingProjectChanged)
    Q_PROPERTY(
        std::optional<QString> renamingFolder READ renamingFolder NOTIFY renamingFolderChanged)
    Q_PROPERTY(QString folderRenameText READ folderRenameText WRITE setFolderRenameText NOTIFY
                   renamingFolderChanged)

public:
    static constexpr QLatin1String sortKeySetting{"projectSortKey"};
    static constexpr QLatin1String oldestFirstSetting{"projectSortOldestFirst"};
    static constexpr QLatin1String pinFoldersSetting{"pinFoldersToTop"};

    // Without settings, the application's own ("Veskel", "Veskel"). Given settings are not
    // owned and must outlive the sidebar; so must the model.
    explicit ProjectSidebarModel(AppModel &model,
                                 QSettings *settings = nullptr,
                                 QObject *parent = nullptr);
    ~ProjectSidebarModel() override;

    ProjectSortKey sortKey() const { return m_sortKey; }
    void setSortKey(ProjectSortKey key);
    bool sortOldestFirst() const { return m_sortOldestFirst; }
    void setSortOldestFirst(bool oldestFirst);
    bool pinFoldersToTop() const { return m_pinFoldersToTop; }
    void setPinFoldersToTop(bool pin);

    const QString &filterText() const { return m_filterText; }
    void setFilterText(const QString &text);

    const QSet<QString> &collapsedFolders() const { return m_collapsedFolders; }
    bool isFolderExpanded(const QString &folder) const;
    void setFolderExpanded(const QString &folder, bool expanded);

    // Whether a row shows under the filter: its title contains the text, case-insensitively in
    // the user's locale.
    bool matchesFilter(const ProjectSummary &summary) const;
    // The chosen order: whether `a` comes before `b`; titles compare with `names`.
    bool
    precedes(const ProjectSummary &a, const ProjectSummary &b, const NameCollator &names) const;

    // Choosing a row opens its project.
    void openProject(const QString &projectID);
    // A project dropped on a folder header, or on the root section without a folder.
    void dropProject(const QString &projectID, const std::optional<QString> &folder);

    const std::optional<QString> &renamingProjectID() const { return m_renamingProjectID; }
    const QString &projectRenameText() const { return m_projectRenameText; }
    void setProjectRenameText(const QString &text);
    void beginProjectRename(const QString &projectID);
    // Renames when the trimmed text is not empty and differs from the title.
    void commitProjectRename();
    void cancelProjectRename();

    const std::optional<QString> &renamingFolder() const { return m_renamingFolder; }
    const QString &folderRenameText() const { return m_folderRenameText; }
    void setFolderRenameText(const QString &text);
    void beginFolderRename(const QString &folder);
    void commitFolderRename();
    void cancelFolderRename();

    // "New Folder" / "Новая папка", or with " 2", " 3" … when taken.
    QString newFolderName() const;
    // Creates it and starts renaming it inline.
    void createNewFolder();

    // "3 scenes · 01:30", as under a project's title.
    static QString rowDetail(const ProjectSummary &summary);

signals:
    void sortKeyChanged();
    void sortOldestFirstChanged();
    void pinFoldersToTopChanged();
    void filterTextChanged();
    void collapsedFoldersChanged();
    void renamingProjectChanged();
    void renamingFolderChanged();

private:
    AppModel *m_model = nullptr;
    std::unique_ptr<QSettings> m_ownedSettings;
    QSettings *m_settings = nullptr;
    ProjectSortKey m_sortKey = ProjectSortKey::dateModified;
    bool m_sortOldestFirst = false;
    bool m_pinFoldersToTop = true;
    QString m_filterText;
    QSet<QString> m_collapsedFolders;
    std::optional<QString> m_renamingProjectID;
    QString m_projectRenameText;
    std::optional<QString> m_renamingFolder;
    QString m_folderRenameText;
};

} // namespace veskel
