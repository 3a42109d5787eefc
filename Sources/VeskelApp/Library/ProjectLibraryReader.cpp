#include "VeskelApp/Library/ProjectLibraryReader.h"

#include "StoryboardCore/Storage/LocalProjectStore.h"

#include <QtConcurrent/QtConcurrentRun>

namespace veskel {

ProjectLibraryReader::ProjectLibraryReader(QString rootDirectory, QObject *parent)
    : QObject(parent)
    , m_rootDirectory(std::move(rootDirectory))
{
    connect(&m_watcher, &QFutureWatcher<Result>::finished, this, &ProjectLibraryReader::done);
}

ProjectLibraryReader::~ProjectLibraryReader()
{
    // The worker only reads the disk; its result has nowhere to go once this object is gone.
    m_watcher.waitForFinished();
}

void ProjectLibraryReader::read()
{
    if (m_reading) {
        m_readAgain = true;
        return;
    }
    start();
}

void ProjectLibraryReader::start()
{
    m_reading = true;
    m_readAgain = false;
    emit started();
    m_watcher.setFuture(QtConcurrent::run([root = m_rootDirectory] {
        LocalProjectStore store(root);
        return ProjectLibraryListing::read(store);
    }));
}

void ProjectLibraryReader::done()
{
    if (m_readAgain) {
        // Something changed while this one read: its result may already be out of date.
        start();
        return;
    }
    m_reading = false;
    emit finished(m_watcher.result());
}

} // namespace veskel
