#include "StoryboardCore/Storage/FileOperations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace veskel::FileOperations {

namespace fs = std::filesystem;

namespace {

fs::path native(const QString &path)
{
    return fs::path(QFile::encodeName(path).toStdString());
}

QString describe(const std::error_code &error)
{
    return QString::fromLocal8Bit(error.message());
}

QString describe(std::errc code)
{
    return describe(std::make_error_code(code));
}

bool occupied(const fs::path &path)
{
    std::error_code error;
    // symlink_status: a dangling link still occupies the name.
    return fs::exists(fs::symlink_status(path, error));
}

QString clean(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// The trash folders Qt may choose: the home trash, or on another device
// $topdir/.Trash/$uid and $topdir/.Trash-$uid.
bool isTrashFolder(const QString &folder, const QString &homeTrash)
{
    if (folder == homeTrash)
        return true;
    const QFileInfo info(folder);
    const QString uid = QString::number(::getuid());
    if (info.fileName() == QStringLiteral(".Trash-") + uid)
        return true;
    return info.fileName() == uid && QFileInfo(info.path()).fileName() == QStringLiteral(".Trash");
}

// Unbuffered, so that a short write (a full disk) shows in write()'s count: through the buffer,
// Qt 6.4's commit() puts the truncated file in place and reports success.
bool openForWriting(QFileDevice &file, QIODevice::OpenMode extra = {})
{
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered | extra);
}

// Writing the rest again after a short write gives the system's reason in errorString().
bool writeAll(QFileDevice &file, const QByteArray &bytes)
{
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 step = file.write(bytes.constData() + written, bytes.size() - written);
        if (step <= 0)
            return false;
        written += step;
    }
    return true;
}

} // namespace

Result createDirectory(const QString &path, bool withParents)
{
    std::error_code error;
    const fs::path target = native(path);
    if (withParents)
        fs::create_directories(target, error);
    else
        fs::create_directory(target, error);
    if (error)
        return std::unexpected(describe(error));
    if (!fs::is_directory(target, error))
        return std::unexpected(describe(std::errc::not_a_directory));
    return {};
}

std::expected<void, MoveError> moveWithoutReplacing(const QString &from, const QString &to)
{
    const fs::path source = native(from);
    const fs::path target = native(to);
    const auto taken = [] {
        return std::unexpected(MoveError{true, describe(std::errc::file_exists)});
    };
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return {};
    const int reason = errno;
    if (reason == EEXIST)
        return taken();
    // File systems without the flag (some network ones): check, then rename, which plain
    // rename(2) would do silently over an empty folder.
    if (reason != EINVAL && reason != ENOSYS && reason != ENOTSUP)
        return std::unexpected(
            MoveError{false, describe(std::error_code(reason, std::generic_category()))});
    if (occupied(target))
        return taken();
    std::error_code error;
    fs::rename(source, target, error);
    if (error)
        return std::unexpected(MoveError{false, describe(error)});
    return {};
}

Result move(const QString &from, const QString &to)
{
    if (auto moved = moveWithoutReplacing(from, to); !moved)
        return std::unexpected(moved.error().description);
    return {};
}

Result copyFile(const QString &from, const QString &to)
{
    if (occupied(native(to)))
        return std::unexpected(describe(std::errc::file_exists));
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return std::unexpected(source.errorString());
    QSaveFile target(to);
    if (!openForWriting(target))
        return std::unexpected(target.errorString());
    constexpr qint64 chunkSize = 1 << 20;
    for (QByteArray chunk = source.read(chunkSize); !chunk.isEmpty();
         chunk = source.read(chunkSize)) {
        if (!writeAll(target, chunk))
            return std::unexpected(target.errorString());
    }
    if (source.error() != QFileDevice::NoError)
        return std::unexpected(source.errorString());
    if (!target.commit())
        return std::unexpected(target.errorString());
    return {};
}

Result removeFile(const QString &path)
{
    std::error_code error;
    if (!fs::remove(native(path), error) && !error)
        return std::unexpected(describe(std::errc::no_such_file_or_directory));
    if (error)
        return std::unexpected(describe(error));
    return {};
}

Result writeAtomically(const QString &path, const QByteArray &bytes)
{
    const QFileInfo target(path);
    // Removed on failure: the old file stays and nothing is left beside it.
    QTemporaryFile file(target.path() + QStringLiteral("/.") + target.fileName()
                        + QStringLiteral(".XXXXXX"));
    if (!file.open() || !writeAll(file, bytes) || !file.flush())
        return std::unexpected(file.errorString());
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                        | QFileDevice::ReadOther);
    if (::rename(QFile::encodeName(file.fileName()).constData(),
                 QFile::encodeName(path).constData())
        != 0)
        return std::unexpected(describe(std::error_code(errno, std::generic_category())));
    file.setAutoRemove(false);
    return {};
}

Result syncFolder(const QString &path)
{
    const int folder = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY);
    if (folder < 0)
        return std::unexpected(describe(std::error_code(errno, std::generic_category())));
    const int synced = ::fsync(folder);
    const int error = errno;
    ::close(folder);
    if (synced != 0)
        return std::unexpected(describe(std::error_code(error, std::generic_category())));
    return {};
}

Result writeNewFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!openForWriting(file, QIODevice::NewOnly))
        return std::unexpected(file.errorString());
    QString failure;
    if (!writeAll(file, bytes))
        failure = file.errorString();
    else if (::fdatasync(file.handle()) != 0)
        failure = describe(std::error_code(errno, std::generic_category()));
    file.close();
    if (failure.isEmpty())
        return {};
    (void)removeFile(path);
    return std::unexpected(failure);
}

std::expected<QString, QString> ensureHomeTrash()
{
    // The same base Qt's trashing uses (it honours XDG_DATA_HOME and the test mode).
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty())
        return std::unexpected(QStringLiteral("No home folder for the Trash"));
    const QString trash = clean(dataHome + QStringLiteral("/Trash"));
    const bool existed = QFileInfo(trash).isDir();
    for (const char *sub : {"files", "info"}) {
        if (Result made = createDirectory(trash + u'/' + QLatin1StringView(sub), true); !made)
            return std::unexpected(made.error());
    }
    if (!existed)
        QFile::setPermissions(trash, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                         | QFileDevice::ExeOwner);
    return trash;
}

namespace {

// The trashed item back at `to`, its info file gone.
Result putBack(const QString &trashed, const QString &to)
{
    if (Result moved = move(trashed, to); !moved)
        return moved;
    const QFileInfo info(trashed);
    QFile::remove(QFileInfo(info.path()).path() + QStringLiteral("/info/") + info.fileName()
                  + QStringLiteral(".trashinfo"));
    return {};
}

} // namespace

std::expected<QString, QString> moveToTrash(const QString &path)
{
    const QString source = clean(path);
    if (!occupied(native(source)))
        return std::unexpected(describe(std::errc::no_such_file_or_directory));
    const auto homeTrash = ensureHomeTrash();
    if (!homeTrash)
        return std::unexpected(homeTrash.error());

    QFile item(source);
    if (!item.moveToTrash())
        return std::unexpected(item.errorString());
    const QString trashed = clean(item.fileName());

    const QFileInfo trashedInfo(trashed);
    const QString filesFolder = trashedInfo.path();
    const bool arrived = !occupied(native(source)) && occupied(native(trashed))
                         && QFileInfo(filesFolder).fileName() == QStringLiteral("files")
                         && isTrashFolder(QFileInfo(filesFolder).path(), *homeTrash);
    if (arrived)
        return trashed;

    // Misplaced: put it back where it was and drop the info file written for it.
    if (occupied(native(trashed)) && !occupied(native(source)))
        (void)putBack(trashed, source);
    return std::unexpected(QStringLiteral("The item did not arrive in the Trash"));
}

Result restoreFromTrash(const QString &trashed, const QString &original)
{
    const QString item = clean(trashed);
    const QString filesFolder = QFileInfo(item).path();
    const auto homeTrash = ensureHomeTrash();
    if (!homeTrash)
        return std::unexpected(homeTrash.error());
    if (QFileInfo(filesFolder).fileName() != QStringLiteral("files")
        || !isTrashFolder(QFileInfo(filesFolder).path(), *homeTrash))
        return std::unexpected(QStringLiteral("The item is not in the Trash"));
    if (!occupied(native(item)))
        return std::unexpected(describe(std::errc::no_such_file_or_directory));
    return putBack(item, clean(original));
}

} // namespace veskel::FileOperations
