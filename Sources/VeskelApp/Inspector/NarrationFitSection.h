#pragma once

#include <QPointer>
#include <QWidget>

class QPushButton;

namespace veskel {

class NoticeBox;
class ProjectEditorViewModel;
class SceneNarrations;

// In the inspector, once the primary scene's narration is known to run longer than the scene:
// "Narration 7.5 s is longer than the scene (6 s)" with "Fit to Narration", which lengthens the
// scene to hold it (one undo step). Hidden otherwise; when narration is unavailable it says so.
class NarrationFitSection : public QWidget
{
    Q_OBJECT

public:
    NarrationFitSection(ProjectEditorViewModel &model,
                        SceneNarrations &narrations,
                        QWidget *parent = nullptr);

    NoticeBox *notice() const { return m_notice; }
    QPushButton *fitButton() const { return m_fit; }

    // "Narration 7.5 s is longer than the scene (6 s)"
    static QString overflowText(double narrationSeconds, double sceneSeconds);

signals:
    // Shown or hidden: the popover fits its height again.
    void contentChanged();

private:
    void refresh();

    QPointer<ProjectEditorViewModel> m_model;
    SceneNarrations &m_narrations;
    NoticeBox *m_notice = nullptr;
    QPushButton *m_fit = nullptr;
};

} // namespace veskel
