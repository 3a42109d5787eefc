#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"
#include "StoryboardCore/Protocols/ProjectStore.h"
#include "VeskelApp/Editor/SceneSelection.h"

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <optional>

namespace veskel {

// The scene commands of the menus, the timeline and the inspector, and script imports: each is
// one discrete edit of the editor's project and leaves the selection where the user expects
// it. The edits themselves are StoryboardCore's SceneEdits; this decides which and on what.
class SceneCommands
{
    Q_DECLARE_TR_FUNCTIONS(veskel::SceneCommands)

public:
    struct Editor
    {
        // One discrete edit (ProjectEditorViewModel::mutate): true when it changed the project.
        std::function<bool(const std::function<bool(StoryboardProject &)> &)> mutate;
        // The selection becomes this one.
        std::function<void(SceneSelection)> select;
    };

    // The project and the selection are the editor's, always as they are now; they and the
    // store (for the duplicate's image) must outlive the commands.
    SceneCommands(const StoryboardProject &project,
                  const SceneSelection &selection,
                  ProjectStore &store,
                  Editor editor);

    // Before the scene with that id, or at the end without one; the new scene has no text and
    // becomes the selection. Its id.
    QString insert(const std::optional<QString> &beforeSceneID, SceneType type);
    // A copy with its own copy of the text and image, right after the source, then selected.
    void duplicate(const QString &sceneID);
    // The text stays where the document shows it, joining the scene before.
    void remove(const QString &sceneID);
    void removeSelected();
    // The primary scene `steps` places earlier (negative) or later in the film.
    void moveSelected(qsizetype steps);
    void move(const QString &sceneID, const std::optional<QString> &beforeSceneID);
    void recalculateDuration(const QString &sceneID);
    void update(const QString &sceneID, const std::function<void(Scene &)> &change);
    // Appends a Markdown script and selects its first scene; the message when it cannot be
    // read.
    std::optional<QString> importScript(const QString &text);
    std::optional<QString> importScriptFile(const QString &filePath);
    // Clipboard text: ignored when it holds nothing but white space.
    std::optional<QString> pasteScript(const QString &clipboardText);

private:
    void selectFirstSceneAlone();

    const StoryboardProject &m_project;
    const SceneSelection &m_selection;
    ProjectStore &m_store;
    Editor m_editor;
};

} // namespace veskel
