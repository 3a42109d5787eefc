#include "StoryboardCore/Storage/KnownPackages.h"

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
}

void KnownPackages::forget(const QString &package)
{
    const QMutexLocker lock(&m_mutex);
    m_places.removeIf([&](const auto &entry) { return entry.value() == package; });
    m_freshIDs.remove(package);
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
}

void KnownPackages::clearFreshID(const QString &package)
{
    const QMutexLocker lock(&m_mutex);
    m_freshIDs.remove(package);
}

} // namespace veskel
