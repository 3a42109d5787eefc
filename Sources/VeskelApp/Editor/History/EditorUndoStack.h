#pragma once

#include "VeskelApp/Editor/History/EditorSnapshot.h"

#include <QList>
#include <QObject>

#include <optional>

namespace veskel {

// Undo over whole editor states: the editor records the state before each edit, and undo hands
// it back in exchange for the current one.
class EditorUndoStack : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool canUndo READ canUndo NOTIFY canUndoChanged)
    Q_PROPERTY(bool canRedo READ canRedo NOTIFY canRedoChanged)

public:
    static constexpr int defaultLimit = 50;

    explicit EditorUndoStack(int limit = defaultLimit, QObject *parent = nullptr);

    // Remembers a state to return to and forgets what was undone. Recording the same state as
    // the last one is ignored (and keeps the redo history). Only the newest `limit` states stay.
    void record(const EditorSnapshot &snapshot);
    // The state to restore, or nothing when there is no history; `current` becomes redoable.
    std::optional<EditorSnapshot> undo(const EditorSnapshot &current);
    // The state undone last, or nothing; `current` becomes undoable again.
    std::optional<EditorSnapshot> redo(const EditorSnapshot &current);

    bool canUndo() const { return !m_undoStack.isEmpty(); }
    bool canRedo() const { return !m_redoStack.isEmpty(); }
    int limit() const { return m_limit; }
    // The most recent state is last in both lists.
    const QList<EditorSnapshot> &undoStack() const { return m_undoStack; }
    const QList<EditorSnapshot> &redoStack() const { return m_redoStack; }

signals:
    void canUndoChanged(bool canUndo);
    void canRedoChanged(bool canRedo);

private:
    // Runs a change of the two lists and announces the flags that flipped.
    template<typename Change>
    void changeLists(Change &&change);

    QList<EditorSnapshot> m_undoStack;
    QList<EditorSnapshot> m_redoStack;
    int m_limit = defaultLimit;
};

} // namespace veskel
