#include "VeskelCLI/Command.h"

#include <QMap>

namespace veskel::cli::CommandRegistry {

namespace {
// Built on first use: command files register from static initialisers in any order.
QMap<QString, Command> &table()
{
    static QMap<QString, Command> commands;
    return commands;
}
} // namespace

bool add(Command command)
{
    const QString name = command.name;
    table().insert(name, std::move(command));
    return true;
}

const Command *find(const QString &name)
{
    const auto it = table().constFind(name);
    return it == table().constEnd() ? nullptr : &it.value();
}

QList<Command> all()
{
    return table().values();
}

} // namespace veskel::cli::CommandRegistry
