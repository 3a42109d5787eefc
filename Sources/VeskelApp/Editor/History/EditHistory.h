#pragma once

#include "VeskelApp/Editor/History/EditorSnapshot.h"
#include "VeskelApp/Editor/History/EditorUndoStack.h"
#include "VeskelApp/Scheduling/EditorScheduler.h"

#include <functional>
#include <optional>

namespace veskel {

// The editor's undo: whole-state snapshots on a bounded stack, a run of typing that becomes one
// step `typingRunDelayMs` after its last keystroke (or when anything else happens), and a
// duration drag that becomes one step when released.
class EditHistory
{
public:
    static constexpr int typingRunDelayMs = 1000;

    // `current` gives the editor's state now; `changed` hears when undo or redo became possible
    // or impossible. The scheduler must outlive the history.
    EditHistory(EditorScheduler &scheduler,
                int limit,
                std::function<EditorSnapshot()> current,
                std::function<void()> changed);
    ~EditHistory();
    EditHistory(const EditHistory &) = delete;
    EditHistory &operator=(const EditHistory &) = delete;

    // The state before a discrete edit.
    void record(const EditorSnapshot &before);

    // Before a keystroke is applied: the first of a run remembers the state before it.
    void beginTypingRun();
    // After it: the run ends a delay after this keystroke unless another comes.
    void extendTypingRun();
    // The run so far becomes one step.
    void endTypingRun();
    bool isTypingRunOpen() const { return m_typingBaseline.has_value(); }

    // The first move of a duration drag remembers the state before the drag.
    void beginDrag();
    // The drag becomes one step when it changed the project.
    void endDrag(const StoryboardProject &now);
    bool isDragging() const { return m_dragBaseline.has_value(); }

    // What runs before any other change: the typing run ends, a drag is forgotten.
    void closeRuns();

    // The state to restore, or nothing; `current` becomes redoable (undoable again).
    std::optional<EditorSnapshot> undo(const EditorSnapshot &current);
    std::optional<EditorSnapshot> redo(const EditorSnapshot &current);

    const EditorUndoStack &stack() const { return m_stack; }

private:
    EditorScheduler &m_scheduler;
    EditorUndoStack m_stack;
    std::function<EditorSnapshot()> m_current;
    std::function<void()> m_changed;
    std::optional<EditorSnapshot> m_typingBaseline;
    EditorScheduler::Handle m_typingTask = 0;
    std::optional<EditorSnapshot> m_dragBaseline;
};

} // namespace veskel
