#pragma once

#include <QModelIndex>
#include <QWidget>

#include <memory>
#include <optional>
#include <utility>

class QLabel;
class QLineEdit;
class QMenu;
class QSettings;
class QToolButton;

namespace veskel {

class AppModel;
class ProjectSidebarDelegate;
class ProjectSidebarModel;
class ProjectTreeModel;
class ProjectTreeProxyModel;
class SidebarTree;

// The project list: the last error, the filter with the new-folder and sort buttons, the
// sections (folders and "Projects") with their rows, and the bottom bar with "New project" and
// "Settings". It presents the sidebar model over the application model; every command ends
// there.
class ProjectSidebarView : public QWidget
{
    Q_OBJECT

public:
    // The sort settings are read from and written to `settings` (not owned).
    ProjectSidebarView(AppModel &model, QSettings &settings, QWidget *parent = nullptr);
    ~ProjectSidebarView() override;

    static constexpr int minimumWidth = 200;
    static constexpr int idealWidth = 240;
    static constexpr int maximumWidth = 340;

    ProjectSidebarModel &sidebarModel() const { return *m_sidebar; }
    SidebarTree *tree() const { return m_tree; }
    // The list as shown: sorted and filtered.
    ProjectTreeProxyModel *treeModel() const { return m_proxy; }
    QLineEdit *filterField() const { return m_filter; }
    QLabel *errorLine() const { return m_error; }
    // Invalid where the list does not show it.
    QModelIndex projectIndex(const QString &projectID) const;
    QModelIndex folderIndex(const QString &folder) const;

    // The context menu of a row or section header, as it would open there.
    std::unique_ptr<QMenu> contextMenu(const QModelIndex &index);

signals:
    void exportRequested(const QString &projectID);
    void settingsRequested();

private:
    QWidget *makeFilterBar();
    QWidget *makeBottomBar();
    void fillSortMenu(QMenu *menu);
    // A row's section and place, to tell whether it moved.
    static std::pair<int, int> placeOf(const QModelIndex &row);
    // Each section open or shut as the sidebar model says.
    void applyExpansion();
    // The open project's row becomes current; `reveal` scrolls to it.
    void selectOpenProject(bool reveal);
    void updateError();
    void openEditorForRename();
    void rowChosen(const QModelIndex &index);
    void headerClicked(const QModelIndex &index);
    // The inline field's text, committed.
    void renameCommitted(QWidget *editor);
    void editorClosed();

    AppModel *m_model = nullptr;
    std::unique_ptr<ProjectSidebarModel> m_sidebar;
    ProjectTreeModel *m_treeModel = nullptr;
    ProjectTreeProxyModel *m_proxy = nullptr;
    QLabel *m_error = nullptr;
    QLineEdit *m_filter = nullptr;
    QToolButton *m_sort = nullptr;
    SidebarTree *m_tree = nullptr;
    ProjectSidebarDelegate *m_delegate = nullptr;
    QToolButton *m_newProject = nullptr;
    bool m_updatingSelection = false;
    std::pair<int, int> m_placeBeforeSave{-1, -1};
    std::optional<QString> m_editedProject;
    std::optional<QString> m_editedFolder;
};

} // namespace veskel
