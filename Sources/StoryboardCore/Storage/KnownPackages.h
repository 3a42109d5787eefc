#pragma once

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QString>
#include <QtGlobal>

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
    // What the file system tells of a project file without reading it: which file it is and
    // when it last changed. Another file put in its place (a save, a copy, a package renamed
    // into its place) is another file; writing into it changes its times.
    struct FileStamp
    {
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = 0;
        qint64 modified = 0;      // nanoseconds since the epoch
        qint64 statusChanged = 0; // nanoseconds since the epoch

        // Nothing when the file cannot be examined.
        static std::optional<FileStamp> of(const QString &path);
        // The same file with no write since: renaming a file changes its status-change time
        // but not what it holds.
        bool sameWrite(const FileStamp &other) const;
        bool operator==(const FileStamp &) const = default;
    };

    // A project file as the store last read or wrote it: its stamp and a digest of its bytes,
    // since a write into it within the clock's granularity may leave the stamp as it was.
    struct SeenFile
    {
        FileStamp stamp;
        size_t digest = 0;

        static size_t digestOf(const QByteArray &bytes);
        bool operator==(const SeenFile &) const = default;
    };

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

    // The package's project file, as stamped, was read or written holding the project `id`
    // goes by; finding the same stamp again spares reading the file to check the id.
    void verified(const QString &package, const QString &id, const FileStamp &stamp);
    bool stillHolds(const QString &package, const QString &id, const FileStamp &stamp) const;

    // The project file the project `id` goes by was read whole or written as `seen`: a save
    // may replace that file and no other. Kept by id, not by package, since a package renamed
    // by hand still holds the same file.
    void saw(const QString &id, const SeenFile &seen);
    std::optional<SeenFile> seen(const QString &id) const;

private:
    mutable QMutex m_mutex;
    QHash<QString, QString> m_places;                         // project id → package
    QHash<QString, std::pair<QString, QString>> m_freshIDs;   // package → stored id, fresh id
    QHash<QString, std::pair<QString, FileStamp>> m_verified; // package → id, file stamp
    QHash<QString, SeenFile> m_seen;                          // project id → its file
};

} // namespace veskel
