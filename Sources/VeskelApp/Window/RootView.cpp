#include "VeskelApp/Window/RootView.h"

#include "VeskelApp/AppModel.h"
#include "VeskelApp/Commands/AppNotificationHub.h"
#include "VeskelApp/Editor/ProjectEditorView.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Export/ExportSheet.h"
#include "VeskelApp/Settings/Preferences.h"
#include "VeskelApp/Sidebar/ProjectSidebarView.h"
#include "VeskelApp/Window/ContentPlaceholderView.h"
#include "VeskelApp/Window/NewProjectSheet.h"
#include "VeskelApp/Window/SidebarRevealAnimation.h"
#include "VeskelApp/Window/SidebarSwipeMonitor.h"
#include "VeskelApp/Window/ToolbarRowFader.h"

#include <QSplitter>
#include <QStackedWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace veskel {

RootView::RootView(const AppEnvironment &environment, QWidget *parent)
    : QWidget(parent)
    , m_environment(environment)
    , m_sidebarWidth(ProjectSidebarView::idealWidth)
{
    setObjectName(QStringLiteral("RootView"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    m_splitter = new QSplitter(Qt::Horizontal);
    m_splitter->setChildrenCollapsible(true);
    m_splitter->setHandleWidth(1);
    m_sidebar = new ProjectSidebarView(*m_environment.model, m_environment.preferences->settings());
    m_detail = new QStackedWidget;
    m_detail->setObjectName(QStringLiteral("detailColumn"));
    m_placeholder = new ContentPlaceholderView(*m_environment.model);
    m_detail->addWidget(m_placeholder);
    m_splitter->addWidget(m_sidebar);
    m_splitter->addWidget(m_detail);
    m_splitter->setCollapsible(1, false);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({ProjectSidebarView::idealWidth, 1280 - ProjectSidebarView::idealWidth});
    layout->addWidget(m_splitter);
    m_sidebarAnimation = new SidebarRevealAnimation(*m_splitter, *m_sidebar);
    new SidebarSwipeMonitor(*m_environment.preferences, this);

    // Pulling the sidebar shut with the divider hides it just like the menu command.
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] {
        const int width = m_splitter->sizes().value(0);
        if (width == 0)
            m_environment.preferences->setSidebarVisible(false);
        else
            m_sidebarWidth = width;
    });
    connect(m_environment.preferences, &Preferences::changed, this, [this](const QString &key) {
        if (key == Preferences::sidebarVisibleKey)
            updateSidebarVisibility();
    });
    connect(m_sidebar, &ProjectSidebarView::settingsRequested, this, &RootView::settingsRequested);
    connect(m_sidebar, &ProjectSidebarView::exportRequested, this, &RootView::exportFromRow);
    connect(m_environment.model, &AppModel::showNewProjectSheetChanged, this,
            &RootView::updateNewProjectSheet);
    connect(m_environment.notifications, &AppNotificationHub::storyboardExport, this,
            &RootView::exportOpenProject);

    updateSidebarVisibility();
    // A sheet asked for before this view existed (another language a moment ago) opens now.
    if (m_environment.model->showNewProjectSheet())
        QMetaObject::invokeMethod(this, &RootView::updateNewProjectSheet, Qt::QueuedConnection);
}

ProjectEditorView *RootView::editorView() const
{
    return m_editorView;
}

NewProjectSheet *RootView::newProjectSheet() const
{
    return m_newProjectSheet;
}

ExportSheet *RootView::exportSheet() const
{
    return m_exportSheet;
}

void RootView::setEditor(ProjectEditorViewModel *model)
{
    if (model == m_editorModel && (model != nullptr) == (m_editorView != nullptr))
        return;
    if (m_editorView) {
        m_detail->removeWidget(m_editorView);
        delete m_editorView;
    }
    m_editorModel = model;
    if (model) {
        m_editorView = new ProjectEditorView(*model, m_environment);
        new ToolbarRowFader(*m_environment.preferences, *m_editorView->toolBar());
        m_detail->addWidget(m_editorView);
        m_detail->setCurrentWidget(m_editorView);
        // Typing right after opening or creating goes into the script, not the filter.
        m_editorView->focusScript();
    } else {
        m_detail->setCurrentWidget(m_placeholder);
    }
}

void RootView::updateSidebarVisibility()
{
    m_sidebarAnimation->setShown(m_environment.preferences->sidebarVisible(), m_sidebarWidth);
}

void RootView::updateNewProjectSheet()
{
    const bool wanted = m_environment.model->showNewProjectSheet();
    if (wanted && !m_newProjectSheet) {
        m_newProjectSheet = new NewProjectSheet(*m_environment.model, this);
        m_newProjectSheet->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_newProjectSheet, &QDialog::finished, m_environment.model,
                [model = m_environment.model] { model->setShowNewProjectSheet(false); });
        m_newProjectSheet->open();
    } else if (!wanted && m_newProjectSheet) {
        m_newProjectSheet->close();
    }
}

void RootView::openExportSheet(const StoryboardProject &project)
{
    if (m_exportSheet) {
        // A sheet whose export is still running stays; it refuses to close.
        if (!m_exportSheet->close())
            return m_exportSheet->raise();
    }
    m_exportSheet
        = new ExportSheet(project, m_environment.model->store(), DesktopActions::system(), this);
    m_exportSheet->setAttribute(Qt::WA_DeleteOnClose);
    // The option is kept with the project: through the editor when it is open, so its next
    // save does not write the old value back.
    connect(m_exportSheet, &ExportSheet::includeAnimaticChanged, this,
            [this, id = project.id](bool include) {
                if (m_editorModel && m_editorModel->project().id == id)
                    return m_editorModel->setIncludeAnimatic(include);
                if (const auto summary = m_environment.model->summary(id))
                    m_environment.model->setIncludeAnimatic(*summary, include);
            });
    m_exportSheet->open();
}

void RootView::exportOpenProject()
{
    // The editor's copy holds the latest edits, saved or not.
    if (m_editorModel)
        openExportSheet(m_editorModel->project());
    else if (const auto &open = m_environment.model->selectedProject())
        openExportSheet(*open);
}

void RootView::exportFromRow(const QString &projectID)
{
    if (m_editorModel && m_editorModel->project().id == projectID)
        return openExportSheet(m_editorModel->project());
    const auto summary = m_environment.model->summary(projectID);
    if (!summary)
        return;
    if (const auto project = m_environment.model->loadProjectForExport(*summary))
        openExportSheet(*project);
}

} // namespace veskel
