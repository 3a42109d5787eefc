#include "VeskelApp/Editor/Saving/ProjectAutosaver.h"

#include "StoryboardCore/Script/ScriptText.h"
#include "VeskelApp/Editor/EditorLog.h"

namespace veskel {

ProjectAutosaver::ProjectAutosaver(const StoryboardProject &project,
                                   ProjectStore &store,
                                   EditorScheduler &scheduler,
                                   Listeners listeners)
    : m_project(project)
    , m_store(store)
    , m_scheduler(scheduler)
    , m_listeners(std::move(listeners))
{
}

ProjectAutosaver::~ProjectAutosaver()
{
    // Whatever the editor's last flush set off must not run against a dead object.
    if (m_pendingSave)
        m_scheduler.cancel(m_pendingSave);
}

void ProjectAutosaver::schedule()
{
    if (m_pendingSave)
        m_scheduler.cancel(m_pendingSave);
    m_pendingSave = m_scheduler.schedule(saveDelayMs, [this] {
        m_pendingSave = 0;
        (void)save();
    });
}

bool ProjectAutosaver::save(SaveKind kind)
{
    if (m_pendingSave) {
        m_scheduler.cancel(m_pendingSave);
        m_pendingSave = 0;
    }
    const StoryboardProject saved = m_project;
    auto written = kind == SaveKind::keepingVersion ? m_store.saveProjectKeepingVersion(saved)
                                                    : m_store.saveProject(saved);
    if (!written && written.error().kind == ProjectStoreError::Kind::changedOutside
        && !m_keepingOutsideVersion) {
        // Someone else wrote the file since this editor last did: theirs is kept, then ours.
        const std::weak_ptr<const bool> alive = m_lifetime;
        keepOutsideVersionAndSave();
        return !alive.expired();
    }
    if (!written) {
        qCInfo(veskelEditorLog) << "could not save" << saved.id << ":"
                                << written.error().description();
        m_listeners.error(written.error().description());
        return true;
    }
    return reportSaved(saved);
}

bool ProjectAutosaver::tellProjectChanged(const StoryboardProject &project)
{
    if (!m_listeners.projectChanged)
        return true;
    // The callback refreshes the project list, which may drop the editor.
    const std::weak_ptr<const bool> alive = m_lifetime;
    m_listeners.projectChanged(project);
    return !alive.expired();
}

bool ProjectAutosaver::reportSaved(const StoryboardProject &project)
{
    if (!tellProjectChanged(project))
        return false;
    m_listeners.error(std::nullopt);
    return true;
}

std::optional<StoryboardProject> ProjectAutosaver::outsideChange(bool unsavedEdits)
{
    if (m_keepingOutsideVersion || !m_store.changedOutside(m_project))
        return std::nullopt;
    qCInfo(veskelEditorLog) << "project.json of" << m_project.id << "changed outside;"
                            << (unsavedEdits ? "keeping it as a copy" : "reading it");
    if (unsavedEdits) {
        keepOutsideVersionAndSave();
        return std::nullopt;
    }
    auto loaded = m_store.reloadProject(m_project);
    if (!loaded) {
        m_listeners.error(loaded.error().description());
        return std::nullopt;
    }
    return std::move(*loaded);
}

void ProjectAutosaver::keepOutsideVersionAndSave()
{
    m_keepingOutsideVersion = true;
    auto copy = m_store.keepOutsideVersion(
        m_project, tr("%1 (changed outside)").arg(ScriptText::headingTitle(m_project.title)));
    if (!copy) {
        m_keepingOutsideVersion = false;
        m_listeners.error(copy.error().description());
        return;
    }
    m_listeners.outsideCopyKept(*copy);
    // The project list learns of the copy, then of the save: the file as the other writer left
    // it also stays, byte for byte, among the versions.
    if (!tellProjectChanged(*copy) || !save(SaveKind::keepingVersion))
        return;
    m_keepingOutsideVersion = false;
}

void ProjectAutosaver::close()
{
    if (m_pendingSave && !save())
        return;
    if (m_closed)
        return;
    m_closed = true;
    // A failure only leaves a file behind.
    (void)m_store.removeUnusedMedia(m_project);
}

} // namespace veskel
