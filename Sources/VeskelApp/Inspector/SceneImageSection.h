#pragma once

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QPushButton;

namespace veskel {

class ProjectEditorViewModel;

// The primary scene's reference image: its preview with Replace… and Delete, or Add reference…
// when it has none. A chosen file is attached through the view model, which reports failures
// in its save error.
class SceneImageSection : public QWidget
{
    Q_OBJECT

public:
    // Asks the user for one image file; nothing when cancelled.
    using FilePicker = std::function<std::optional<QString>(QWidget *parent)>;

    explicit SceneImageSection(ProjectEditorViewModel &model,
                               FilePicker picker = systemPicker(),
                               QWidget *parent = nullptr);

    QLabel *preview() const { return m_preview; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *replaceButton() const { return m_replace; }
    QPushButton *deleteButton() const { return m_delete; }

    // A file dialog for PNG, JPEG, GIF, WebP, SVG and PDF.
    static FilePicker systemPicker();

private:
    void refresh();
    void pickImage();

    ProjectEditorViewModel &m_model;
    FilePicker m_picker;
    QLabel *m_preview = nullptr;
    QWidget *m_withImage = nullptr;
    QWidget *m_withoutImage = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_replace = nullptr;
    QPushButton *m_delete = nullptr;
    // The image the preview shows, so unrelated scene changes do not decode it again.
    QString m_shownPath;
};

} // namespace veskel
