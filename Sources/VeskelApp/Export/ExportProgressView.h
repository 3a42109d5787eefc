#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace veskel {

class ExportViewModel;

// The export sheet while the export runs: a busy bar, which counts the cards once the export
// reports them. No buttons, so no second export starts from the same sheet.
class ExportProgressView : public QWidget
{
    Q_OBJECT

public:
    explicit ExportProgressView(const ExportViewModel &model, QWidget *parent = nullptr);

    QProgressBar *progressBar() const { return m_bar; }

private:
    void updateProgress();

    const ExportViewModel &m_model;
    QProgressBar *m_bar = nullptr;
};

} // namespace veskel
