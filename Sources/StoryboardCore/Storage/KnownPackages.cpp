#include "StoryboardCore/Storage/KnownPackages.h"

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

std::optional<QString> KnownPackages::place(const QString &id) const
{
    const auto found = m_places.constFind(id);
    if (found == m_places.constEnd())
        return std::nullopt;
    return *found;
}

void KnownPackages::remember(const QString &id, const QString &package)
{
    m_places.insert(id, package);
}

void KnownPackages::moved(const QString &from, const QString &to)
{
    for (QString &package : m_places) {
        if (const auto moved = followed(package, from, to))
            package = *moved;
    }
    QHash<QString, QString> freshIDs;
    for (auto it = m_freshIDs.cbegin(); it != m_freshIDs.cend(); ++it)
        freshIDs.insert(followed(it.key(), from, to).value_or(it.key()), it.value());
    m_freshIDs = std::move(freshIDs);
}

void KnownPackages::forget(const QString &package)
{
    m_places.removeIf([&](const auto &entry) { return entry.value() == package; });
    m_freshIDs.remove(package);
}

std::optional<QString> KnownPackages::freshID(const QString &package) const
{
    const auto found = m_freshIDs.constFind(package);
    if (found == m_freshIDs.constEnd())
        return std::nullopt;
    return *found;
}

void KnownPackages::giveFreshID(const QString &package, const QString &id)
{
    m_freshIDs.insert(package, id);
}

void KnownPackages::clearFreshID(const QString &package)
{
    m_freshIDs.remove(package);
}

} // namespace veskel
