#pragma once

#include <QHash>
#include <QString>

#include <optional>

namespace veskel {

// Where the store last saw each project's package, so that saving one project reads no other;
// and the fresh ids of packages copied by hand, which share their project id with the
// original until their next save. A remembered place is a hint: the store checks that the
// package still holds the id before using it. Paths are standardised absolute paths.
class KnownPackages
{
public:
    std::optional<QString> place(const QString &id) const;
    void remember(const QString &id, const QString &package);
    // A package or sidebar folder was moved or renamed: whatever lies at or below `from`
    // follows it to `to`.
    void moved(const QString &from, const QString &to);
    // A package went to the Trash.
    void forget(const QString &package);

    // The id the package's project goes by instead of the one in its file.
    std::optional<QString> freshID(const QString &package) const;
    void giveFreshID(const QString &package, const QString &id);
    // The file was written and holds the id it goes by.
    void clearFreshID(const QString &package);

private:
    QHash<QString, QString> m_places;   // project id → package
    QHash<QString, QString> m_freshIDs; // package → id
};

} // namespace veskel
