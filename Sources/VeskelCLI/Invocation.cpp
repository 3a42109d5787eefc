#include "VeskelCLI/Invocation.h"

#include "StoryboardCore/Storage/ProjectPackagePaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>

namespace veskel::cli {

Invocation::Invocation(const Command &command,
                       LocalProjectStore &store,
                       QStringList arguments,
                       QHash<QString, QString> options,
                       QSet<QString> flags,
                       QTextStream &out,
                       QTextStream &err)
    : m_command(command)
    , m_store(store)
    , m_arguments(std::move(arguments))
    , m_options(std::move(options))
    , m_flags(std::move(flags))
    , m_out(out)
    , m_err(err)
{
}

std::optional<QString> Invocation::option(const QString &name) const
{
    const auto it = m_options.constFind(name);
    if (it == m_options.constEnd())
        return std::nullopt;
    return it.value();
}

int Invocation::fail(const QString &message)
{
    m_err << message << Qt::endl;
    return exitFailure;
}

int Invocation::usageError(const QString &reason)
{
    if (!reason.isEmpty())
        m_err << "veskel-cli: " << reason << Qt::endl;
    m_err << usageLine(m_command) << Qt::endl;
    return exitUsage;
}

std::expected<QString, ProjectStoreError> Invocation::resolvePackage(const QString &argument)
{
    const QFileInfo given(argument);
    if (given.isDir() && ProjectPackagePaths::isPackageDirectory(argument))
        return QDir::cleanPath(given.absoluteFilePath());

    // A slug names one entry of the root or of a sidebar folder, never a path.
    if (!ProjectPackagePaths::isSafeFileName(argument) || argument.startsWith(u'.'))
        return std::unexpected(ProjectStoreError::projectNotFound(argument));
    QString slug = argument;
    if (ProjectPackagePaths::isPackageDirectory(slug))
        slug.chop(ProjectPackagePaths::packageExtension.size() + 1);

    const QString root = m_store.rootDirectory();
    if (const QString inRoot = ProjectPackagePaths::packagePath(root, slug);
        QFileInfo(inRoot).isDir())
        return inRoot;
    const auto folders = m_store.listFolders();
    if (!folders)
        return std::unexpected(folders.error());
    for (const QString &folder : *folders) {
        const QString inFolder = ProjectPackagePaths::packagePath(root + u'/' + folder, slug);
        if (QFileInfo(inFolder).isDir())
            return inFolder;
    }
    return std::unexpected(ProjectStoreError::projectNotFound(argument));
}

std::expected<OpenedProject, ProjectStoreError> Invocation::openProject(const QString &argument)
{
    const auto package = resolvePackage(argument);
    if (!package)
        return std::unexpected(package.error());
    auto project = m_store.loadProject(*package);
    if (!project)
        return std::unexpected(project.error());
    return OpenedProject{*package, std::move(*project)};
}

QString Invocation::resolveSceneID(const StoryboardProject &project, const QString &argument)
{
    for (const Scene &scene : project.scenes) {
        if (scene.id == argument)
            return scene.id;
    }
    static const QRegularExpression number(QStringLiteral("^[Ss]?(\\d+)$"));
    if (const QRegularExpressionMatch match = number.match(argument); match.hasMatch()) {
        bool ok = false;
        const qint64 wanted = match.captured(1).toLongLong(&ok);
        for (const Scene &scene : project.orderedScenes()) {
            if (ok && qint64(scene.order) + 1 == wanted)
                return scene.id;
        }
    }
    return argument;
}

std::expected<QString, QString> Invocation::readText(const QString &file)
{
    QFile input;
    bool opened = false;
    if (file == u"-") {
        opened = input.open(stdin, QIODevice::ReadOnly);
    } else {
        input.setFileName(file);
        opened = input.open(QIODevice::ReadOnly);
    }
    if (!opened)
        return std::unexpected(QStringLiteral("Could not read ") + file + QStringLiteral(": ")
                               + input.errorString() + u'.');
    const QByteArray bytes = input.readAll();
    if (input.error() != QFileDevice::NoError)
        return std::unexpected(QStringLiteral("Could not read ") + file + QStringLiteral(": ")
                               + input.errorString() + u'.');
    return QString::fromUtf8(bytes);
}

QString usageLine(const Command &command)
{
    return QStringLiteral("usage: veskel-cli [--root DIR] ") + command.usage;
}

int Invocation::withProject(const std::function<int(OpenedProject &)> &body)
{
    auto opened = openProject(argument(0));
    if (!opened)
        return fail(opened.error());
    return body(*opened);
}

} // namespace veskel::cli
