#pragma once

#include "VeskelApp/Settings/SettingsView.h"

#include <QPointer>
#include <QWidget>

namespace veskel {

// The settings window. Its content is built again in the new language whenever the language
// changes, including when the change is made from inside it.
class SettingsWindow : public QWidget
{
    Q_OBJECT

public:
    SettingsWindow(Preferences &preferences,
                   LanguageStore &languageStore,
                   SettingsView::LooksDark looksDark = {},
                   QWidget *parent = nullptr);

    SettingsView *view() const { return m_view; }

private:
    void rebuild();

    Preferences *m_preferences = nullptr;
    LanguageStore *m_languageStore = nullptr;
    SettingsView::LooksDark m_looksDark;
    QPointer<SettingsView> m_view;
};

} // namespace veskel
