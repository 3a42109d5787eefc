#pragma once

#include "ExportKit/ExportResult.h"
#include "VeskelApp/Window/DesktopActions.h"

#include <QWidget>

class QPushButton;

namespace veskel {

// The export sheet after a successful export: where the package is, what to do with it in
// Final Cut Pro, the warnings written with it, and ways to reach the folder.
class ExportSuccessView : public QWidget
{
    Q_OBJECT

public:
    ExportSuccessView(const ExportResult &result,
                      const DesktopActions &desktop,
                      QWidget *parent = nullptr);

    QPushButton *revealButton() const { return m_reveal; }
    QPushButton *openButton() const { return m_open; }
    QPushButton *copyPathButton() const { return m_copyPath; }
    // Says what the desktop could not do; hidden until then.
    QLabel *desktopProblem() const { return m_desktopProblem; }
    QPushButton *doneButton() const { return m_done; }

signals:
    void doneRequested();

private:
    QPushButton *m_reveal = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_copyPath = nullptr;
    QLabel *m_desktopProblem = nullptr;
    QPushButton *m_done = nullptr;
};

} // namespace veskel
