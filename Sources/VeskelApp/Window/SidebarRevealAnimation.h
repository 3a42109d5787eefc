#pragma once

#include <QObject>
#include <QPointer>
#include <QVariantAnimation>

class QSplitter;
class QWidget;

namespace veskel {

// Slides the first pane of a splitter open to a width or shut, over `durationMs`; the other
// pane takes the rest. While the window is not on screen the pane simply takes its end state.
class SidebarRevealAnimation : public QObject
{
    Q_OBJECT

public:
    static constexpr int durationMs = 200;

    // The pane's own minimum width is kept and given back after each slide.
    SidebarRevealAnimation(QSplitter &splitter, QWidget &pane);

    void setShown(bool shown, int width);
    bool isRunning() const { return m_animation.state() == QAbstractAnimation::Running; }

private:
    void setPaneWidth(int width);
    void finish();

    QPointer<QSplitter> m_splitter;
    QPointer<QWidget> m_pane;
    QVariantAnimation m_animation;
    int m_minimumWidth = 0;
    bool m_shown = true;
};

} // namespace veskel
