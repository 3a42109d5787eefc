#pragma once

#include <QFrame>
#include <QPointer>

class QPushButton;
class QTimer;

namespace veskel {

class AppModel;

// "Moved to Trash" under the project list for a few seconds after a deletion, with Undo,
// which brings the project back from the Trash.
class TrashNotice : public QFrame
{
    Q_OBJECT

public:
    static constexpr int shownMs = 8000;

    explicit TrashNotice(AppModel &model, QWidget *parent = nullptr);

    QPushButton *undoButton() const { return m_undo; }
    QTimer *expiry() const { return m_expiry; }

private:
    void follow();

    QPointer<AppModel> m_model;
    QPushButton *m_undo = nullptr;
    QTimer *m_expiry = nullptr;
};

} // namespace veskel
