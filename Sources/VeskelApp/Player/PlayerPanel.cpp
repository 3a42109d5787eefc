#include "VeskelApp/Player/PlayerPanel.h"

#include "StoryboardCore/Duration/DurationCalculator.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Narration/SceneNarrations.h"
#include "VeskelApp/Player/AudioSinkOutput.h"
#include "VeskelApp/Rendering/CardRenderPool.h"

#include <QFutureWatcher>
#include <QPainter>
#include <QtConcurrent/QtConcurrentRun>

namespace veskel {

namespace {

constexpr int statusHeight = 28;

} // namespace

PlayerPanel::PlayerPanel(ProjectEditorViewModel &model,
                         SceneNarrations &narrations,
                         QWidget *parent)
    : QWidget(parent)
    , m_model(&model)
    , m_narrations(narrations)
    , m_player(m_clock)
{
    setObjectName(QStringLiteral("PlayerPanel"));
    setMinimumHeight(160);
    hide();
    connect(&m_player, &PlayerViewModel::stateChanged, this,
            [this] { setVisible(m_player.isActive()); });
    connect(&m_player, &PlayerViewModel::sceneChanged, this, &PlayerPanel::renderCard);
    connect(&m_player, &PlayerViewModel::frameChanged, this,
            [this] { update(0, height() - statusHeight, width(), statusHeight); });
    connect(&narrations, &SceneNarrations::narrated, this,
            [this](const NarrationKey &key, std::shared_ptr<const NarrationAudio> audio) {
                if (!m_model)
                    return;
                for (const Scene &scene : m_player.timeline().scenes) {
                    if (SceneNarrations::key(scene, m_model->project()) == key)
                        m_player.setNarration(scene.id, audio);
                }
            });
    connect(&narrations, &SceneNarrations::unavailableMessageChanged, this,
            qOverload<>(&QWidget::update));
}

PlayerPanel::~PlayerPanel()
{
    ++m_generation;
    m_player.stop();
    m_player.setOutput(nullptr);
}

void PlayerPanel::playFromSelection()
{
    if (!m_model)
        return;
    const StoryboardProject &project = m_model->project();
    if (!m_output) {
        m_output = std::make_unique<AudioSinkOutput>();
        m_player.setOutput(m_output.get());
    }
    m_player.play(project, m_model->selectedSceneID().value_or(QString()));
    if (m_player.isActive())
        m_narrations.fetch(project);
}

void PlayerPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // A card drawn for a much smaller panel would show blurred.
    if (m_player.isActive()
        && (width() > m_cardSize.width() * 1.25 || height() > m_cardSize.height() * 1.25))
        renderCard();
}

void PlayerPanel::renderCard()
{
    const std::optional<Scene> scene = m_player.scene();
    if (!scene || !m_model)
        return;
    // The renderer's own picture at the size it will be shown at.
    const QSize area = size() - QSize(0, statusHeight);
    const int maxDimension = int(std::max(area.width(), area.height()) * devicePixelRatioF());
    const CardRenderInput input = m_model->cardPreviewInput(*scene, std::max(320, maxDimension));
    const quint64 generation = ++m_generation;
    auto *watcher = new QFutureWatcher<QImage>(this);
    connect(watcher, &QFutureWatcher<QImage>::finished, this, [this, watcher, generation, area] {
        watcher->deleteLater();
        if (generation != m_generation)
            return;
        m_card = watcher->result();
        m_cardSize = area;
        update();
        emit cardShown();
    });
    watcher->setFuture(QtConcurrent::run(cardRenderPool(), &renderCardImage, input));
}

QString PlayerPanel::statusText() const
{
    const std::optional<Scene> scene = m_player.scene();
    if (!scene)
        return {};
    const PlaybackTimeline &timeline = m_player.timeline();
    const double total = double(timeline.totalFrames()) / timeline.fps;
    QString text = scene->markerName() + QStringLiteral("   ")
                   + DurationCalculator::formatDuration(m_player.seconds()) + QStringLiteral(" / ")
                   + DurationCalculator::formatDuration(total);
    if (m_player.state() == PlayerViewModel::State::paused)
        text += QStringLiteral("   ") + tr("Paused");
    if (const auto &unavailable = m_narrations.unavailableMessage())
        text += QStringLiteral("   ") + *unavailable;
    return text;
}

void PlayerPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(20, 20, 22));
    const QRect area(0, 0, width(), height() - statusHeight);
    if (!m_card.isNull()) {
        QSizeF fitted = QSizeF(m_card.size()) / m_card.devicePixelRatio();
        fitted.scale(area.size(), Qt::KeepAspectRatio);
        const QRectF target(area.x() + (area.width() - fitted.width()) / 2,
                            area.y() + (area.height() - fitted.height()) / 2, fitted.width(),
                            fitted.height());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, m_card);
    }
    painter.setPen(QColor(235, 235, 235));
    painter.drawText(QRect(12, height() - statusHeight, width() - 24, statusHeight),
                     Qt::AlignVCenter | Qt::AlignLeft, statusText());
}

} // namespace veskel
