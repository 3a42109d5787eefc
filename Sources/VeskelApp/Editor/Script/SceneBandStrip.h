#pragma once

#include <QPointer>
#include <QWidget>

namespace veskel {

class DocumentTextView;
class ProjectEditorViewModel;

// A strip beside the script drawn along its scene bands: it repaints when the bands move, the
// text scrolls or the project changes.
class SceneBandStrip : public QWidget
{
    Q_OBJECT

public:
    SceneBandStrip(ProjectEditorViewModel &model,
                   DocumentTextView &text,
                   QWidget *parent = nullptr);

protected:
    QPointer<ProjectEditorViewModel> m_model;
    DocumentTextView *m_text = nullptr;
};

} // namespace veskel
