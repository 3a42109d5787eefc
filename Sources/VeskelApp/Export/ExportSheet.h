#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"
#include "VeskelApp/Window/DesktopActions.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QVBoxLayout;

namespace veskel {

class ExportViewModel;
class ProjectStore;

// The modal export dialog for one project snapshot: the review, the running export, and its
// success or failure, one screen at a time as the view model's phase says. Edits made
// elsewhere while it is open are not exported.
class ExportSheet : public QDialog
{
    Q_OBJECT

public:
    static constexpr int sheetWidth = 520;

    // The store (not owned) must outlive the sheet.
    ExportSheet(StoryboardProject project,
                ProjectStore &store,
                DesktopActions desktop = DesktopActions::system(),
                QWidget *parent = nullptr);
    ~ExportSheet() override;

    const StoryboardProject &project() const { return m_project; }
    const QString &projectID() const { return m_project.id; }
    ExportViewModel *viewModel() const { return m_model; }
    // The screen now shown (an ExportReviewView, ExportProgressView, ExportSuccessView or
    // ExportFailureView).
    QWidget *screen() const { return m_screen; }

    // Closing while the export runs would let a second export of the same package start
    // before the first has finished writing it; the sheet stays until it ends.
    void reject() override;

signals:
    // The review's animatic option changed: the sheet exports with it, the owner keeps it.
    void includeAnimaticChanged(bool include);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void showPhase();
    void startExport();

    StoryboardProject m_project;
    ProjectStore &m_store;
    DesktopActions m_desktop;
    ExportViewModel *m_model = nullptr;
    QVBoxLayout *m_layout = nullptr;
    QPointer<QWidget> m_screen;
};

} // namespace veskel
