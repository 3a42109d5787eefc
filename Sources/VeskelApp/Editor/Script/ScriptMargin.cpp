#include "VeskelApp/Editor/Script/ScriptMargin.h"

#include "CardRenderer/SceneImageLoader.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Editor/Script/DocumentTextView.h"

#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <QtConcurrent/QtConcurrentRun>

namespace veskel {

ScriptMargin::ScriptMargin(ProjectEditorViewModel &model, DocumentTextView &text, QWidget *parent)
    : SceneBandStrip(model, text, parent)
{
    setObjectName(QStringLiteral("scriptMargin"));
}

QList<ScriptMargin::Item> ScriptMargin::visibleItems() const
{
    QList<Item> items;
    if (!m_model)
        return items;
    QHash<QString, const Scene *> withImage;
    for (const Scene &scene : m_model->project().scenes) {
        if (scene.image)
            withImage.insert(scene.id, &scene);
    }
    if (withImage.isEmpty())
        return items;
    const int scroll = m_text->scrollY();
    for (const SceneBand &band : m_text->bands()) {
        if (!band.sceneID)
            continue;
        const Scene *scene = withImage.value(*band.sceneID);
        if (!scene)
            continue;
        const QRectF rect(width() - thumbnailSize - 4, band.minY - scroll, thumbnailSize,
                          thumbnailSize);
        if (rect.bottom() < 0 || rect.top() > height())
            continue;
        const auto path = m_model->sceneImagePath(*scene);
        if (!path)
            continue;
        items.append(
            Item{scene->id, *path, scene->image->originalFileName, scene->image->mimeType, rect});
    }
    return items;
}

void ScriptMargin::request(const QString &path, SceneImage::MimeType mimeType)
{
    if (m_loading.contains(path))
        return;
    m_loading.insert(path);
    constexpr int side = thumbnailSize * 2;
    // Decoded as the card decodes it: PDF and SVG too, palette images smoothed.
    auto future = QtConcurrent::run([path, mimeType] {
        const auto image = SceneImageLoader::load(path, mimeType, QSizeF(side, side));
        if (!image)
            return QImage();
        return image->scaled(side, side, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    });
    future.then(this, [this, path](const QImage &image) {
        m_loading.remove(path);
        // A file that cannot be read keeps a null entry, drawn as an empty frame.
        m_thumbnails.insert(path, image);
        update();
    });
}

void ScriptMargin::paintEvent(QPaintEvent *)
{
    const QList<Item> items = visibleItems();
    if (items.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QColor thread = palette().color(QPalette::Text);
    thread.setAlphaF(0.3f);
    for (const Item &item : items) {
        // The thread runs from the text's edge to the thumbnail.
        painter.setPen(QPen(thread, 1, Qt::DashLine));
        const double y = item.rect.top() + 10;
        painter.drawLine(QPointF(0, y), QPointF(item.rect.left(), y));
        QPainterPath clip;
        clip.addRoundedRect(item.rect, 6, 6);
        const auto found = m_thumbnails.constFind(item.path);
        if (found == m_thumbnails.constEnd()) {
            request(item.path, item.mimeType);
        } else if (!found->isNull()) {
            painter.save();
            painter.setClipPath(clip);
            const QImage &image = *found;
            const QRectF source((image.width() - item.rect.width() * 2) / 2,
                                (image.height() - item.rect.height() * 2) / 2,
                                item.rect.width() * 2, item.rect.height() * 2);
            painter.drawImage(item.rect, image, source);
            painter.restore();
        }
        painter.setPen(QPen(thread, 1));
        painter.drawPath(clip);
    }
}

bool ScriptMargin::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        for (const Item &item : visibleItems()) {
            if (item.rect.contains(help->pos())) {
                QToolTip::showText(help->globalPos(), tr("Reference: ") + item.fileName, this);
                return true;
            }
        }
        QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

} // namespace veskel
