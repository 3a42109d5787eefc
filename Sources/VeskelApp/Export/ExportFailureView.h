#pragma once

#include <QWidget>

class QPushButton;

namespace veskel {

// The export sheet after a failed export: the error's message, Retry and Close.
class ExportFailureView : public QWidget
{
    Q_OBJECT

public:
    explicit ExportFailureView(const QString &message, QWidget *parent = nullptr);

    QPushButton *retryButton() const { return m_retry; }
    QPushButton *closeButton() const { return m_close; }

signals:
    void retryRequested();
    void closeRequested();

private:
    QPushButton *m_retry = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace veskel
