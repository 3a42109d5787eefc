#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"

#include <QWidget>

class QCheckBox;
class QPushButton;

namespace veskel {

class NoticeBox;

// The export sheet's first screen: what the project is, which files will be written and what
// the check found; Export stays off while anything blocks.
class ExportReviewView : public QWidget
{
    Q_OBJECT

public:
    explicit ExportReviewView(const StoryboardProject &project, QWidget *parent = nullptr);

    QPushButton *exportButton() const { return m_export; }
    QPushButton *cancelButton() const { return m_cancel; }
    QCheckBox *animaticBox() const { return m_animatic; }
    // Null when there is nothing to show in it.
    NoticeBox *blockingBox() const { return m_blocking; }
    NoticeBox *warningBox() const { return m_warnings; }

signals:
    void exportRequested();
    void cancelRequested();
    void includeAnimaticToggled(bool include);

private:
    QPushButton *m_export = nullptr;
    QPushButton *m_cancel = nullptr;
    QCheckBox *m_animatic = nullptr;
    NoticeBox *m_blocking = nullptr;
    NoticeBox *m_warnings = nullptr;
};

} // namespace veskel
