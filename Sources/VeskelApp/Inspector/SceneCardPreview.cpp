#include "VeskelApp/Inspector/SceneCardPreview.h"

#include "CardRenderer/PNGCardRenderer.h"
#include "StoryboardCore/Duration/DurationCalculator.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Icons/IconProvider.h"
#include "VeskelApp/Rendering/CardRenderPool.h"
#include "VeskelApp/Widgets/SceneTypeAppearance.h"

#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace veskel {

namespace {

// The card as shown: fitted to the width, with rounded corners.
QPixmap roundedCard(const QImage &image, int width, qreal devicePixelRatio)
{
    const QImage fitted
        = image.scaledToWidth(int(width * devicePixelRatio), Qt::SmoothTransformation);
    QPixmap pixmap(fitted.size());
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath corners;
        corners.addRoundedRect(QRectF(pixmap.rect()), 8 * devicePixelRatio, 8 * devicePixelRatio);
        painter.setClipPath(corners);
        painter.drawImage(0, 0, fitted);
    }
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

} // namespace

SceneCardPreview::SceneCardPreview(ProjectEditorViewModel &model,
                                   EditorScheduler &scheduler,
                                   Renderer renderer,
                                   QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_scheduler(scheduler)
    , m_renderer(std::move(renderer))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    m_card = new QLabel;
    m_card->setObjectName(QStringLiteral("cardImage"));
    m_card->setAlignment(Qt::AlignCenter);
    m_card->setMinimumHeight(60);
    layout->addWidget(m_card);
    auto *captionRow = new QHBoxLayout;
    captionRow->setSpacing(4);
    auto *clock = new QLabel;
    clock->setPixmap(IconProvider::icon(QStringLiteral("clock")).pixmap(10, 10));
    captionRow->addWidget(clock);
    m_caption = new QLabel;
    m_caption->setObjectName(QStringLiteral("cardCaption"));
    m_caption->setTextFormat(Qt::PlainText);
    QFont small = m_caption->font();
    small.setPointSizeF(10);
    m_caption->setFont(small);
    m_caption->setForegroundRole(QPalette::PlaceholderText);
    captionRow->addWidget(m_caption, 1);
    layout->addLayout(captionRow);

    connect(&m_model, &ProjectEditorViewModel::selectedSceneChanged, this,
            &SceneCardPreview::sceneChanged);
    connect(&m_model, &ProjectEditorViewModel::projectChanged, this,
            &SceneCardPreview::reserveRoom);
    updateCaption();
    reserveRoom();
}

SceneCardPreview::~SceneCardPreview()
{
    cancel();
}

SceneCardPreview::Renderer SceneCardPreview::pngRenderer()
{
    return renderCardImage;
}

void SceneCardPreview::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (active)
        schedule(0);
    else
        cancel();
}

void SceneCardPreview::sceneChanged()
{
    updateCaption();
    if (!m_active)
        return;
    // Selection and unrelated project changes leave the card as it is.
    const std::optional<Scene> scene = m_model.selectedScene();
    if (scene && m_lastInput && m_model.cardPreviewInput(*scene, maxDimension) == *m_lastInput)
        return;
    schedule(debounceMs);
}

void SceneCardPreview::schedule(int delayMs)
{
    cancel();
    m_pending = m_scheduler.schedule(delayMs, [this] {
        m_pending = 0;
        render();
    });
}

void SceneCardPreview::cancel()
{
    ++m_generation;
    m_rendering = false;
    if (m_pending != 0) {
        m_scheduler.cancel(m_pending);
        m_pending = 0;
    }
}

void SceneCardPreview::render()
{
    const std::optional<Scene> scene = m_model.selectedScene();
    if (!scene)
        return;
    // The input is read here, on the main thread, where the view model lives; the worker gets
    // its own copy.
    m_lastInput = m_model.cardPreviewInput(*scene, maxDimension);
    const quint64 generation = m_generation;
    m_rendering = true;
    auto *watcher = new QFutureWatcher<QImage>(this);
    connect(watcher, &QFutureWatcher<QImage>::finished, this, [this, watcher, generation] {
        watcher->deleteLater();
        if (generation != m_generation)
            return;
        m_rendering = false;
        display(watcher->result());
    });
    watcher->setFuture(QtConcurrent::run(cardRenderPool(), m_renderer, *m_lastInput));
}

void SceneCardPreview::display(const QImage &image)
{
    if (image.isNull())
        return;
    m_image = image;
    m_card->setPixmap(roundedCard(image, cardSize().width(), devicePixelRatioF()));
    emit cardShown();
}

void SceneCardPreview::setColumnWidth(int width)
{
    m_columnWidth = width;
    reserveRoom();
}

QSize SceneCardPreview::cardSize() const
{
    const VideoSettings &video = m_model.project().videoSettings;
    if (video.width <= 0 || video.height <= 0)
        return QSize(m_columnWidth, m_columnWidth * 9 / 16);
    const int width = std::min(m_columnWidth, maxCardHeight * video.width / video.height);
    return QSize(width, width * video.height / video.width);
}

void SceneCardPreview::reserveRoom()
{
    m_card->setMinimumHeight(cardSize().height());
}

void SceneCardPreview::updateCaption()
{
    const std::optional<Scene> scene = m_model.selectedScene();
    if (!scene) {
        m_caption->clear();
        return;
    }
    m_caption->setText(DurationCalculator::formatDuration(scene->durationSeconds)
                       + QStringLiteral(" · ") + SceneTypeAppearance::localizedName(scene->type));
}

} // namespace veskel
