#pragma once

#include "StoryboardCore/Models/SceneImage.h"

#include "VeskelApp/Editor/Script/SceneBandStrip.h"

#include <QHash>
#include <QImage>
#include <QSet>

namespace veskel {

class DocumentTextView;
class ProjectEditorViewModel;

// The strip right of the script: a thumbnail of every scene's reference image beside the
// scene's text, joined to it by a dashed thread. Images are read and scaled off the main
// thread and kept by file path.
class ScriptMargin : public SceneBandStrip
{
    Q_OBJECT

public:
    static constexpr int marginWidth = 56;
    static constexpr int compactWidth = 48;
    static constexpr int thumbnailSize = 44;

    ScriptMargin(ProjectEditorViewModel &model, DocumentTextView &text, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    struct Item
    {
        QString sceneID;
        QString path;
        QString fileName;
        SceneImage::MimeType mimeType;
        QRectF rect;
    };
    // The thumbnails on screen now.
    QList<Item> visibleItems() const;
    void request(const QString &path, SceneImage::MimeType mimeType);

    QHash<QString, QImage> m_thumbnails;
    QSet<QString> m_loading;
};

} // namespace veskel
