#pragma once

#include "VeskelApp/Sidebar/SidebarItemRoles.h"

#include <QHash>
#include <QWidget>

#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QMenu;
class QSettings;
class QToolButton;
class QTreeWidgetItem;

namespace veskel {

class AppModel;
class ProjectSidebarDelegate;
class ProjectSidebarModel;
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
    QLineEdit *filterField() const { return m_filter; }
    QLabel *errorLine() const { return m_error; }
    QTreeWidgetItem *projectItem(const QString &projectID) const;
    QTreeWidgetItem *folderItem(const QString &folder) const;

    // The context menu of a row or section header, as it would open there.
    std::unique_ptr<QMenu> contextMenu(QTreeWidgetItem *item);

signals:
    void exportRequested(const QString &projectID);
    void settingsRequested();

private:
    QWidget *makeFilterBar();
    QWidget *makeBottomBar();
    void fillSortMenu(QMenu *menu);
    // Brings the list in line with the models, reusing the rows and sections it has: rows are
    // updated in place and moved only where their place changed.
    void rebuild();
    void scheduleRebuild();
    void placeSection(QTreeWidgetItem *header,
                      const std::optional<QString> &folder,
                      QHash<QString, QTreeWidgetItem *> &unplaced);
    // One project's row after a save: its texts, and its place within its section.
    void updateProjectRow(const QString &projectID);
    void updateError();
    void updateCurrentRow();
    void openEditorForRename();
    void rowChosen(QTreeWidgetItem *item);
    void headerClicked(QTreeWidgetItem *item);
    // The inline field's text, committed.
    void renameCommitted(QWidget *editor);
    void editorClosed();

    AppModel *m_model = nullptr;
    std::unique_ptr<ProjectSidebarModel> m_sidebar;
    QLabel *m_error = nullptr;
    QLineEdit *m_filter = nullptr;
    QToolButton *m_sort = nullptr;
    SidebarTree *m_tree = nullptr;
    ProjectSidebarDelegate *m_delegate = nullptr;
    QToolButton *m_newProject = nullptr;
    bool m_updatingSelection = false;
    bool m_editing = false;
    bool m_rebuildPending = false;
    std::optional<QString> m_editedProject;
    std::optional<QString> m_editedFolder;
    QHash<QString, QTreeWidgetItem *> m_rows;
};

} // namespace veskel
