#pragma once

#include "StoryboardCore/Localization/ResolvedLanguage.h"
#include "VeskelApp/Localization/AppLanguage.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class QSettings;

namespace veskel {

// The user's interface language choice. It persists the choice under "appLanguage" and keeps
// the installed translators and the process-wide L10nRuntime language in step with it; created
// once at start, before the first window is built.
class LanguageStore : public QObject
{
    Q_OBJECT
    Q_PROPERTY(veskel::AppLanguage language READ language WRITE setLanguage NOTIFY languageChanged)

public:
    // The platform's ordered list of the user's preferred languages ("ru-RU", "en-GB", ...).
    using PreferredLanguages = std::function<QStringList()>;

    static constexpr QLatin1String settingsKey{"appLanguage"};

    // The application's settings and the system's preferred languages.
    explicit LanguageStore(QObject *parent = nullptr);
    // Tests hand in their own settings (not owned; it must outlive the store) and languages.
    LanguageStore(QSettings *settings,
                  PreferredLanguages preferredLanguages,
                  QObject *parent = nullptr);
    ~LanguageStore() override;

    AppLanguage language() const { return m_language; }
    // Stores the choice and switches the interface language at once.
    void setLanguage(AppLanguage language);

    // The language the interface uses for a choice; "Match System" consults the preferred
    // languages at the moment of the call.
    ResolvedLanguage resolve(AppLanguage language) const;
    // Russian when the first preferred language is Russian, English otherwise (also when the
    // list is empty).
    static ResolvedLanguage resolve(AppLanguage language, const QStringList &preferredLanguages);

    static QStringList systemPreferredLanguages();

signals:
    void languageChanged(veskel::AppLanguage language);

private:
    void apply();

    std::unique_ptr<QSettings> m_ownedSettings;
    QSettings *m_settings = nullptr;
    PreferredLanguages m_preferredLanguages;
    AppLanguage m_language = AppLanguage::system;
};

} // namespace veskel
