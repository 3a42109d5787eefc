#include "VeskelApp/Library/ProjectLibraryWatcher.h"

#include "VeskelApp/Scheduling/TimerEditorScheduler.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace veskel {

ProjectLibraryWatcher::ProjectLibraryWatcher(EditorScheduler *scheduler, QObject *parent)
    : QObject(parent)
    , m_scheduler(scheduler)
{
    if (!m_scheduler) {
        m_ownedScheduler = std::make_unique<TimerEditorScheduler>();
        m_scheduler = m_ownedScheduler.get();
    }
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
            &ProjectLibraryWatcher::noticed);
}

ProjectLibraryWatcher::~ProjectLibraryWatcher()
{
    if (m_pending)
        m_scheduler->cancel(m_pending);
}

void ProjectLibraryWatcher::watch(const QString &rootDirectory, const QStringList &folders)
{
    QSet<QString> wanted;
    const QDir root(rootDirectory);
    if (root.exists()) {
        wanted.insert(root.absolutePath());
        for (const QString &folder : folders) {
            const QString path = root.absoluteFilePath(folder);
            if (QFileInfo(path).isDir())
                wanted.insert(path);
        }
    }
    const QStringList current = m_watcher.directories();
    QStringList gone;
    for (const QString &path : current) {
        if (!wanted.remove(path))
            gone.append(path);
    }
    if (!gone.isEmpty())
        m_watcher.removePaths(gone);
    if (!wanted.isEmpty())
        m_watcher.addPaths(QStringList(wanted.cbegin(), wanted.cend()));
}

void ProjectLibraryWatcher::noticed()
{
    // Copying or unpacking many packages is one burst of changes: one listing covers it.
    if (m_pending)
        m_scheduler->cancel(m_pending);
    m_pending = m_scheduler->schedule(coalesceMs, [this] {
        m_pending = 0;
        emit changed();
    });
}

} // namespace veskel
