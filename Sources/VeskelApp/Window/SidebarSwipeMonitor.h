#pragma once

#include "VeskelApp/Window/SidebarSwipeRecognizer.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace veskel {

class Preferences;

// Watches the scroll events of one window while "sidebarSwipeEnabled" is on and lets a
// horizontal two-finger swipe show (to the right) or hide (to the left) the sidebar. It only
// looks: every event still reaches the widget under the pointer.
class SidebarSwipeMonitor : public QObject
{
    Q_OBJECT

public:
    // `view` (not owned) is any widget of the window; the monitor lives as long as it does.
    SidebarSwipeMonitor(Preferences &preferences, QWidget *view);
    ~SidebarSwipeMonitor() override;

    bool isInstalled() const { return m_installed; }

    // Whether the widget, or one that holds it, scrolls sideways.
    static bool scrollsHorizontally(const QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateInstallation();

    Preferences *m_preferences = nullptr;
    QPointer<QWidget> m_view;
    SidebarSwipeRecognizer m_recognizer;
    bool m_installed = false;
};

} // namespace veskel
