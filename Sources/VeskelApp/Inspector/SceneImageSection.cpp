#include "VeskelApp/Inspector/SceneImageSection.h"

#include "CardRenderer/SceneImageLoader.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Icons/IconProvider.h"
#include "VeskelApp/Widgets/SecondaryLabel.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace veskel {

namespace {

const QSize previewSize(256, 144);

} // namespace

SceneImageSection::SceneImageSection(ProjectEditorViewModel &model,
                                     FilePicker picker,
                                     QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_picker(std::move(picker))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    m_withImage = new QWidget;
    auto *withImage = new QVBoxLayout(m_withImage);
    withImage->setContentsMargins(0, 0, 0, 0);
    m_preview = new QLabel;
    m_preview->setObjectName(QStringLiteral("referencePreview"));
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setMaximumHeight(previewSize.height());
    withImage->addWidget(m_preview);
    auto *buttons = new QHBoxLayout;
    m_replace = new QPushButton(tr("Replace…"));
    m_delete = new QPushButton(tr("Delete"));
    buttons->addWidget(m_replace);
    buttons->addWidget(m_delete);
    buttons->addStretch(1);
    withImage->addLayout(buttons);
    layout->addWidget(m_withImage);

    m_withoutImage = new QWidget;
    auto *withoutImage = new QVBoxLayout(m_withoutImage);
    withoutImage->setContentsMargins(0, 0, 0, 0);
    withoutImage->setSpacing(4);
    m_add = new QPushButton(IconProvider::icon(QStringLiteral("photo.badge.plus")),
                            tr("Add reference…"));
    withoutImage->addWidget(m_add, 0, Qt::AlignLeft);
    withoutImage->addWidget(secondaryLabel(tr("PNG, JPEG, WebP, GIF, SVG or PDF"), 0.85));
    layout->addWidget(m_withoutImage);

    connect(m_add, &QPushButton::clicked, this, &SceneImageSection::pickImage);
    connect(m_replace, &QPushButton::clicked, this, &SceneImageSection::pickImage);
    connect(m_delete, &QPushButton::clicked, &m_model,
            &ProjectEditorViewModel::removeAttachedImage);
    connect(&m_model, &ProjectEditorViewModel::selectedSceneChanged, this,
            &SceneImageSection::refresh);
    refresh();
}

SceneImageSection::FilePicker SceneImageSection::systemPicker()
{
    return [](QWidget *parent) -> std::optional<QString> {
        const QString path = QFileDialog::getOpenFileName(
            parent, tr("Choose a Reference Image"), QString(),
            tr("Images") + QStringLiteral(" (*.png *.jpg *.jpeg *.gif *.webp *.svg *.pdf)"));
        if (path.isEmpty())
            return std::nullopt;
        return path;
    };
}

void SceneImageSection::pickImage()
{
    // The dialog runs its own event loop, during which a popover holding this section may
    // close and be deleted; the view model outlives both.
    QPointer<ProjectEditorViewModel> model(&m_model);
    // The dialog belongs to the main window, not to a popover that may go meanwhile.
    QWidget *host = window();
    if (host->windowType() == Qt::Popup && host->parentWidget())
        host = host->parentWidget()->window();
    const std::optional<QString> path = m_picker(host);
    if (path && model)
        model->attachImage(*path);
}

void SceneImageSection::refresh()
{
    const std::optional<Scene> scene = m_model.selectedScene();
    const std::optional<QString> path
        = scene && scene->image ? m_model.sceneImagePath(*scene) : std::nullopt;
    m_withImage->setVisible(path.has_value());
    m_withoutImage->setVisible(!path.has_value());
    if (!path) {
        m_shownPath.clear();
        m_preview->clear();
        return;
    }
    // Keyed by the image's id too: a replacement keeps the file name.
    const QString shown = scene->image->id + u'|' + *path;
    if (shown == m_shownPath)
        return;
    m_shownPath = shown;
    const std::optional<QImage> image
        = SceneImageLoader::load(*path, scene->image->mimeType, QSizeF(previewSize));
    if (image) {
        // Converted first: smooth scaling turns a one-bit image black.
        m_preview->setPixmap(QPixmap::fromImage(
            image->convertToFormat(QImage::Format_ARGB32_Premultiplied)
                .scaled(previewSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    } else {
        m_preview->setText(scene->image->originalFileName);
    }
}

} // namespace veskel
