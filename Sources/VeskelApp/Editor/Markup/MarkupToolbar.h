#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;
class QToolButton;

namespace veskel {

class ProjectEditorViewModel;

// The bar above the script: four markup buttons (scene heading, voiceover, on-slide text,
// note) that ask the text view for a markup command, and the film's running time. Where the
// window is narrow the buttons show only their markers and the time its figure, so the bar
// never makes the window wider.
class MarkupToolbar : public QWidget
{
    Q_OBJECT

public:
    explicit MarkupToolbar(ProjectEditorViewModel &model, QWidget *parent = nullptr);

    QLabel *runningTime() const { return m_runningTime; }
    bool isCompact() const { return m_compact; }
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Button
    {
        QToolButton *button;
        QString marker;
        QString title;
    };

    void updateRunningTime();
    void setCompact(bool compact);

    QPointer<ProjectEditorViewModel> m_model;
    QList<Button> m_buttons;
    QLabel *m_caption = nullptr;
    QLabel *m_runningTime = nullptr;
    bool m_compact = false;
    int m_fullWidth = 0;
};

} // namespace veskel
