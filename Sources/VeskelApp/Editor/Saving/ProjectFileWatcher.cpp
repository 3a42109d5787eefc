#include "VeskelApp/Editor/Saving/ProjectFileWatcher.h"

#include "StoryboardCore/Storage/ProjectPackagePaths.h"

#include <QFileInfo>

namespace veskel {

ProjectFileWatcher::ProjectFileWatcher(const QString &packagePath, QObject *parent)
    : QObject(parent)
    , m_file(ProjectPackagePaths::projectJSONPath(packagePath))
{
    m_watcher.addPath(packagePath);
    watchFile();
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] {
        watchFile();
        emit changed();
    });
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        watchFile();
        emit changed();
    });
}

void ProjectFileWatcher::watchFile()
{
    if (!m_watcher.files().contains(m_file) && QFileInfo::exists(m_file))
        m_watcher.addPath(m_file);
}

} // namespace veskel
