#include "VeskelApp/Window/ToolbarRowFader.h"

#include "VeskelApp/Settings/Preferences.h"

#include <QApplication>
#include <QGraphicsOpacityEffect>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace veskel {

ToolbarRowFader::ToolbarRowFader(Preferences &preferences, QWidget &row)
    : QObject(&row)
    , m_preferences(&preferences)
    , m_row(&row)
    , m_effect(new QGraphicsOpacityEffect(&row))
{
    m_effect->setOpacity(1);
    // Drawn through the effect only while it is not fully opaque.
    m_effect->setEnabled(false);
    row.setGraphicsEffect(m_effect);
    m_fade.setDuration(fadeMs);
    connect(&m_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        m_effect->setOpacity(value.toDouble());
        m_effect->setEnabled(value.toDouble() < 1);
    });
    connect(m_preferences, &Preferences::changed, this, [this](const QString &key) {
        if (key == Preferences::titleBarModeKey)
            updateMode();
    });
    updateMode();
}

ToolbarRowFader::~ToolbarRowFader()
{
    if (m_fading)
        qApp->removeEventFilter(this);
}

double ToolbarRowFader::opacity() const
{
    return m_effect->isEnabled() ? m_effect->opacity() : 1.0;
}

void ToolbarRowFader::updateMode()
{
    const bool fading = m_preferences->titleBarMode() == TitleBarMode::fadeOnHover;
    if (fading != m_fading) {
        m_fading = fading;
        if (fading)
            qApp->installEventFilter(this);
        else
            qApp->removeEventFilter(this);
    }
    // Switching applies at once; a fading row starts hidden until the pointer comes near.
    setShown(!fading, false);
}

void ToolbarRowFader::setShown(bool shown, bool animated)
{
    const double target = shown ? 1.0 : 0.0;
    if (shown == m_shown && m_fade.state() != QAbstractAnimation::Running
        && opacity() == target)
        return;
    m_shown = shown;
    m_fade.stop();
    if (!animated) {
        m_effect->setOpacity(target);
        m_effect->setEnabled(!shown);
        return;
    }
    m_fade.setStartValue(opacity());
    m_fade.setEndValue(target);
    m_fade.start();
}

bool ToolbarRowFader::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseMove || !m_row)
        return false;
    QWidget *window = m_row->window();
    if (watched != window->windowHandle())
        return false;
    const QPointF pointer = static_cast<QMouseEvent *>(event)->position();
    const int rowBottom = m_row->isVisible() ? m_row->mapTo(window, QPoint(0, m_row->height())).y()
                                             : 0;
    setShown(pointer.y() >= 0 && pointer.y() < std::max(revealDistance, rowBottom), true);
    return false;
}

} // namespace veskel
