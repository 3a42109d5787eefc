#include "StoryboardCore/Localization/NameCollator.h"

#include "StoryboardCore/Localization/L10nRuntime.h"

namespace veskel {

NameCollator::NameCollator(const QLocale &locale)
    : m_collator(locale)
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    m_collator.setNumericMode(true);
}

NameCollator NameCollator::forInterfaceLanguage()
{
    return NameCollator(collationLocale(L10nRuntime::lang()));
}

QLocale NameCollator::collationLocale(ResolvedLanguage language)
{
    switch (language) {
    case ResolvedLanguage::russian: return QLocale(QLocale::Russian, QLocale::Russia);
    case ResolvedLanguage::english: break;
    }
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

int NameCollator::compare(const QString &a, const QString &b) const
{
    if (const int order = m_collator.compare(a, b); order != 0)
        return order;
    return QString::compare(a, b, Qt::CaseSensitive);
}

} // namespace veskel
