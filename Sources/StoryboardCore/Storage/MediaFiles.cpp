#include "StoryboardCore/Storage/MediaFiles.h"

#include "StoryboardCore/Logging/StoreLog.h"

#include "StoryboardCore/Storage/FileOperations.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace veskel::MediaFiles {

QString freeName(const QString &mediaFolder, const QString &sceneID, const QString &extension)
{
    const QDir folder(mediaFolder);
    const QString suffix = extension.isEmpty() ? QString() : u'.' + extension;
    const auto taken = [&](const QString &name) {
        const QFileInfo file(folder.filePath(name));
        return file.exists() || file.isSymLink();
    };
    QString name = sceneID + suffix;
    for (int n = 2; taken(name); ++n)
        name = sceneID + u'-' + QString::number(n) + suffix;
    return name;
}

bool isVeskelNamed(const QString &fileName)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^[0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12}"
        "(-[0-9]+)?(\\.[A-Za-z0-9]+)?$"));
    return pattern.match(fileName).hasMatch();
}

QSet<QString> referencedNames(const StoryboardProject &project)
{
    QSet<QString> names;
    for (const Scene &scene : project.scenes) {
        if (scene.image)
            names.insert(scene.image->localPath);
    }
    return names;
}

int removeUnreferenced(const QString &mediaFolder, const QSet<QString> &referenced)
{
    int removed = 0;
    const QFileInfoList entries
        = QDir(mediaFolder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &entry : entries) {
        const QString name = entry.fileName();
        // A link is not ours to remove, whatever its name.
        if (entry.isSymLink() || referenced.contains(name) || !isVeskelNamed(name))
            continue;
        if (FileOperations::removeFile(entry.filePath())) {
            ++removed;
            qCInfo(veskelStoreLog) << "removed unused image" << entry.filePath();
        }
    }
    return removed;
}

} // namespace veskel::MediaFiles
