#include "VeskelApp/Commands/AppShortcuts.h"

namespace veskel::AppShortcuts {

QKeySequence newScene()
{
    return QKeySequence(Qt::CTRL | Qt::Key_N);
}

QKeySequence newProject()
{
    return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N);
}

QKeySequence exportProject()
{
    return QKeySequence(Qt::CTRL | Qt::Key_E);
}

QKeySequence toggleProjects()
{
    return QKeySequence(Qt::CTRL | Qt::Key_Slash);
}

QKeySequence toggleTimeline()
{
    return QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_T);
}

QKeySequence markup(int number)
{
    return QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key(Qt::Key_0 + number));
}

QKeySequence search()
{
    return QKeySequence(Qt::CTRL | Qt::Key_F);
}

QKeySequence undo()
{
    return QKeySequence(Qt::CTRL | Qt::Key_Z);
}

QKeySequence redo()
{
    return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
}

QKeySequence duplicateScene()
{
    return QKeySequence(Qt::CTRL | Qt::Key_D);
}

QKeySequence settings()
{
    return QKeySequence(Qt::CTRL | Qt::Key_Comma);
}

QKeySequence quit()
{
    return QKeySequence(Qt::CTRL | Qt::Key_Q);
}

QString hint(const QKeySequence &sequence)
{
    return QStringLiteral(" (") + sequence.toString(QKeySequence::NativeText) + u')';
}

} // namespace veskel::AppShortcuts
