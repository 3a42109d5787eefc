#pragma once

#include "StoryboardCore/Models/Scene.h"
#include "VeskelApp/Widgets/Popover.h"

#include <QAbstractButton>

namespace veskel {

class ProjectEditorViewModel;

// One scene in the materials list: "S003", the title ("Untitled" when empty) and the duration.
class MaterialRow : public QAbstractButton
{
    Q_OBJECT

public:
    explicit MaterialRow(const Scene &scene, QWidget *parent = nullptr);

    const QString &sceneID() const { return m_sceneID; }
    QString title() const { return m_title; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QString m_sceneID;
    QString m_number;
    QString m_title;
    QString m_duration;
    bool m_hovered = false;
};

// What the film is made of: the project's scenes grouped by visual type (types in their
// declared order, empty ones left out, scenes in scene order). Choosing a row selects that
// scene alone, tells the editor (which shows the scene's heading) and closes the list.
class MaterialsPopover : public Popover
{
    Q_OBJECT

public:
    explicit MaterialsPopover(ProjectEditorViewModel &model, QWidget *parent = nullptr);

signals:
    void sceneChosen(const QString &sceneID);
};

} // namespace veskel
