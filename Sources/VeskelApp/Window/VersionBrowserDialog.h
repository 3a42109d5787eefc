#pragma once

#include "StoryboardCore/Models/ProjectVersion.h"
#include "StoryboardCore/Protocols/ProjectStore.h"

#include <QDialog>
#include <QList>

#include <optional>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace veskel {

class ProjectEditorViewModel;

// File ▸ Browse Versions…: the open project's saved versions and the conflict copies beside it,
// newest first, each with its time and scene count and a preview of its script. Restore makes
// the chosen one the current project (one undo step in the editor).
class VersionBrowserDialog : public QDialog
{
    Q_OBJECT

public:
    VersionBrowserDialog(ProjectStore &store, ProjectEditorViewModel &editor, QWidget *parent);

    QListWidget *list() const { return m_list; }
    QPlainTextEdit *preview() const { return m_preview; }
    QPushButton *restoreButton() const { return m_restore; }

private:
    // The version chosen in the list, read; a version that cannot be read says why in the
    // preview.
    std::optional<StoryboardProject> chosenVersion();
    void showChosen();
    void restoreChosen();

    ProjectStore &m_store;
    ProjectEditorViewModel &m_editor;
    QString m_package;
    QList<ProjectVersion> m_versions;
    QListWidget *m_list = nullptr;
    QPlainTextEdit *m_preview = nullptr;
    QLabel *m_empty = nullptr;
    QPushButton *m_restore = nullptr;
};

} // namespace veskel
