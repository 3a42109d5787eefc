#pragma once

#include "VeskelApp/Library/ProjectLibraryListing.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>

namespace veskel {

// Lists the projects folder on a worker thread, with a store of its own (a store is used from
// one thread at a time), and hands the result back on the main thread. Asking while a listing
// runs lists once more after it: only the newest listing is handed back, so one that started
// before a change on disk never overwrites what came after.
class ProjectLibraryReader : public QObject
{
    Q_OBJECT

public:
    using Result = ProjectStore::Result<ProjectLibraryListing>;

    explicit ProjectLibraryReader(QString rootDirectory, QObject *parent = nullptr);
    ~ProjectLibraryReader() override;

    void read();
    bool isReading() const { return m_reading; }

signals:
    // A listing is about to read the disk: whatever changed before now is in its result.
    void started();
    void finished(const veskel::ProjectLibraryReader::Result &result);

private:
    void start();
    void done();

    QString m_rootDirectory;
    QFutureWatcher<Result> m_watcher;
    bool m_reading = false;
    bool m_readAgain = false;
};

} // namespace veskel
