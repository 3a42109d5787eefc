#include "VeskelApp/Editor/History/EditorUndoStack.h"

#include <algorithm>

namespace veskel {

EditorUndoStack::EditorUndoStack(int limit, QObject *parent)
    : QObject(parent)
    , m_limit(std::max(limit, 0))
{
}

template<typename Change>
void EditorUndoStack::changeLists(Change &&change)
{
    const bool couldUndo = canUndo();
    const bool couldRedo = canRedo();
    change();
    if (couldUndo != canUndo())
        emit canUndoChanged(canUndo());
    if (couldRedo != canRedo())
        emit canRedoChanged(canRedo());
}

void EditorUndoStack::record(const EditorSnapshot &snapshot)
{
    if (!m_undoStack.isEmpty() && m_undoStack.constLast() == snapshot)
        return;
    changeLists([&] {
        m_undoStack.append(snapshot);
        if (m_undoStack.size() > m_limit)
            m_undoStack.remove(0, m_undoStack.size() - m_limit);
        m_redoStack.clear();
    });
}

std::optional<EditorSnapshot> EditorUndoStack::undo(const EditorSnapshot &current)
{
    if (m_undoStack.isEmpty())
        return std::nullopt;
    std::optional<EditorSnapshot> restored;
    changeLists([&] {
        restored = m_undoStack.takeLast();
        m_redoStack.append(current);
    });
    return restored;
}

std::optional<EditorSnapshot> EditorUndoStack::redo(const EditorSnapshot &current)
{
    if (m_redoStack.isEmpty())
        return std::nullopt;
    std::optional<EditorSnapshot> restored;
    changeLists([&] {
        restored = m_redoStack.takeLast();
        // Not trimmed: the history only grows past the limit by what was undone before.
        m_undoStack.append(current);
    });
    return restored;
}

} // namespace veskel
