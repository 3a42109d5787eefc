#include "StoryboardCore/Storage/ProjectVersions.h"

#include "StoryboardCore/Logging/StoreLog.h"

#include "StoryboardCore/Storage/FileOperations.h"
#include "StoryboardCore/Storage/PackageGuard.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTimeZone>

#include <algorithm>

namespace veskel::ProjectVersions {

namespace Paths = ProjectPackagePaths;

namespace {

const QLatin1StringView jsonSuffix{".json"};

const QRegularExpression &versionPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4}-\\d\\d-\\d\\dT\\d\\d-\\d\\d-\\d\\dZ)(?:-([2-9]|[1-9]\\d+))?$"));
    return pattern;
}

// The version's time, then its number within that second, for ordering.
std::pair<QDateTime, qint64> orderKey(const QString &name)
{
    const QRegularExpressionMatch match = versionPattern().match(name);
    return {timeOf(name).value_or(QDateTime()),
            match.hasMatch() ? match.captured(2).toLongLong() : 0};
}

QString baseName(const QString &fileName)
{
    return fileName.chopped(jsonSuffix.size());
}

// Plain files of a folder (no links, no folders) whose names pass `accepts`, without ".json".
QStringList plainFileNames(const QString &folder, bool (*accepts)(const QString &))
{
    QStringList names;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo &entry : entries) {
        if (!entry.isSymLink() && accepts(entry.fileName()))
            names.append(baseName(entry.fileName()));
    }
    return names;
}

QDateTime wholeSecondsUTC(const QDateTime &time)
{
    return QDateTime::fromSecsSinceEpoch(time.toSecsSinceEpoch(), QTimeZone::utc());
}

// Read leniently: only JSON, not the project's schema, so that a version a later Veskel wrote
// still keeps its images and shows its scene count.
std::optional<QJsonObject> jsonOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isObject())
        return std::nullopt;
    return document.object();
}

struct NamedFile
{
    QString name;
    QString path;
    bool conflictCopy = false;
};

QList<NamedFile> namedFiles(const QString &package)
{
    QList<NamedFile> files;
    const QString versions = Paths::versionsPath(package);
    if (PackageGuard::check(package, versions)) {
        for (const QString &name : versionNames(package))
            files.append({name, versions + u'/' + name + jsonSuffix, false});
    }
    for (const QString &name : conflictCopyNames(package))
        files.append({name, package + u'/' + name + jsonSuffix, true});
    return files;
}

} // namespace

QString nameFor(const QDateTime &time)
{
    return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH-mm-ss")) + u'Z';
}

std::optional<QDateTime> timeOf(const QString &name)
{
    const QRegularExpressionMatch match = versionPattern().match(name);
    if (!match.hasMatch())
        return std::nullopt;
    QDateTime time
        = QDateTime::fromString(match.captured(1), QStringLiteral("yyyy-MM-ddTHH-mm-ssZ"));
    if (!time.isValid())
        return std::nullopt;
    time.setTimeZone(QTimeZone::utc());
    return time;
}

bool isVersionFileName(const QString &fileName)
{
    return fileName.endsWith(jsonSuffix) && timeOf(baseName(fileName)).has_value();
}

bool isConflictCopyFileName(const QString &fileName)
{
    static const QRegularExpression pattern(QStringLiteral("^project[ ._(\\-].*\\.json$"));
    return fileName != Paths::projectFileName && pattern.match(fileName).hasMatch();
}

bool keepsReplacedFile(const std::optional<QDateTime> &newest, const QDateTime &now)
{
    if (!newest)
        return true;
    // A version from the future (a clock set wrong) does not stop versions from being kept.
    const qint64 age = newest->secsTo(now);
    return age < 0 || age >= typingPauseSeconds;
}

QStringList thinned(const QStringList &names, const QDateTime &now)
{
    QStringList newestFirst;
    for (const QString &name : names) {
        if (timeOf(name))
            newestFirst.append(name);
    }
    std::sort(newestFirst.begin(), newestFirst.end(),
              [](const QString &a, const QString &b) { return orderKey(a) > orderKey(b); });
    const QDate today = now.toUTC().date();
    QSet<QDate> daysKept;
    QStringList removed;
    for (qsizetype i = keptNewest; i < newestFirst.size(); ++i) {
        const QString &name = newestFirst.at(i);
        const QDate day = timeOf(name)->date();
        if (day.daysTo(today) < keptDays && !daysKept.contains(day))
            daysKept.insert(day);
        else
            removed.append(name);
    }
    return removed;
}

QStringList versionNames(const QString &package)
{
    return plainFileNames(Paths::versionsPath(package), &isVersionFileName);
}

QStringList conflictCopyNames(const QString &package)
{
    return plainFileNames(package, &isConflictCopyFileName);
}

std::optional<QString> newestConflictCopy(const QString &package)
{
    std::optional<QString> newest;
    QDateTime newestTime;
    for (const QString &name : conflictCopyNames(package)) {
        const QString path = package + u'/' + name + jsonSuffix;
        const QDateTime modified = QFileInfo(path).lastModified();
        if (!newest || modified > newestTime || (modified == newestTime && path > *newest)) {
            newest = path;
            newestTime = modified;
        }
    }
    return newest;
}

std::optional<QString> fileOf(const QString &package, const QString &name)
{
    if (!Paths::isSafeFileName(name))
        return std::nullopt;
    const QString fileName = name + jsonSuffix;
    QString path;
    if (isVersionFileName(fileName))
        path = Paths::versionsPath(package) + u'/' + fileName;
    else if (isConflictCopyFileName(fileName))
        path = package + u'/' + fileName;
    else
        return std::nullopt;
    if (!PackageGuard::check(package, path) || !QFileInfo(path).isFile())
        return std::nullopt;
    return path;
}

QList<ProjectVersion> list(const QString &package)
{
    QList<ProjectVersion> versions;
    for (const auto &[name, path, conflictCopy] : namedFiles(package)) {
        ProjectVersion version;
        version.name = name;
        version.conflictCopy = conflictCopy;
        version.savedAt
            = conflictCopy ? wholeSecondsUTC(QFileInfo(path).lastModified()) : *timeOf(name);
        if (const auto json = jsonOf(path))
            version.sceneCount = int(json->value(QStringLiteral("scenes")).toArray().size());
        versions.append(std::move(version));
    }
    std::stable_sort(versions.begin(), versions.end(),
                     [](const ProjectVersion &a, const ProjectVersion &b) {
                         if (a.savedAt != b.savedAt)
                             return a.savedAt > b.savedAt;
                         return orderKey(a.name).second > orderKey(b.name).second;
                     });
    return versions;
}

QSet<QString> referencedMediaNames(const QString &package)
{
    QSet<QString> names;
    for (const NamedFile &file : namedFiles(package)) {
        const auto json = jsonOf(file.path);
        if (!json)
            continue;
        for (const QJsonValue scene : json->value(QStringLiteral("scenes")).toArray()) {
            const QJsonValue localPath = scene.toObject()
                                             .value(QStringLiteral("image"))
                                             .toObject()
                                             .value(QStringLiteral("localPath"));
            if (localPath.isString())
                names.insert(localPath.toString());
        }
    }
    return names;
}

void settle(const QString &package, const QString &replaced, const QDateTime &now, bool alwaysKeep)
{
    const QString replacedName = baseName(QFileInfo(replaced).fileName());
    QStringList names = versionNames(package);
    names.removeAll(replacedName);
    std::optional<QDateTime> newest;
    for (const QString &name : std::as_const(names)) {
        const QDateTime time = *timeOf(name);
        if (!newest || time > *newest)
            newest = time;
    }
    if (alwaysKeep || keepsReplacedFile(newest, now)) {
        names.append(replacedName);
        qCDebug(veskelStoreLog) << "kept version" << replacedName << "of" << package;
    } else {
        (void)FileOperations::removeFile(replaced);
    }
    // A version that cannot be removed now goes at a later save.
    const QString folder = Paths::versionsPath(package);
    for (const QString &name : thinned(names, now)) {
        if (!FileOperations::removeFile(folder + u'/' + name + jsonSuffix))
            qCInfo(veskelStoreLog) << "could not thin out version" << name << "of" << package;
    }
}

} // namespace veskel::ProjectVersions
