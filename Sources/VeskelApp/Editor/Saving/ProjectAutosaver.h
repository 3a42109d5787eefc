#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"
#include "StoryboardCore/Protocols/ProjectStore.h"
#include "VeskelApp/Scheduling/EditorScheduler.h"

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace veskel {

// Writes the open project through the store: `saveDelayMs` after the last of a burst of edits,
// or at once. After each write the project list is told. A file someone else wrote since this
// editor last did is never replaced unseen: that version is kept as a copy beside the project
// first. Lives on the main thread, inside the editor it saves for.
class ProjectAutosaver
{
    Q_DECLARE_TR_FUNCTIONS(veskel::ProjectAutosaver)

public:
    static constexpr int saveDelayMs = 450;

    enum class SaveKind { normal, keepingVersion };

    struct Listeners
    {
        // The project list, after every write and outside change; it may drop the editor.
        std::function<void(const StoryboardProject &)> projectChanged;
        // A store failure to show, or none after a write that succeeded.
        std::function<void(std::optional<QString>)> error;
        // The copy an outside change was kept as.
        std::function<void(const StoryboardProject &)> outsideCopyKept;
    };

    // The project is the editor's, always as it is now; it, the store and the scheduler must
    // outlive the saver.
    ProjectAutosaver(const StoryboardProject &project,
                     ProjectStore &store,
                     EditorScheduler &scheduler,
                     Listeners listeners);
    // A save still pending is cancelled, not written: the editor flushes first (close()).
    ~ProjectAutosaver();
    ProjectAutosaver(const ProjectAutosaver &) = delete;
    ProjectAutosaver &operator=(const ProjectAutosaver &) = delete;

    // A save `saveDelayMs` from now, replacing the one pending.
    void schedule();
    bool hasPendingSave() const { return m_pendingSave != 0; }

    // Writes now; cancels the pending save. A failure leaves the project in memory as it is,
    // for the next save to try again. False when telling the project list dropped the editor
    // (and this saver with it): the caller must return at once.
    [[nodiscard]] bool save(SaveKind kind = SaveKind::normal);
    // Tells the project list; false when that dropped the editor.
    [[nodiscard]] bool tellProjectChanged(const StoryboardProject &project);
    // The project list hears of the project, and the last error goes; false as above.
    [[nodiscard]] bool reportSaved(const StoryboardProject &project);

    // The project file changed on disk. Returns the project as the file now holds it, for the
    // editor to take over, when `unsavedEdits` is false. With unsaved edits the file's version
    // is kept as a copy beside the project ("<title> (changed outside)") and the editor's is
    // saved over it; nothing then, nor for our own saves or a file that cannot be read (which
    // sets the error).
    std::optional<StoryboardProject> outsideChange(bool unsavedEdits);

    // Writes a pending save at once and, the first time, removes the image files no scene
    // refers to any more: no undo step can bring one back now.
    void close();

private:
    void keepOutsideVersionAndSave();

    const StoryboardProject &m_project;
    ProjectStore &m_store;
    EditorScheduler &m_scheduler;
    Listeners m_listeners;
    EditorScheduler::Handle m_pendingSave = 0;
    bool m_keepingOutsideVersion = false;
    bool m_closed = false;
    // Expires with the saver: whether a listener dropped the editor.
    std::shared_ptr<const bool> m_lifetime = std::make_shared<const bool>(true);
};

} // namespace veskel
