#include "StoryboardCore/Storage/SceneImageFormat.h"

#include <QFileInfo>

namespace veskel::SceneImageFormat {

const QSet<QString> &supportedExtensions()
{
    static const QSet<QString> extensions{
        QStringLiteral("png"),  QStringLiteral("jpg"), QStringLiteral("jpeg"),
        QStringLiteral("webp"), QStringLiteral("gif"), QStringLiteral("svg"),
        QStringLiteral("pdf"),
    };
    return extensions;
}

bool isSupported(const QString &path)
{
    return supportedExtensions().contains(QFileInfo(path).suffix().toLower());
}

std::optional<SceneImage::MimeType> mimeType(const QString &extension)
{
    using M = SceneImage::MimeType;
    const QString lower = extension.toLower();
    if (lower == u"png")
        return M::png;
    if (lower == u"jpg" || lower == u"jpeg")
        return M::jpeg;
    if (lower == u"webp")
        return M::webp;
    if (lower == u"gif")
        return M::gif;
    if (lower == u"svg")
        return M::svg;
    if (lower == u"pdf")
        return M::pdf;
    return std::nullopt;
}

} // namespace veskel::SceneImageFormat
