#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

namespace veskel {

class ProjectEditorViewModel;

// Under the script when the project file was changed outside while this window had unsaved
// edits: says where the other version was kept and offers to open it. Shown while the editor
// has such a copy to offer.
class OutsideChangeBar : public QFrame
{
    Q_OBJECT

public:
    explicit OutsideChangeBar(ProjectEditorViewModel &model, QWidget *parent = nullptr);

    QPushButton *openButton() const { return m_open; }
    QLabel *message() const { return m_message; }

signals:
    // The copy's project id.
    void openRequested(const QString &projectID);

private:
    void update();

    ProjectEditorViewModel &m_model;
    QLabel *m_message = nullptr;
    QPushButton *m_open = nullptr;
};

} // namespace veskel
