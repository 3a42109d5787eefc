#pragma once

#include <QObject>
#include <QString>

namespace veskel {

// The application-wide notifications between the menu commands and the open editor. The menus
// post; the editor view acts on a new scene, on markup and on browsing versions, the root view
// on export. One hub
// lives for the whole run.
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

signals:
    void storyboardNewScene();
    void storyboardExport();
    void storyboardBrowseVersions();
    void storyboardApplyMarkup(const QString &markup);
};

} // namespace veskel
