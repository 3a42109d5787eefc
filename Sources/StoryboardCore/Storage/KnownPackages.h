#pragma once

#include <QHash>
#include <QMutex>
#include <QString>

#include <memory>
#include <optional>
#include <utility>

namespace veskel {

// Where the store last saw each project's package, so that saving one project reads no other;
// and the fresh ids of packages copied by hand, which share their project id with the
// original until their next save. A remembered place is a hint: the store checks that the
// package still holds the id before using it. Paths are standardised absolute paths.
// Thread-safe: stores on one root share one record, and the application lists projects on a
// worker thread with a store of its own while the editor saves on the main thread.
class KnownPackages
{
public:
    // The record every store of this process on `root` shares.
    static std::shared_ptr<KnownPackages> forRoot(const QString &root);

    std::optional<QString> place(const QString &id) const;
    void remember(const QString &id, const QString &package);
    // A package or sidebar folder was moved or renamed: whatever lies at or below `from`
    // follows it to `to`.
    void moved(const QString &from, const QString &to);
    // A package went to the Trash.
    void forget(const QString &package);

    // The id the package's project goes by instead of `storedID`, while its file holds that.
    std::optional<QString> freshID(const QString &package, const QString &storedID) const;
    void giveFreshID(const QString &package, const QString &storedID, const QString &freshID);
    // The file was written and holds the id it goes by.
    void clearFreshID(const QString &package);

private:
    mutable QMutex m_mutex;
    QHash<QString, QString> m_places;                       // project id → package
    QHash<QString, std::pair<QString, QString>> m_freshIDs; // package → stored id, fresh id
};

} // namespace veskel
