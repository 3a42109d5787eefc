#include "StoryboardCore/Storage/KnownPackages.h"

#include <QFile>

#include <sys/stat.h>

#include <map>

namespace veskel {

namespace {

// `path` with its leading `from` replaced by `to`; nothing when it does not lie at or below.
std::optional<QString> followed(const QString &path, const QString &from, const QString &to)
{
    if (path == from)
        return to;
    if (path.startsWith(from) && path.at(from.size()) == u'/')
        return to + path.mid(from.size());
    return std::nullopt;
}

} // namespace

std::optional<KnownPackages::FileStamp> KnownPackages::FileStamp::of(const QString &path)
{
    struct stat status
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    const auto nanoseconds
        = [](const timespec &time) { return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec; };
    return FileStamp{quint64(status.st_dev), quint64(status.st_ino), qint64(status.st_size),
                     nanoseconds(status.st_mtim), nanoseconds(status.st_ctim)};
}

bool KnownPackages::FileStamp::sameWrite(const FileStamp &other) const
{
    return device == other.device && inode == other.inode && size == other.size
           && modified == other.modified;
}

size_t KnownPackages::SeenFile::digestOf(const QByteArray &bytes)
{
    return qHash(bytes, 0);
}

std::shared_ptr<KnownPackages> KnownPackages::forRoot(const QString &root)
{
    // Held only while some store uses it, so roots of finished tests do not pile up.
    static QMutex mutex;
    static std::map<QString, std::weak_ptr<KnownPackages>> records;
    const QMutexLocker lock(&mutex);
    std::weak_ptr<KnownPackages> &slot = records[root];
    std::shared_ptr<KnownPackages> record = slot.lock();
    if (!record) {
        record = std::make_shared<KnownPackages>();
        slot = record;
    }
    return record;
}

std::optional<QString> KnownPackages::place(const QString &id) const
{
    const QMutexLocker lock(&m_mutex);
    const auto found = m_places.constFind(id);
    if (found == m_places.constEnd())
        return std::nullopt;
    return *found;
}

void KnownPackages::remember(const QString &id, const QString &package)
{
    const QMutexLocker lock(&m_mutex);
    m_places.insert(id, package);
}

void KnownPackages::moved(const QString &from, const QString &to)
{
    const QMutexLocker lock(&m_mutex);
    for (QString &package : m_places) {
        if (const auto moved = followed(package, from, to))
            package = *moved;
    }
    QHash<QString, std::pair<QString, QString>> freshIDs;
    for (auto it = m_freshIDs.cbegin(); it != m_freshIDs.cend(); ++it)
        freshIDs.insert(followed(it.key(), from, to).value_or(it.key()), it.value());
    m_freshIDs = std::move(freshIDs);
    m_verified.removeIf(
        [&](const auto &entry) { return followed(entry.key(), from, to).has_value(); });
}

void KnownPackages::forget(const QString &package)
{
    const QMutexLocker lock(&m_mutex);
    m_places.removeIf([&](const auto &entry) { return entry.value() == package; });
    m_freshIDs.remove(package);
    m_verified.remove(package);
}

std::optional<QString> KnownPackages::freshID(const QString &package, const QString &storedID) const
{
    const QMutexLocker lock(&m_mutex);
    const auto found = m_freshIDs.constFind(package);
    // Another project put in the place of a copy keeps its own id.
    if (found == m_freshIDs.constEnd() || found->first != storedID)
        return std::nullopt;
    return found->second;
}

void KnownPackages::giveFreshID(const QString &package,
                                const QString &storedID,
                                const QString &freshID)
{
    const QMutexLocker lock(&m_mutex);
    m_freshIDs.insert(package, {storedID, freshID});
    m_verified.remove(package);
}

void KnownPackages::clearFreshID(const QString &package)
{
    const QMutexLocker lock(&m_mutex);
    m_freshIDs.remove(package);
    m_verified.remove(package);
}

void KnownPackages::verified(const QString &package, const QString &id, const FileStamp &stamp)
{
    const QMutexLocker lock(&m_mutex);
    m_verified.insert(package, {id, stamp});
}

bool KnownPackages::stillHolds(const QString &package,
                               const QString &id,
                               const FileStamp &stamp) const
{
    const QMutexLocker lock(&m_mutex);
    const auto found = m_verified.constFind(package);
    return found != m_verified.constEnd() && found->first == id && found->second == stamp;
}

void KnownPackages::saw(const QString &id, const SeenFile &seen)
{
    const QMutexLocker lock(&m_mutex);
    m_seen.insert(id, seen);
}

std::optional<KnownPackages::SeenFile> KnownPackages::seen(const QString &id) const
{
    const QMutexLocker lock(&m_mutex);
    const auto found = m_seen.constFind(id);
    if (found == m_seen.constEnd())
        return std::nullopt;
    return *found;
}

} // namespace veskel
