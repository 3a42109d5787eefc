#pragma once

#include <QObject>
#include <QString>

namespace veskel {

// The application-wide notifications between the menu commands and the open editor. The menus
// post; the editor view acts on a new scene and on markup, the root view on export. One hub
// lives for the whole run.
class AppNotificationHub : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    void postNewScene() { emit storyboardNewScene(); }
    void postExport() { emit storyboardExport(); }
    // "heading", "voiceover", "onScreen" or "note".
    void postApplyMarkup(const QString &markup) { emit storyboardApplyMarkup(markup); }

signals:
    void storyboardNewScene();
    void storyboardExport();
    void storyboardApplyMarkup(const QString &markup);
};

} // namespace veskel
