#pragma once

#include "VeskelApp/Timeline/ClipFrameCache.h"
#include "VeskelApp/Timeline/ClipResizeState.h"
#include "VeskelApp/Timeline/TimelineDragPreview.h"
#include "VeskelApp/Timeline/TimelineHit.h"
#include "VeskelApp/Timeline/TimelineLayout.h"
#include "VeskelApp/Timeline/TimelineThumbnailLoader.h"

#include <QHash>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>

class QMenu;
class QToolButton;

namespace veskel {

class EditorScheduler;
class PlayerViewModel;
class Preferences;
class SceneNarrations;
class ProjectEditorViewModel;
class TimelineCollapse;

// The film under the script: a ruler and one clip per timeline item, each as wide as its share
// of the total, drawn in one paint. The user selects clips, drags one to a new place, drags an
// edge to change a duration, inserts scenes at boundaries and reaches scene commands through
// the context menu; with the keyboard, Left and Right step the selection (Shift extends it) and
// Delete removes the selected scene, keeping its text. With a player attached, a Play button
// sits at the ruler and the playhead runs along the clips; Space plays, pauses and resumes,
// Escape stops, and Left and Right jump a scene while the film plays. Clips whose narration
// runs longer than the scene carry a mark. While the script scrolls it can shrink
// to a 6-point strip. Everything shown comes from the view model; the view keeps only the
// gesture in progress.
class SceneTimelineView : public QWidget
{
    Q_OBJECT

public:
    static constexpr double dragThreshold = 8;

    // Without a scheduler the delays run on timers; a given one is not owned. The renderer
    // draws thumbnails on a worker thread (the card renderer without one).
    SceneTimelineView(ProjectEditorViewModel &model,
                      Preferences &preferences,
                      EditorScheduler *scheduler = nullptr,
                      TimelineThumbnailLoader::Renderer renderer = {},
                      QWidget *parent = nullptr);
    ~SceneTimelineView() override;

    const TimelineLayout &layout() const { return m_layout; }
    const std::optional<TimelineDragPreview> &dragPreview() const { return m_dragPreview; }
    const std::optional<ClipResizeState> &resizeState() const { return m_resize; }
    bool isCollapsed() const;
    bool hasThumbnail(const QString &sceneID) const { return m_thumbnails.contains(sceneID); }

    // The centre of the item's clip, in the view's coordinates.
    QPoint clipCenter(qsizetype index) const;
    // The menus behind an insert control (after the item at `index`, -1 on an empty timeline)
    // and behind a scene clip; they delete themselves when closed.
    QMenu *insertMenu(qsizetype index);
    QMenu *sceneMenu(const QString &sceneID);

    QSize sizeHint() const override;

    // The player whose playhead is drawn and whose keys the timeline takes, and the narrations
    // whose overflow is marked; neither is owned.
    void attachPlayback(PlayerViewModel &player, SceneNarrations &narrations);
    QToolButton *playButton() const { return m_play; }

public slots:
    // The script scrolled: collapse until it has been still for a second.
    void noteScriptScrolled();

signals:
    // A clip was double-clicked: the scene inspector opens beside it.
    void inspectorRequested(const QString &sceneID, const QRect &anchorGlobal);
    // A clip was chosen by a click, the arrow keys or its menu: the script shows that scene.
    void sceneChosen(const QString &sceneID);
    // Play (the button, or Space while nothing plays): the film from the selected scene.
    void playRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    struct Press
    {
        QPointF position;
        TimelineHit hit;
        QString itemID;
    };

    void refresh();
    void relayout();
    void syncThumbnails();
    void updateCollapse();
    void setHover(const TimelineHit &hit);
    TimelineHit hitAt(QPointF position) const;
    void moveClip(const Press &press, QPointF translation, Qt::KeyboardModifiers modifiers);
    void resizeClip(const Press &press, QPointF translation);
    void finishClipGesture(const Press &press, Qt::KeyboardModifiers modifiers);
    void click(const QString &sceneID, Qt::KeyboardModifiers modifiers);
    void stepSelection(int direction, bool extend);
    // Space, Escape, Left and Right while a film plays or could; false for other keys.
    bool playbackKey(QKeyEvent *event);
    void updatePlayButton();
    QString helpText(const TimelineHit &hit) const;

    QPointer<ProjectEditorViewModel> m_model;
    Preferences &m_preferences;
    std::unique_ptr<EditorScheduler> m_ownedScheduler;
    TimelineCollapse *m_collapse = nullptr;
    TimelineThumbnailLoader *m_loader = nullptr;
    TimelineLayout m_layout;
    TimelineHit m_hover;
    std::optional<Press> m_press;
    std::optional<TimelineDragPreview> m_dragPreview;
    std::optional<ClipResizeState> m_resize;
    // Scaled down on arrival: the clips keep small copies, the cache the rendered cards.
    QHash<QString, QPixmap> m_thumbnails;
    ClipFrameCache m_clipFrames;
    QPointer<PlayerViewModel> m_player;
    SceneNarrations *m_narrations = nullptr;
    QToolButton *m_play = nullptr;
};

} // namespace veskel
