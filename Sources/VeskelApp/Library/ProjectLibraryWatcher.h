#pragma once

#include "VeskelApp/Scheduling/EditorScheduler.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>

#include <memory>

namespace veskel {

// Notices changes made to the projects folder from outside the window (the command-line tool,
// a file manager): it watches the root and its sidebar folders and reports a burst of changes
// once, `coalesceMs` after the last. Saves inside a package do not touch the watched folders.
class ProjectLibraryWatcher : public QObject
{
    Q_OBJECT

public:
    static constexpr int coalesceMs = 300;

    // Without a scheduler, timers. A given one (not owned) must outlive the watcher.
    explicit ProjectLibraryWatcher(EditorScheduler *scheduler = nullptr, QObject *parent = nullptr);
    ~ProjectLibraryWatcher() override;

    // The root and these folders of it are watched from now on (missing ones are skipped).
    void watch(const QString &rootDirectory, const QStringList &folders);
    QStringList watchedDirectories() const { return m_watcher.directories(); }

signals:
    void changed();

private:
    void noticed();

    std::unique_ptr<EditorScheduler> m_ownedScheduler;
    EditorScheduler *m_scheduler = nullptr;
    QFileSystemWatcher m_watcher;
    EditorScheduler::Handle m_pending = 0;
};

} // namespace veskel
