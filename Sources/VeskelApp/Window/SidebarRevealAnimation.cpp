#include "VeskelApp/Window/SidebarRevealAnimation.h"

#include <QEasingCurve>
#include <QSplitter>

namespace veskel {

SidebarRevealAnimation::SidebarRevealAnimation(QSplitter &splitter, QWidget &pane)
    : QObject(&splitter)
    , m_splitter(&splitter)
    , m_pane(&pane)
    , m_minimumWidth(pane.minimumWidth())
    , m_shown(!pane.isHidden())
{
    m_animation.setDuration(durationMs);
    m_animation.setEasingCurve(QEasingCurve::OutCubic);
    connect(&m_animation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant &value) { setPaneWidth(value.toInt()); });
    connect(&m_animation, &QVariantAnimation::finished, this, &SidebarRevealAnimation::finish);
}

void SidebarRevealAnimation::setPaneWidth(int width)
{
    // Before the window is laid out the splitter has no width yet: the proportion counts.
    const int total = std::max(m_splitter->width() - m_splitter->handleWidth(), width * 4);
    m_splitter->setSizes({width, total - width});
}

void SidebarRevealAnimation::setShown(bool shown, int width)
{
    if (!m_splitter || !m_pane)
        return;
    const bool settled = !isRunning() && m_pane->isHidden() == !shown
                         && (!shown || m_splitter->sizes().value(0) > 0);
    m_shown = shown;
    m_animation.stop();
    if (settled)
        return;
    const int from = m_pane->isHidden() ? 0 : m_splitter->sizes().value(0);
    m_animation.setStartValue(from);
    m_animation.setEndValue(shown ? width : 0);
    if (!m_splitter->isVisible()) {
        // Nothing to watch: straight to the end.
        m_pane->setVisible(shown);
        if (shown)
            setPaneWidth(width);
        return;
    }
    // Narrower than its minimum while it slides.
    m_pane->setMinimumWidth(0);
    m_pane->show();
    setPaneWidth(from);
    m_animation.start();
}

void SidebarRevealAnimation::finish()
{
    if (!m_splitter || !m_pane)
        return;
    m_pane->setMinimumWidth(m_minimumWidth);
    if (m_shown)
        setPaneWidth(m_animation.endValue().toInt());
    else
        m_pane->hide();
}

} // namespace veskel
