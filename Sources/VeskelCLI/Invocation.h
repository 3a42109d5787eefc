#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"
#include "StoryboardCore/Protocols/ProjectStoreError.h"
#include "StoryboardCore/Storage/LocalProjectStore.h"
#include "VeskelCLI/Command.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <QTextStream>

#include <expected>
#include <optional>

namespace veskel::cli {

// A project read from its package, with where it was found.
struct OpenedProject
{
    QString packagePath;
    StoryboardProject project;
};

// One run of one command: its parsed command line, the store over the chosen root, the
// output streams, and the look-ups every command shares.
class Invocation
{
public:
    Invocation(const Command &command,
               LocalProjectStore &store,
               QStringList arguments,
               QHash<QString, QString> options,
               QSet<QString> flags,
               QTextStream &out,
               QTextStream &err);

    const Command &command() const { return m_command; }
    LocalProjectStore &store() { return m_store; }
    QTextStream &out() { return m_out; }
    QTextStream &err() { return m_err; }

    const QStringList &arguments() const { return m_arguments; }
    // The positional argument, or an empty text past the end.
    QString argument(qsizetype index) const { return m_arguments.value(index); }
    std::optional<QString> option(const QString &name) const;
    bool flag(const QString &name) const { return m_flags.contains(name); }

    // The message on stderr; returns exitFailure.
    int fail(const QString &message);
    int fail(const ProjectStoreError &error) { return fail(error.description()); }
    // exitSuccess, or the failure's message on stderr and exitFailure.
    template<typename T, typename E>
    int finish(const std::expected<T, E> &result)
    {
        return result ? int(exitSuccess) : fail(result.error());
    }
    // The reason (when given) and the command's usage line on stderr; returns exitUsage.
    int usageError(const QString &reason = {});

    // PACKAGE: a path to a .veskel folder, or a package's slug (its folder name without
    // ".veskel") in the root or in one of the sidebar folders.
    std::expected<QString, ProjectStoreError> resolvePackage(const QString &argument);
    std::expected<OpenedProject, ProjectStoreError> openProject(const QString &argument);
    // Runs `body` with the project the first argument names, or reports why it cannot be opened.
    int withProject(const std::function<int(OpenedProject &)> &body);
    // SCENE: a scene id, or a scene number written as 3, 003 or S003. Anything else is
    // passed on as an id, so the store reports the scene as not found.
    static QString resolveSceneID(const StoryboardProject &project, const QString &argument);
    // The whole of FILE as UTF-8 text, or of standard input for "-".
    static std::expected<QString, QString> readText(const QString &file);

private:
    const Command &m_command;
    LocalProjectStore &m_store;
    QStringList m_arguments;
    QHash<QString, QString> m_options;
    QSet<QString> m_flags;
    QTextStream &m_out;
    QTextStream &m_err;
};

// The usage line of one command: "usage: veskel-cli [--root DIR] new TITLE ...".
QString usageLine(const Command &command);

} // namespace veskel::cli
