#pragma once

#include <QObject>
#include <QString>

namespace veskel {

// The application-wide notifications between the menu commands and the open editor. The menus
// post; the editor view acts on a new scene, markup, undo, redo, find, play, project settings
// and browsing versions, the
// root view on export; the editor tells the Edit menu what can be undone. One hub lives for the
// whole run.
class AppNotificationHub : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    void postNewScene() { emit storyboardNewScene(); }
    void postExport() { emit storyboardExport(); }
    void postBrowseVersions() { emit storyboardBrowseVersions(); }
    // "heading", "voiceover", "onScreen" or "note".
    void postApplyMarkup(const QString &markup) { emit storyboardApplyMarkup(markup); }
    void postUndo() { emit storyboardUndo(); }
    void postRedo() { emit storyboardRedo(); }
    void postFind() { emit storyboardFind(); }
    void postPlay() { emit storyboardPlay(); }
    void postProjectSettings() { emit storyboardProjectSettings(); }
    // Kept, so a menu built later (after a language switch) starts right.
    void postUndoState(bool canUndo, bool canRedo)
    {
        m_canUndo = canUndo;
        m_canRedo = canRedo;
        emit undoStateChanged();
    }
    bool canUndo() const { return m_canUndo; }
    bool canRedo() const { return m_canRedo; }

signals:
    void storyboardNewScene();
    void storyboardExport();
    void storyboardBrowseVersions();
    void storyboardApplyMarkup(const QString &markup);
    void storyboardUndo();
    void storyboardRedo();
    void storyboardFind();
    void storyboardPlay();
    void storyboardProjectSettings();
    void undoStateChanged();

private:
    bool m_canUndo = false;
    bool m_canRedo = false;
};

} // namespace veskel
