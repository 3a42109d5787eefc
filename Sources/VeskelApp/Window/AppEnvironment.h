#pragma once

namespace veskel {

class AppModel;
class AppNotificationHub;
class EditorScheduler;
class LanguageStore;
class Preferences;

// The long-lived objects every window reaches: created once at start, never owned by a window.
struct AppEnvironment
{
    AppModel *model = nullptr;
    LanguageStore *languageStore = nullptr;
    Preferences *preferences = nullptr;
    AppNotificationHub *notifications = nullptr;
    // The editor's delays; without one they run on timers. Tests hand in a manual clock.
    EditorScheduler *editorScheduler = nullptr;
};

} // namespace veskel
