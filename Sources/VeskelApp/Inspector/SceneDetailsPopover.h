#pragma once

#include "VeskelApp/Inspector/SceneCardPreview.h"
#include "VeskelApp/Inspector/SceneImageSection.h"
#include "VeskelApp/Widgets/Popover.h"

#include <QPointer>

class QBoxLayout;
class QScrollArea;
class QToolButton;
class QPushButton;

namespace veskel {

class CompactDurationField;
class EditorScheduler;
class NarrationFitSection;
class NoticeBox;
class ProjectEditorViewModel;
class SceneNarrations;
class SceneTypeChips;

// The scene inspector: the primary scene's visual type, duration, reference image and the
// card it will export as, with its export warning. Every change goes through the view model
// (one undo step each). It closes when no scene is selected any more.
class SceneDetailsPopover : public Popover
{
    Q_OBJECT

public:
    static constexpr int contentWidth = 288;
    static constexpr int maximumHeight = 480;

    // The scheduler delays the card preview; without one it runs on timers.
    SceneDetailsPopover(ProjectEditorViewModel &model,
                        EditorScheduler *scheduler = nullptr,
                        SceneImageSection::FilePicker picker = SceneImageSection::systemPicker(),
                        SceneCardPreview::Renderer renderer = SceneCardPreview::pngRenderer(),
                        QWidget *parent = nullptr);
    ~SceneDetailsPopover() override;

    SceneTypeChips *typeChips() const { return m_chips; }
    CompactDurationField *durationField() const { return m_duration; }
    QPushButton *recalculateButton() const { return m_recalculate; }
    // Hidden while the scene has nothing to warn about.
    NoticeBox *warningBanner() const { return m_banner; }
    SceneImageSection *imageSection() const { return m_image; }
    QToolButton *cardDisclosure() const { return m_disclosure; }
    SceneCardPreview *cardPreview() const { return m_preview; }
    // The card beside the controls rather than under them.
    bool isSideBySide() const;
    // The narration's overflow and "Fit to Narration", under the duration; none without
    // narrations attached.
    void attachNarrations(SceneNarrations &narrations);
    NarrationFitSection *narrationSection() const { return m_narration; }

protected:
    void arrangeFor(const QSize &available) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void refresh();
    void setCardExpanded(bool expanded);
    // As tall as the content, up to the maximum; beyond it the content scrolls.
    void fitHeight();
    void setSideBySide(bool sideBySide);

    QPointer<ProjectEditorViewModel> m_model;
    std::unique_ptr<EditorScheduler> m_ownedScheduler;
    QScrollArea *m_scroll = nullptr;
    QWidget *m_content = nullptr;
    QBoxLayout *m_arrangement = nullptr;
    int m_columnWidth = contentWidth;
    int m_maximumHeight = maximumHeight;
    SceneTypeChips *m_chips = nullptr;
    CompactDurationField *m_duration = nullptr;
    QPushButton *m_recalculate = nullptr;
    NoticeBox *m_banner = nullptr;
    SceneImageSection *m_image = nullptr;
    QToolButton *m_disclosure = nullptr;
    SceneCardPreview *m_preview = nullptr;
    NarrationFitSection *m_narration = nullptr;
};

} // namespace veskel
