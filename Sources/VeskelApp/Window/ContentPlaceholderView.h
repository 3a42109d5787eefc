#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace veskel {

class AppModel;

// What the detail column shows with no project open: the film symbol, "Select or create a
// project" and where projects are stored. While the list is empty it offers the sample
// project, so a first start has something real to open.
class ContentPlaceholderView : public QWidget
{
    Q_OBJECT

public:
    explicit ContentPlaceholderView(AppModel &model, QWidget *parent = nullptr);

    QPushButton *sampleButton() const { return m_sample; }

    // "~/Movies/Veskel/Projects/" for a folder in the home folder.
    static QString displayPath(const QString &directory);

private:
    void updateSampleOffer();

    AppModel *m_model = nullptr;
    QPushButton *m_sample = nullptr;
    QLabel *m_sampleNote = nullptr;
};

} // namespace veskel
