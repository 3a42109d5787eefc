#pragma once

#include <QStringList>
#include <QTextStream>

namespace veskel::cli {

// veskel-cli [--root DIR] COMMAND [ARGUMENTS…]: picks the command from the table, splits its
// options from its positional arguments and runs it. Returns the exit code.
int runCommandLine(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace veskel::cli
