#include "VeskelApp/Window/SidebarSwipeMonitor.h"

#include "VeskelApp/Settings/Preferences.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

namespace veskel {

namespace {

SidebarSwipeRecognizer::Phase phaseOf(Qt::ScrollPhase phase)
{
    using Phase = SidebarSwipeRecognizer::Phase;
    switch (phase) {
    case Qt::ScrollBegin:
        return Phase::began;
    case Qt::ScrollUpdate:
    case Qt::ScrollMomentum:
        return Phase::changed;
    case Qt::ScrollEnd:
        return Phase::ended;
    case Qt::NoScrollPhase:
        break;
    }
    return Phase::unknown;
}

} // namespace

SidebarSwipeMonitor::SidebarSwipeMonitor(Preferences &preferences, QWidget *view)
    : QObject(view)
    , m_preferences(&preferences)
    , m_view(view)
{
    connect(m_preferences, &Preferences::changed, this, [this](const QString &key) {
        if (key == Preferences::sidebarSwipeEnabledKey)
            updateInstallation();
    });
    updateInstallation();
}

SidebarSwipeMonitor::~SidebarSwipeMonitor()
{
    if (m_installed)
        qApp->removeEventFilter(this);
}

void SidebarSwipeMonitor::updateInstallation()
{
    const bool wanted = m_preferences->sidebarSwipeEnabled();
    if (wanted == m_installed)
        return;
    m_installed = wanted;
    if (wanted) {
        m_recognizer = {};
        qApp->installEventFilter(this);
    } else {
        qApp->removeEventFilter(this);
    }
}

bool SidebarSwipeMonitor::scrollsHorizontally(const QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        const auto *area = qobject_cast<const QAbstractScrollArea *>(widget);
        if (area && area->horizontalScrollBar()->maximum() - area->horizontalScrollBar()->minimum()
                        > 1)
            return true;
    }
    return false;
}

bool SidebarSwipeMonitor::eventFilter(QObject *watched, QEvent *event)
{
    // Seen once, as the window receives it, before it travels through the widgets.
    if (event->type() != QEvent::Wheel || !m_view)
        return false;
    QWidget *window = m_view->window();
    if (watched != window->windowHandle())
        return false;
    const auto *wheel = static_cast<QWheelEvent *>(event);
    // A mouse wheel (no pixel deltas) scrolls; only a touchpad swipes.
    if (wheel->pixelDelta().isNull() && wheel->phase() != Qt::ScrollBegin
        && wheel->phase() != Qt::ScrollEnd)
        return false;
    const QWidget *under = window->childAt(wheel->position().toPoint());
    const std::optional<bool> show = m_recognizer.feed(
        {phaseOf(wheel->phase()), QPointF(wheel->pixelDelta()), qint64(wheel->timestamp()),
         scrollsHorizontally(under)});
    if (show)
        m_preferences->setSidebarVisible(*show);
    return false;
}

} // namespace veskel
