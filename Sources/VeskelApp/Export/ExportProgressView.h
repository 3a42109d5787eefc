#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace veskel {

class ExportViewModel;

// The export sheet while the export runs: a busy bar, which counts the cards once the export
// reports them, then the animatic's frames. Its one button, Cancel, is there when the export
// writes the animatic, which it stops; none starts a second export from the same sheet.
class ExportProgressView : public QWidget
{
    Q_OBJECT

public:
    explicit ExportProgressView(const ExportViewModel &model, QWidget *parent = nullptr);

    QProgressBar *progressBar() const { return m_bar; }
    QPushButton *cancelButton() const { return m_cancel; }

signals:
    void cancelRequested();

private:
    void updateProgress();

    const ExportViewModel &m_model;
    QProgressBar *m_bar = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace veskel
