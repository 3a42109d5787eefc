#include "VeskelApp/Instance/HandoverMessage.h"

#include <QDir>
#include <QUrl>

namespace veskel::HandoverMessage {

QByteArray request(const QString &package)
{
    return QUrl::toPercentEncoding(package, "/") + '\n';
}

std::optional<QString> package(const QByteArray &line)
{
    if (!line.endsWith('\n') || line.size() > maximumLength)
        return std::nullopt;
    const QString path = QString::fromUtf8(QByteArray::fromPercentEncoding(line.chopped(1)));
    if (!path.isEmpty() && !QDir::isAbsolutePath(path))
        return std::nullopt;
    return path;
}

} // namespace veskel::HandoverMessage
