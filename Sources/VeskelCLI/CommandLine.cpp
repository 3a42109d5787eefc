#include "VeskelCLI/CommandLine.h"

#include "StoryboardCore/Storage/LocalProjectStore.h"
#include "VeskelCLI/Command.h"
#include "VeskelCLI/Invocation.h"
#include "VeskelVersion.h"

#include <optional>

namespace veskel::cli {

namespace {

const QString rootOption = QStringLiteral("--root");

void printOverview(QTextStream &stream)
{
    stream << "usage: veskel-cli [--root DIR] COMMAND [ARGUMENTS...]\n"
           << "The projects folder is ~/Movies/Veskel/Projects unless --root names another.\n"
           << "--version prints the version, --help this overview.\n"
           << "Commands:\n";
    for (const Command &command : CommandRegistry::all())
        stream << "  " << command.usage << "\n      " << command.summary << '\n';
    stream.flush();
}

struct ParsedArguments
{
    QStringList positional;
    QHash<QString, QString> options;
    QSet<QString> flags;
};

// Options start with "--"; "-" alone (standard input) and anything after "--" are positional.
std::expected<ParsedArguments, QString> parseArguments(const Command &command,
                                                       const QStringList &arguments)
{
    ParsedArguments parsed;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &token = arguments.at(i);
        if (optionsEnded || !token.startsWith(QStringLiteral("--"))) {
            parsed.positional.append(token);
            continue;
        }
        if (token == u"--") {
            optionsEnded = true;
            continue;
        }
        const qsizetype equals = token.indexOf(u'=');
        const QString name = equals < 0 ? token : token.left(equals);
        if (command.valueOptions.contains(name)) {
            if (equals >= 0) {
                parsed.options.insert(name, token.mid(equals + 1));
            } else if (i + 1 < arguments.size()) {
                parsed.options.insert(name, arguments.at(++i));
            } else {
                return std::unexpected(name + QStringLiteral(" needs a value"));
            }
        } else if (command.flagOptions.contains(name) && equals < 0) {
            parsed.flags.insert(name);
        } else {
            return std::unexpected(QStringLiteral("unknown option ") + name);
        }
    }
    if (parsed.positional.size() < command.minArguments)
        return std::unexpected(QStringLiteral("missing arguments"));
    if (parsed.positional.size() > command.maxArguments)
        return std::unexpected(QStringLiteral("too many arguments"));
    return parsed;
}

} // namespace

int runCommandLine(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    std::optional<QString> root;
    qsizetype index = 0;
    while (index < arguments.size() && arguments.at(index).startsWith(QStringLiteral("--"))) {
        const QString &token = arguments.at(index);
        if (token == rootOption && index + 1 < arguments.size()) {
            root = arguments.at(index + 1);
            index += 2;
        } else if (token.startsWith(rootOption + u'=')) {
            root = token.mid(rootOption.size() + 1);
            ++index;
        } else if (token == u"--help") {
            printOverview(out);
            return exitSuccess;
        } else if (token == u"--version") {
            out << "veskel-cli " << applicationVersion << Qt::endl;
            return exitSuccess;
        } else {
            err << "veskel-cli: "
                << (token == rootOption ? QStringLiteral("--root needs a folder")
                                        : QStringLiteral("unknown option ") + token)
                << Qt::endl;
            printOverview(err);
            return exitUsage;
        }
    }
    if (root && root->isEmpty()) {
        err << "veskel-cli: --root needs a folder" << Qt::endl;
        return exitUsage;
    }
    if (index >= arguments.size()) {
        printOverview(err);
        return exitUsage;
    }

    const QString name = arguments.at(index);
    if (name == u"help") {
        printOverview(out);
        return exitSuccess;
    }
    const Command *command = CommandRegistry::find(name);
    if (!command) {
        err << "veskel-cli: unknown command " << name << Qt::endl;
        printOverview(err);
        return exitUsage;
    }
    const QStringList rest = arguments.mid(index + 1);
    if (rest.contains(QStringLiteral("--help"))) {
        out << usageLine(*command) << '\n' << command->summary << Qt::endl;
        return exitSuccess;
    }

    LocalProjectStore store(root);
    const auto parsed = parseArguments(*command, rest);
    if (!parsed) {
        Invocation invocation(*command, store, {}, {}, {}, out, err);
        return invocation.usageError(parsed.error());
    }
    Invocation invocation(*command, store, parsed->positional, parsed->options, parsed->flags, out,
                          err);
    const int code = command->run(invocation);
    out.flush();
    err.flush();
    return code;
}

} // namespace veskel::cli
