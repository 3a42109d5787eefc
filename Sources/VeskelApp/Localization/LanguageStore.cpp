#include "VeskelApp/Localization/LanguageStore.h"

#include "VeskelApp/Localization/InterfaceTranslation.h"

#include <QLocale>
#include <QSettings>

namespace veskel {

LanguageStore::LanguageStore(QObject *parent)
    : QObject(parent)
    , m_ownedSettings(
          std::make_unique<QSettings>(QStringLiteral("Veskel"), QStringLiteral("Veskel")))
    , m_settings(m_ownedSettings.get())
    , m_preferredLanguages(&LanguageStore::systemPreferredLanguages)
{
    apply();
}

LanguageStore::LanguageStore(QSettings *settings,
                             PreferredLanguages preferredLanguages,
                             QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_preferredLanguages(preferredLanguages ? std::move(preferredLanguages)
                                              : PreferredLanguages(&systemPreferredLanguages))
{
    apply();
}

LanguageStore::~LanguageStore() = default;

void LanguageStore::apply()
{
    // Only "ru" and "en" choose a language; anything else stored (or nothing) follows the system.
    const QVariant stored = m_settings ? m_settings->value(settingsKey) : QVariant();
    const auto parsed = stored.typeId() == QMetaType::QString
                            ? fromRawValue<AppLanguage>(stored.toString())
                            : std::nullopt;
    m_language = parsed.value_or(AppLanguage::system);
    InterfaceTranslation::apply(resolve(m_language));
}

void LanguageStore::setLanguage(AppLanguage language)
{
    const bool changed = language != m_language;
    m_language = language;
    if (m_settings)
        m_settings->setValue(settingsKey, rawValue(language));
    InterfaceTranslation::apply(resolve(language));
    if (changed)
        emit languageChanged(language);
}

ResolvedLanguage LanguageStore::resolve(AppLanguage language) const
{
    if (language != AppLanguage::system)
        return resolve(language, {});
    return resolve(language, m_preferredLanguages());
}

ResolvedLanguage LanguageStore::resolve(AppLanguage language, const QStringList &preferredLanguages)
{
    switch (language) {
    case AppLanguage::russian:
        return ResolvedLanguage::russian;
    case AppLanguage::english:
        return ResolvedLanguage::english;
    case AppLanguage::system:
        break;
    }
    const QString first
        = preferredLanguages.isEmpty() ? QStringLiteral("en") : preferredLanguages.constFirst();
    return first.startsWith(QLatin1String("ru")) ? ResolvedLanguage::russian
                                                 : ResolvedLanguage::english;
}

QStringList LanguageStore::systemPreferredLanguages()
{
    return QLocale::system().uiLanguages();
}

} // namespace veskel
