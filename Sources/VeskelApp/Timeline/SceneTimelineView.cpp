#include "VeskelApp/Timeline/SceneTimelineView.h"

#include "StoryboardCore/Duration/DurationCalculator.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Icons/IconProvider.h"
#include "VeskelApp/Narration/SceneNarrations.h"
#include "VeskelApp/Player/PlayerViewModel.h"
#include "VeskelApp/Scheduling/TimerEditorScheduler.h"
#include "VeskelApp/Settings/Preferences.h"
#include "VeskelApp/Timeline/TimelineCollapse.h"
#include "VeskelApp/Timeline/TimelineMenus.h"
#include "VeskelApp/Timeline/TimelinePainter.h"
#include "VeskelApp/Timeline/TimelinePlayback.h"
#include "VeskelApp/Timeline/TimelineThumbnailCache.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QToolTip>

#include <cmath>

namespace veskel {

SceneTimelineView::SceneTimelineView(ProjectEditorViewModel &model,
                                     Preferences &preferences,
                                     EditorScheduler *scheduler,
                                     TimelineThumbnailLoader::Renderer renderer,
                                     QWidget *parent)
    : QWidget(parent)
    , m_model(&model)
    , m_preferences(preferences)
{
    setObjectName(QStringLiteral("sceneTimeline"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedHeight(int(TimelineHit::height));

    if (!scheduler) {
        m_ownedScheduler = std::make_unique<TimerEditorScheduler>();
        scheduler = m_ownedScheduler.get();
    }
    m_collapse = new TimelineCollapse(*scheduler, this);
    connect(m_collapse, &TimelineCollapse::scrollingChanged, this,
            &SceneTimelineView::updateCollapse);
    connect(&preferences, &Preferences::changed, this, [this](const QString &key) {
        if (key == Preferences::timelineScrollModeKey)
            updateCollapse();
    });

    const auto cardInput = [this](const QString &sceneID) -> std::optional<CardRenderInput> {
        if (!m_model)
            return std::nullopt;
        if (const Scene *scene = m_model->project().scene(sceneID))
            return m_model->cardPreviewInput(*scene, TimelineThumbnailLoader::maximumDimension);
        return std::nullopt;
    };
    m_loader = new TimelineThumbnailLoader(cardInput, *scheduler, nullptr, std::move(renderer),
                                           nullptr, this);
    connect(m_loader, &TimelineThumbnailLoader::thumbnailReady, this,
            [this](const QString &sceneID, const QImage &image) {
                const qreal ratio = devicePixelRatioF();
                QPixmap scaled = QPixmap::fromImage(
                    image.scaledToHeight(int(std::lround(TimelinePainter::thumbnailHeight * ratio)),
                                         Qt::SmoothTransformation));
                scaled.setDevicePixelRatio(ratio);
                m_thumbnails.insert(sceneID, scaled);
                update();
            });

    connect(&model, &ProjectEditorViewModel::projectChanged, this, &SceneTimelineView::refresh);
    connect(&model, &ProjectEditorViewModel::selectedSceneIDsChanged, this,
            qOverload<>(&SceneTimelineView::update));
    connect(&model, &ProjectEditorViewModel::selectedSceneIDChanged, this,
            qOverload<>(&SceneTimelineView::update));
    refresh();
}

SceneTimelineView::~SceneTimelineView()
{
    // Both cancel their delays on a scheduler this view may own.
    delete m_loader;
    delete m_collapse;
}

bool SceneTimelineView::isCollapsed() const
{
    return m_collapse->isCollapsed(m_preferences.timelineScrollMode());
}

QSize SceneTimelineView::sizeHint() const
{
    return {600, int(TimelineHit::height)};
}

QPoint SceneTimelineView::clipCenter(qsizetype index) const
{
    return TimelineHit::clipRect(m_layout, index).center().toPoint();
}

void SceneTimelineView::noteScriptScrolled()
{
    m_collapse->noteScrolled();
}

void SceneTimelineView::updateCollapse()
{
    setFixedHeight(int(isCollapsed() ? TimelineHit::miniStripHeight : TimelineHit::height));
    update();
}

void SceneTimelineView::refresh()
{
    if (!m_model)
        return;
    m_layout = TimelineLayout(width(), m_model->timelineItems());
    if (m_dragPreview && !m_layout.clipStarts.contains(m_dragPreview->sceneID))
        m_dragPreview.reset();
    syncThumbnails();
    update();
}

void SceneTimelineView::relayout()
{
    m_layout = TimelineLayout(width(), std::move(m_layout.items));
    update();
}

void SceneTimelineView::syncThumbnails()
{
    const VideoSettings &video = m_model->project().videoSettings;
    const QSize cardSize(video.width, video.height);
    QList<TimelineThumbnailLoader::Request> requests;
    requests.reserve(m_layout.items.size());
    for (const TimelineItem &item : std::as_const(m_layout.items)) {
        if (item.isScene()) {
            const Scene &scene = item.asScene();
            requests.append({scene.id, TimelineThumbnailCache::fingerprint(scene, cardSize)});
        }
    }
    m_loader->sync(requests);
    m_thumbnails.removeIf([this](const QHash<QString, QPixmap>::iterator &entry) {
        return !m_layout.clipStarts.contains(entry.key());
    });
}

void SceneTimelineView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    TimelinePainter::State state;
    state.layout = &m_layout;
    state.size = size();
    state.palette = palette();
    state.font = font();
    if (m_model) {
        state.selectedSceneIDs = m_model->selectedSceneIDs();
        state.primarySceneID = m_model->selectedSceneID();
        if (m_narrations)
            state.overflowingSceneIDs
                = TimelinePlayback::overflowingScenes(m_layout, m_model->project(), *m_narrations);
    }
    if (m_player)
        state.playheadX = TimelinePlayback::playheadX(m_layout, *m_player);
    state.hover = m_hover;
    state.dragPreview = m_dragPreview;
    state.resize = m_resize;
    state.thumbnails = &m_thumbnails;
    state.frames = &m_clipFrames;
    state.emptyText = tr("The film appears here once scenes are marked in the text");
    state.ghostLabel = tr("No visual");
    const TimelinePainter timeline(state);
    if (isCollapsed())
        timeline.paintMiniStrip(painter);
    else
        timeline.paint(painter);
}

void SceneTimelineView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    relayout();
}

TimelineHit SceneTimelineView::hitAt(QPointF position) const
{
    if (isCollapsed())
        return {};
    return TimelineHit::at(m_layout, size(), position);
}

void SceneTimelineView::setHover(const TimelineHit &hit)
{
    if (hit == m_hover)
        return;
    m_hover = hit;
    if (hit.kind == TimelineHit::Kind::edgeGrip)
        setCursor(Qt::SizeHorCursor);
    else if (hit.kind == TimelineHit::Kind::insertControl)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
    update();
}

void SceneTimelineView::leaveEvent(QEvent *event)
{
    if (!m_press)
        setHover({});
    QWidget::leaveEvent(event);
}

void SceneTimelineView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_model) {
        QWidget::mousePressEvent(event);
        return;
    }
    const TimelineHit hit = hitAt(event->position());
    switch (hit.kind) {
    case TimelineHit::Kind::insertControl: {
        const QRectF control = hit.index < 0 ? TimelineHit::emptyInsertControlRect(size())
                                             : TimelineHit::insertControlRect(m_layout, hit.index);
        insertMenu(hit.index)->popup(mapToGlobal(control.bottomLeft().toPoint()));
        break;
    }
    case TimelineHit::Kind::clip:
    case TimelineHit::Kind::edgeGrip:
        m_press = Press{event->position(), hit, m_layout.items.at(hit.index).id()};
        break;
    case TimelineHit::Kind::none:
        break;
    }
    event->accept();
}

void SceneTimelineView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_press || !(event->buttons() & Qt::LeftButton)) {
        setHover(hitAt(event->position()));
        return;
    }
    const QPointF translation = event->position() - m_press->position;
    if (m_press->hit.kind == TimelineHit::Kind::edgeGrip)
        resizeClip(*m_press, translation);
    else
        moveClip(*m_press, translation, event->modifiers());
}

void SceneTimelineView::moveClip(const Press &press,
                                 QPointF translation,
                                 Qt::KeyboardModifiers modifiers)
{
    if (press.hit.index >= m_layout.items.size() || !m_layout.items.at(press.hit.index).isScene())
        return;
    const double distance = std::hypot(translation.x(), translation.y());
    const double pointerX = press.position.x() + translation.x() - TimelineLayout::inset;
    const bool owned = m_dragPreview && m_dragPreview->sceneID == press.itemID;
    if (distance < dragThreshold) {
        if (owned)
            m_dragPreview.reset();
    } else if (owned
               || (!m_dragPreview && !(modifiers & (Qt::ShiftModifier | Qt::ControlModifier)))) {
        m_dragPreview
            = TimelineDragPreview{press.itemID, m_layout.insertionIndex(pointerX), translation.x()};
    }
    update();
}

void SceneTimelineView::resizeClip(const Press &press, QPointF translation)
{
    if (!m_resize || m_resize->sceneID != press.itemID || m_resize->edge != press.hit.edge) {
        const Scene *scene = m_model->project().scene(press.itemID);
        if (!scene)
            return;
        // The scale of the drag's start, so the edge stays under the pointer while the total
        // changes.
        m_resize = ClipResizeState{
            press.itemID, press.hit.edge, scene->durationSeconds,
            m_layout.trackWidth > 0 ? m_layout.totalDuration / m_layout.trackWidth : 0};
    }
    const double change = m_resize->secondsPerPixel * translation.x();
    m_model->resizeScene(m_resize->sceneID, m_resize->edge == ClipEdge::trailing
                                                ? m_resize->startDuration + change
                                                : m_resize->startDuration - change);
    update();
}

void SceneTimelineView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_press || !m_model) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const Press press = *m_press;
    m_press.reset();
    const QPointF translation = event->position() - press.position;
    if (m_resize) {
        m_resize.reset();
        m_model->commitSceneDuration();
        update();
        return;
    }
    if (press.hit.index >= m_layout.items.size())
        return;
    const TimelineItem &item = m_layout.items.at(press.hit.index);
    if (item.isScene()) {
        finishClipGesture(press, event->modifiers());
    } else if (std::hypot(translation.x(), translation.y()) < dragThreshold) {
        const QList<QString> &blocks = item.asGhost().blockIDs;
        if (!blocks.isEmpty())
            m_model->revealBlock(blocks.constFirst());
    }
    setHover(hitAt(event->position()));
}

void SceneTimelineView::finishClipGesture(const Press &press, Qt::KeyboardModifiers modifiers)
{
    const std::optional<TimelineDragPreview> preview = std::exchange(m_dragPreview, std::nullopt);
    update();
    if (preview && preview->sceneID == press.itemID) {
        m_model->moveSceneBlocks(press.itemID,
                                 firstSceneID(m_layout.items, preview->insertionIndex));
        return;
    }
    click(press.itemID, modifiers);
}

void SceneTimelineView::click(const QString &sceneID, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::ShiftModifier)
        m_model->selectRange(sceneID);
    else if (modifiers & Qt::ControlModifier)
        m_model->toggleSelection(sceneID);
    else
        m_model->selectOnly(sceneID);
    emit sceneChosen(sceneID);
}

void SceneTimelineView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const TimelineHit hit = hitAt(event->position());
    if (event->button() == Qt::LeftButton && hit.kind == TimelineHit::Kind::clip
        && m_layout.items.at(hit.index).isScene()) {
        const QRectF clip = TimelineHit::clipRect(m_layout, hit.index);
        emit inspectorRequested(m_layout.items.at(hit.index).id(),
                                QRect(mapToGlobal(clip.topLeft().toPoint()), clip.size().toSize()));
        event->accept();
        return;
    }
    mousePressEvent(event);
}

void SceneTimelineView::contextMenuEvent(QContextMenuEvent *event)
{
    const TimelineHit hit = hitAt(event->pos());
    if (m_dragPreview || m_resize
        || (hit.kind != TimelineHit::Kind::clip && hit.kind != TimelineHit::Kind::edgeGrip)
        || !m_layout.items.at(hit.index).isScene()) {
        event->ignore();
        return;
    }
    // The menu acts on what is selected, so the clip under it is selected first.
    const QString sceneID = m_layout.items.at(hit.index).id();
    if (!m_model->selectedSceneIDs().contains(sceneID)) {
        m_model->selectOnly(sceneID);
        emit sceneChosen(sceneID);
    }
    sceneMenu(sceneID)->popup(event->globalPos());
    event->accept();
}

QMenu *SceneTimelineView::insertMenu(qsizetype index)
{
    const std::optional<QString> before
        = index < 0 ? std::nullopt : firstSceneID(m_layout.items, index + 1);
    QMenu *menu = TimelineMenus::insertMenu(*m_model, before, this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    return menu;
}

QMenu *SceneTimelineView::sceneMenu(const QString &sceneID)
{
    QMenu *menu = TimelineMenus::sceneMenu(*m_model, sceneID, this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    return menu;
}

void SceneTimelineView::keyPressEvent(QKeyEvent *event)
{
    if (!m_model || m_press) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (playbackKey(event)) {
        event->accept();
        return;
    }
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        stepSelection(-1, extend);
        break;
    case Qt::Key_Right:
        stepSelection(1, extend);
        break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        m_model->deleteSelectedScene();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void SceneTimelineView::attachPlayback(PlayerViewModel &player, SceneNarrations &narrations)
{
    m_player = &player;
    m_narrations = &narrations;
    m_play = new QToolButton(this);
    m_play->setObjectName(QStringLiteral("play"));
    m_play->setAutoRaise(true);
    m_play->setFocusPolicy(Qt::NoFocus);
    m_play->setIconSize(QSize(12, 12));
    m_play->setGeometry(1, 2, 18, 18);
    m_play->show();
    connect(m_play, &QToolButton::clicked, this, [this] {
        if (m_player && m_player->isActive())
            m_player->togglePause();
        else
            emit playRequested();
    });
    connect(&player, &PlayerViewModel::frameChanged, this, qOverload<>(&QWidget::update));
    connect(&player, &PlayerViewModel::stateChanged, this, [this] {
        updatePlayButton();
        update();
    });
    connect(&narrations, &SceneNarrations::narrated, this, qOverload<>(&QWidget::update));
    updatePlayButton();
}

void SceneTimelineView::updatePlayButton()
{
    const bool playing = m_player && m_player->state() == PlayerViewModel::State::playing;
    m_play->setIcon(
        IconProvider::icon(playing ? QStringLiteral("pause.fill") : QStringLiteral("play.fill")));
    m_play->setToolTip(playing ? tr("Pause") : tr("Play"));
}

bool SceneTimelineView::playbackKey(QKeyEvent *event)
{
    if (!m_player || event->modifiers() & ~Qt::KeypadModifier)
        return false;
    const bool active = m_player->isActive();
    switch (event->key()) {
    case Qt::Key_Space:
        if (active)
            m_player->togglePause();
        else
            emit playRequested();
        return true;
    case Qt::Key_Escape:
        m_player->stop();
        return active;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (!active)
            return false;
        m_player->jump(event->key() == Qt::Key_Left ? -1 : 1);
        return true;
    default:
        return false;
    }
}

void SceneTimelineView::stepSelection(int direction, bool extend)
{
    QList<QString> scenes;
    for (const TimelineItem &item : std::as_const(m_layout.items)) {
        if (item.isScene())
            scenes.append(item.asScene().id);
    }
    if (scenes.isEmpty())
        return;
    const std::optional<QString> &primary = m_model->selectedSceneID();
    const qsizetype current = primary ? scenes.indexOf(*primary) : -1;
    const qsizetype next = current < 0
                               ? (direction > 0 ? 0 : scenes.size() - 1)
                               : std::clamp<qsizetype>(current + direction, 0, scenes.size() - 1);
    if (extend)
        m_model->selectRange(scenes.at(next));
    else
        m_model->selectOnly(scenes.at(next));
    emit sceneChosen(scenes.at(next));
}

QString SceneTimelineView::helpText(const TimelineHit &hit) const
{
    switch (hit.kind) {
    case TimelineHit::Kind::insertControl:
        return TimelineMenus::insertHelp();
    case TimelineHit::Kind::clip:
    case TimelineHit::Kind::edgeGrip: {
        const TimelineItem &item = m_layout.items.at(hit.index);
        if (item.isGhost())
            return tr("Text without a visual — click to jump to the paragraphs");
        const Scene &scene = item.asScene();
        const QString title = scene.title.trimmed().isEmpty() ? tr("Untitled") : scene.title;
        return QStringLiteral("S%1 · %2 · %3")
            .arg(scene.sceneNumber(), title,
                 DurationCalculator::formatDuration(scene.durationSeconds));
    }
    case TimelineHit::Kind::none:
        break;
    }
    return {};
}

bool SceneTimelineView::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString text = helpText(hitAt(help->pos()));
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), text, this);
        }
        return true;
    }
    return QWidget::event(event);
}

} // namespace veskel
