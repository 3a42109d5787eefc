#pragma once

#include "CardRenderer/CardRenderInput.h"
#include "VeskelApp/Scheduling/EditorScheduler.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;

namespace veskel {

class ProjectEditorViewModel;

// The card the export would write for the primary scene, rendered on a worker thread: at once
// when the preview is shown, then half a second after the scene last changed. Each new render
// cancels the pending one, a superseded render never replaces the shown card, and hiding the
// preview cancels it.
class SceneCardPreview : public QWidget
{
    Q_OBJECT

public:
    // Draws one card; called on a worker thread. A null image means it could not.
    using Renderer = std::function<QImage(const CardRenderInput &)>;

    static constexpr int maxDimension = 1280;
    static constexpr int debounceMs = 500;
    // A tall (vertical) card is shown narrower, so the inspector stays on a small screen.
    static constexpr int maxCardHeight = 300;

    // The scheduler (not owned) must outlive the preview. It starts hidden (inactive).
    SceneCardPreview(ProjectEditorViewModel &model,
                     EditorScheduler &scheduler,
                     Renderer renderer = pngRenderer(),
                     QWidget *parent = nullptr);
    ~SceneCardPreview() override;

    // Shown or hidden by its disclosure: showing renders at once, hiding cancels.
    void setActive(bool active);
    // The card's room is kept from the start, at the project's aspect, so the popover's size
    // is right before the first picture arrives.
    void setColumnWidth(int width);
    QSize cardSize() const;
    bool isActive() const { return m_active; }
    bool isRenderScheduled() const { return m_pending != 0; }
    bool isRendering() const { return m_rendering; }

    QLabel *card() const { return m_card; }
    QLabel *caption() const { return m_caption; }
    // The last card shown, unscaled.
    const QImage &renderedImage() const { return m_image; }

    static Renderer pngRenderer();

signals:
    // A render finished and its card is shown.
    void cardShown();

private:
    void reserveRoom();
    void sceneChanged();
    void schedule(int delayMs);
    void cancel();
    void render();
    void display(const QImage &image);
    void updateCaption();

    ProjectEditorViewModel &m_model;
    EditorScheduler &m_scheduler;
    Renderer m_renderer;
    bool m_active = false;
    EditorScheduler::Handle m_pending = 0;
    // Bumped by every schedule and cancel: a render whose number is no longer current is dropped.
    quint64 m_generation = 0;
    bool m_rendering = false;
    std::optional<CardRenderInput> m_lastInput;
    QImage m_image;
    QLabel *m_card = nullptr;
    int m_columnWidth = 264;
    QLabel *m_caption = nullptr;
};

} // namespace veskel
