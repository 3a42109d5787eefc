#pragma once

#include "VeskelApp/Editor/Script/EditorTheme.h"

#include <QWidget>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace veskel {

class LanguageStore;
class Preferences;

// The settings window's content, built in the current interface language: the "General" tab
// (appearance, title bar, timeline, markup bar, sidebar swipe, language) and the "Editor" tab
// (text size, line spacing, column width). Every control writes its setting at once and
// follows changes made elsewhere (the View menu).
class SettingsView : public QWidget
{
    Q_OBJECT

public:
    // Whether the application currently looks dark, asked when "Match system appearance" is
    // turned off; tests hand in their own answer.
    using LooksDark = std::function<bool()>;

    SettingsView(Preferences &preferences,
                 LanguageStore &languageStore,
                 LooksDark looksDark = {},
                 QWidget *parent = nullptr);

    static constexpr int width = 440;

private:
    QWidget *makeGeneralTab();
    QWidget *makeEditorTab();
    void addSlider(QFormLayout *form,
                   const QString &label,
                   const EditorTheme::NumberSetting &setting,
                   const QString &note);
    // Puts every control in step with the stored values, without writing anything back.
    void refresh();

    Preferences *m_preferences = nullptr;
    LanguageStore *m_languageStore = nullptr;
    LooksDark m_looksDark;

    QTabWidget *m_tabs = nullptr;
    QCheckBox *m_matchSystemAppearance = nullptr;
    QWidget *m_appearanceChoice = nullptr;
    QRadioButton *m_light = nullptr;
    QRadioButton *m_dark = nullptr;
    QComboBox *m_titleBarMode = nullptr;
    QComboBox *m_timelineScrollMode = nullptr;
    QComboBox *m_markupBarMode = nullptr;
    QCheckBox *m_swipe = nullptr;
    QButtonGroup *m_language = nullptr;
    struct SliderRow
    {
        const EditorTheme::NumberSetting *setting;
        QSlider *slider;
        QLabel *value;
    };
    QList<SliderRow> m_sliders;
};

} // namespace veskel
