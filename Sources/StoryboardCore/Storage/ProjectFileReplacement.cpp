#include "StoryboardCore/Storage/ProjectFileReplacement.h"

#include "StoryboardCore/Storage/FileOperations.h"
#include "StoryboardCore/Storage/PackageGuard.h"
#include "StoryboardCore/Storage/ProjectJSONCodec.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"
#include "StoryboardCore/Storage/ProjectVersions.h"
#include "StoryboardCore/Utilities/UUID.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTimeZone>

#include <functional>

namespace veskel::ProjectFileReplacement {

namespace Paths = ProjectPackagePaths;

namespace {

bool itemExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

std::unexpected<ProjectStoreError> failed(const QString &reason)
{
    return std::unexpected(
        ProjectStoreError::writeFailed(QStringLiteral("Could not save project.json: ") + reason));
}

std::unexpected<ProjectStoreError> refused(const QString &package)
{
    return std::unexpected(ProjectStoreError::changedOutside(QFileInfo(package).fileName()));
}

QDateTime modificationTime(const KnownPackages::FileStamp &stamp)
{
    return QDateTime::fromSecsSinceEpoch(stamp.modified / 1'000'000'000, QTimeZone::utc());
}

// Moves `from` to a free name that `pathFor(n)` gives, trying the next while names are taken.
std::expected<QString, FileOperations::MoveError>
moveToFreeName(const QString &from, const std::function<QString(int)> &pathFor)
{
    for (int attempt = 0;; ++attempt) {
        const QString to = pathFor(attempt);
        const auto moved = FileOperations::moveWithoutReplacing(from, to);
        if (moved)
            return to;
        if (!moved.error().targetTaken || attempt > 1000)
            return std::unexpected(moved.error());
    }
}

bool isTheSeenFile(const QString &path, const std::optional<KnownPackages::SeenFile> &seen)
{
    if (!seen)
        return false;
    const auto stamp = KnownPackages::FileStamp::of(path);
    if (!stamp || !stamp->sameWrite(seen->stamp))
        return false;
    const auto now = read(path);
    return now && KnownPackages::SeenFile::digestOf(now->bytes) == seen->digest;
}

// An unseen project.json was moved aside: back it goes, or, when another took its place
// meanwhile, beside that one as a conflict copy. Left in the versions folder if neither move
// can be made: never removed.
void putBack(const QString &package, const QString &aside)
{
    const QString json = Paths::projectJSONPath(package);
    const auto back = FileOperations::moveWithoutReplacing(aside, json);
    if (back || !back.error().targetTaken)
        return;
    const QString stamp = ProjectVersions::nameFor(QDateTime::currentDateTimeUtc());
    (void)moveToFreeName(aside, [&](int n) {
        return package + QStringLiteral("/project (changed outside ") + stamp
               + (n == 0 ? QString() : u' ' + QString::number(n + 1)) + QStringLiteral(").json");
    });
}

} // namespace

std::expected<ReadFile, QString> read(const QString &path)
{
    const auto stamp = KnownPackages::FileStamp::of(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::unexpected(file.errorString());
    ReadFile result;
    result.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::unexpected(file.errorString());
    if (stamp)
        result.seen
            = KnownPackages::SeenFile{*stamp, KnownPackages::SeenFile::digestOf(result.bytes)};
    return result;
}

bool isUnreadable(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return false;
    const auto file = read(path);
    return !file || !ProjectJSONCodec::decode(file->bytes);
}

std::expected<Replaced, ProjectStoreError>
replace(const QString &package,
        const QByteArray &bytes,
        const std::optional<KnownPackages::SeenFile> &seen)
{
    const QString json = Paths::projectJSONPath(package);
    const QString versions = Paths::versionsPath(package);
    for (const QString &path : {json, versions}) {
        if (auto ok = PackageGuard::check(package, path); !ok)
            return failed(ok.error());
    }

    const QString incoming
        = package + QStringLiteral("/.project-") + makeUUID() + QStringLiteral(".json.new");
    if (auto written = FileOperations::writeNewFile(incoming, bytes); !written)
        return failed(written.error());
    const auto discardIncoming = [&] { (void)FileOperations::removeFile(incoming); };

    Replaced replaced;
    if (itemExists(json)) {
        const auto stamp = KnownPackages::FileStamp::of(json);
        if (auto made = FileOperations::createDirectory(versions, false); !made) {
            discardIncoming();
            return failed(made.error());
        }
        const QDateTime savedAt
            = stamp ? modificationTime(*stamp) : QDateTime::currentDateTimeUtc();
        const auto aside = moveToFreeName(json, [&](int n) {
            const QString base = versions + u'/' + ProjectVersions::nameFor(savedAt);
            return (n == 0 ? base : base + u'-' + QString::number(n + 1)) + QStringLiteral(".json");
        });
        if (aside) {
            if (!isTheSeenFile(*aside, seen)) {
                putBack(package, *aside);
                discardIncoming();
                return refused(package);
            }
            replaced.previous = *aside;
        } else if (itemExists(json)) {
            discardIncoming();
            return failed(aside.error().description);
        }
        // Otherwise it went meanwhile: nothing to keep, nothing to check.
    }

    if (auto placed = FileOperations::moveWithoutReplacing(incoming, json); !placed) {
        discardIncoming();
        // The seen file stays a version: the project's last state before this save.
        if (placed.error().targetTaken)
            return refused(package);
        if (replaced.previous)
            (void)FileOperations::moveWithoutReplacing(*replaced.previous, json);
        return failed(placed.error().description);
    }
    const auto stamp = KnownPackages::FileStamp::of(json);
    if (stamp)
        replaced.written = {*stamp, KnownPackages::SeenFile::digestOf(bytes)};
    return replaced;
}

} // namespace veskel::ProjectFileReplacement
