#pragma once

#include "VeskelApp/Window/AppEnvironment.h"

#include <QPointer>
#include <QWidget>

class QSplitter;
class QStackedWidget;

namespace veskel {

class ContentPlaceholderView;
class ExportSheet;
class NewProjectSheet;
class ProjectEditorView;
class ProjectEditorViewModel;
class ProjectSidebarView;
class SidebarRevealAnimation;
struct StoryboardProject;

// The window's content: the project sidebar beside the editor of the open project, or the
// placeholder when none is open. It shows and hides the sidebar with "sidebarVisible", opens
// the new-project sheet while the application model asks for it, and the export sheet on the
// export notification or a row's export button. Built anew in every interface language.
class RootView : public QWidget
{
    Q_OBJECT

public:
    explicit RootView(const AppEnvironment &environment, QWidget *parent = nullptr);

    // The editor for this view model, or the placeholder without one.
    void setEditor(ProjectEditorViewModel *model);

    ProjectSidebarView *sidebar() const { return m_sidebar; }
    ContentPlaceholderView *placeholder() const { return m_placeholder; }
    ProjectEditorView *editorView() const;
    NewProjectSheet *newProjectSheet() const;
    ExportSheet *exportSheet() const;
    QSplitter *splitter() const { return m_splitter; }
    SidebarRevealAnimation *sidebarAnimation() const { return m_sidebarAnimation; }

signals:
    void settingsRequested();

private:
    void updateSidebarVisibility();
    void updateNewProjectSheet();
    void openExportSheet(const StoryboardProject &project);
    void exportOpenProject();
    void exportFromRow(const QString &projectID);

    AppEnvironment m_environment;
    QSplitter *m_splitter = nullptr;
    ProjectSidebarView *m_sidebar = nullptr;
    QStackedWidget *m_detail = nullptr;
    ContentPlaceholderView *m_placeholder = nullptr;
    QPointer<ProjectEditorView> m_editorView;
    QPointer<ProjectEditorViewModel> m_editorModel;
    QPointer<NewProjectSheet> m_newProjectSheet;
    QPointer<ExportSheet> m_exportSheet;
    SidebarRevealAnimation *m_sidebarAnimation = nullptr;
    int m_sidebarWidth;
};

} // namespace veskel
