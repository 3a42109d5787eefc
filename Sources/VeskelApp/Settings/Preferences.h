#pragma once

#include "VeskelApp/Editor/Script/EditorTheme.h"
#include "VeskelApp/Editor/Script/FocusMode.h"
#include "VeskelApp/Settings/AppAppearance.h"
#include "VeskelApp/Settings/MarkupBarMode.h"
#include "VeskelApp/Settings/TimelineScrollMode.h"
#include "VeskelApp/Settings/TitleBarMode.h"

#include <QLatin1StringView>
#include <QObject>
#include <QVariant>

#include <memory>

class QSettings;

namespace veskel {

// The interface preferences in the user's settings, with their defaults, and one signal for
// every change, so that menus, the settings window and the editor follow each other. Values
// are read afresh each time: several settings objects on the same store share it.
class Preferences : public QObject
{
    Q_OBJECT

public:
    static constexpr QLatin1StringView sidebarVisibleKey{"sidebarVisible"};
    static constexpr QLatin1StringView timelineVisibleKey{"timelineVisible"};
    static constexpr QLatin1StringView titleBarModeKey{"titleBarMode"};
    static constexpr QLatin1StringView timelineScrollModeKey{"timelineScrollMode"};
    static constexpr QLatin1StringView markupBarModeKey{"markupBarMode"};
    static constexpr QLatin1StringView sidebarSwipeEnabledKey{"sidebarSwipeEnabled"};
    static constexpr QLatin1StringView appearanceKey{"appAppearance"};
    static constexpr QLatin1StringView focusModeKey{"focusMode"};

    // Without settings, the application's own ("Veskel", "Veskel"). Given settings are not
    // owned and must outlive the preferences.
    explicit Preferences(QSettings *settings = nullptr, QObject *parent = nullptr);
    ~Preferences() override;

    QSettings &settings() const { return *m_settings; }

    bool sidebarVisible() const;
    void setSidebarVisible(bool visible);
    bool timelineVisible() const;
    void setTimelineVisible(bool visible);
    TitleBarMode titleBarMode() const;
    void setTitleBarMode(TitleBarMode mode);
    TimelineScrollMode timelineScrollMode() const;
    void setTimelineScrollMode(TimelineScrollMode mode);
    MarkupBarMode markupBarMode() const;
    void setMarkupBarMode(MarkupBarMode mode);
    bool sidebarSwipeEnabled() const;
    void setSidebarSwipeEnabled(bool enabled);
    AppAppearance appearance() const;
    void setAppearance(AppAppearance appearance);
    FocusMode focusMode() const;
    void setFocusMode(FocusMode mode);

    // Text size, line spacing and column width, clamped into their ranges.
    double editorNumber(const EditorTheme::NumberSetting &setting) const;
    void setEditorNumber(const EditorTheme::NumberSetting &setting, double value);
    // 17, 8 and 880.
    void resetEditorTypography();

signals:
    // After a value was stored under the key (only when it changed).
    void changed(const QString &key);

private:
    bool flag(QLatin1StringView key, bool defaultValue) const;
    QString text(QLatin1StringView key) const;
    void write(QLatin1StringView key, const QVariant &value);

    std::unique_ptr<QSettings> m_ownedSettings;
    QSettings *m_settings = nullptr;
};

} // namespace veskel
