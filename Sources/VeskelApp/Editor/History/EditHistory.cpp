#include "VeskelApp/Editor/History/EditHistory.h"

namespace veskel {

EditHistory::EditHistory(EditorScheduler &scheduler,
                         int limit,
                         std::function<EditorSnapshot()> current,
                         std::function<void()> changed)
    : m_scheduler(scheduler)
    , m_stack(limit)
    , m_current(std::move(current))
    , m_changed(std::move(changed))
{
}

EditHistory::~EditHistory()
{
    if (m_typingTask)
        m_scheduler.cancel(m_typingTask);
}

void EditHistory::record(const EditorSnapshot &before)
{
    m_stack.record(before);
    m_changed();
}

void EditHistory::beginTypingRun()
{
    if (!m_typingBaseline)
        m_typingBaseline = m_current();
}

void EditHistory::extendTypingRun()
{
    if (m_typingTask)
        m_scheduler.cancel(m_typingTask);
    m_typingTask = m_scheduler.schedule(typingRunDelayMs, [this] {
        m_typingTask = 0;
        endTypingRun();
    });
}

void EditHistory::endTypingRun()
{
    if (m_typingTask) {
        m_scheduler.cancel(m_typingTask);
        m_typingTask = 0;
    }
    if (!m_typingBaseline)
        return;
    const EditorSnapshot baseline = std::move(*m_typingBaseline);
    m_typingBaseline.reset();
    record(baseline);
}

void EditHistory::beginDrag()
{
    if (m_dragBaseline)
        return;
    endTypingRun();
    m_dragBaseline = m_current();
}

void EditHistory::endDrag(const StoryboardProject &now)
{
    if (m_dragBaseline && m_dragBaseline->project != now)
        record(*m_dragBaseline);
    m_dragBaseline.reset();
}

void EditHistory::closeRuns()
{
    endTypingRun();
    m_dragBaseline.reset();
}

std::optional<EditorSnapshot> EditHistory::undo(const EditorSnapshot &current)
{
    closeRuns();
    return m_stack.undo(current);
}

std::optional<EditorSnapshot> EditHistory::redo(const EditorSnapshot &current)
{
    closeRuns();
    return m_stack.redo(current);
}

} // namespace veskel
