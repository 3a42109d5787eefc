#include "VeskelApp/Settings/Preferences.h"

#include <QSettings>

#include <algorithm>
#include <cmath>

namespace veskel {

namespace {

template<typename E>
E enumValue(const QString &raw, E defaultValue)
{
    return fromRawValue<E>(raw).value_or(defaultValue);
}

} // namespace

Preferences::Preferences(QSettings *settings, QObject *parent)
    : QObject(parent)
{
    if (!settings) {
        m_ownedSettings
            = std::make_unique<QSettings>(QStringLiteral("Veskel"), QStringLiteral("Veskel"));
        settings = m_ownedSettings.get();
    }
    m_settings = settings;
}

Preferences::~Preferences() = default;

bool Preferences::flag(QLatin1StringView key, bool defaultValue) const
{
    const QVariant value = m_settings->value(key);
    return value.isValid() ? value.toBool() : defaultValue;
}

QString Preferences::text(QLatin1StringView key) const
{
    return m_settings->value(key).toString();
}

void Preferences::write(QLatin1StringView key, const QVariant &value)
{
    if (m_settings->value(key) == value)
        return;
    m_settings->setValue(key, value);
    emit changed(QString(key));
}

bool Preferences::sidebarVisible() const
{
    return flag(sidebarVisibleKey, true);
}

void Preferences::setSidebarVisible(bool visible)
{
    write(sidebarVisibleKey, visible);
}

bool Preferences::timelineVisible() const
{
    return flag(timelineVisibleKey, true);
}

void Preferences::setTimelineVisible(bool visible)
{
    write(timelineVisibleKey, visible);
}

TitleBarMode Preferences::titleBarMode() const
{
    return enumValue(text(titleBarModeKey), TitleBarMode::fadeOnHover);
}

void Preferences::setTitleBarMode(TitleBarMode mode)
{
    write(titleBarModeKey, rawValue(mode));
}

TimelineScrollMode Preferences::timelineScrollMode() const
{
    return enumValue(text(timelineScrollModeKey), TimelineScrollMode::fadeOnScroll);
}

void Preferences::setTimelineScrollMode(TimelineScrollMode mode)
{
    write(timelineScrollModeKey, rawValue(mode));
}

MarkupBarMode Preferences::markupBarMode() const
{
    return enumValue(text(markupBarModeKey), MarkupBarMode::fadeOnScroll);
}

void Preferences::setMarkupBarMode(MarkupBarMode mode)
{
    write(markupBarModeKey, rawValue(mode));
}

bool Preferences::sidebarSwipeEnabled() const
{
    return flag(sidebarSwipeEnabledKey, true);
}

void Preferences::setSidebarSwipeEnabled(bool enabled)
{
    write(sidebarSwipeEnabledKey, enabled);
}

AppAppearance Preferences::appearance() const
{
    return enumValue(text(appearanceKey), AppAppearance::system);
}

void Preferences::setAppearance(AppAppearance appearance)
{
    write(appearanceKey, rawValue(appearance));
}

FocusMode Preferences::focusMode() const
{
    return focusModeFromSetting(text(focusModeKey));
}

void Preferences::setFocusMode(FocusMode mode)
{
    write(focusModeKey, rawValue(mode));
}

double Preferences::editorNumber(const EditorTheme::NumberSetting &setting) const
{
    return EditorTheme::stored(*m_settings, setting);
}

void Preferences::setEditorNumber(const EditorTheme::NumberSetting &setting, double value)
{
    if (!std::isfinite(value))
        return;
    write(setting.key, std::clamp(value, setting.minimum, setting.maximum));
}

void Preferences::resetEditorTypography()
{
    for (const EditorTheme::NumberSetting *setting :
         {&EditorTheme::textSize, &EditorTheme::lineSpacing, &EditorTheme::columnWidth})
        write(setting->key, setting->defaultValue);
}

} // namespace veskel
