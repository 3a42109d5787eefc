#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace veskel::cli {

class Invocation;

// Exit codes of veskel-cli.
enum ExitCode : int {
    exitSuccess = 0,
    // The operation failed; the core's message is on stderr.
    exitFailure = 1,
    // The command line was wrong; a usage line is on stderr.
    exitUsage = 2,
};

// One entry of the command table. A command file defines its `run` and registers the entry
// with a namespace-scope `CommandRegistry::add` call; see Commands/*.cpp.
struct Command
{
    QString name;
    // Returns an ExitCode. Runs only with a well-formed command line.
    std::function<int(Invocation &)> run = {};
    // What follows the tool's name in the usage line: "new TITLE [--fps N] [--script FILE]".
    QString usage;
    // One line for the command list.
    QString summary;
    // Options taking a value ("--fps N", "--fps=N") and flags ("--json").
    QStringList valueOptions = {};
    QStringList flagOptions = {};
    // Positional arguments, after the options are taken out.
    int minArguments = 0;
    int maxArguments = 0;
};

namespace CommandRegistry {

// Returns true so that a command file can register with a static initialiser:
//     [[maybe_unused]] const bool registered = CommandRegistry::add({...});
bool add(Command command);
const Command *find(const QString &name);
// Sorted by name.
QList<Command> all();

} // namespace CommandRegistry

} // namespace veskel::cli
