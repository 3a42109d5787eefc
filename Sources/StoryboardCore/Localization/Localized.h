#pragma once

#include "StoryboardCore/Localization/L10nRuntime.h"

#include <QString>

namespace veskel {

// The one way to write a user-facing text: both variants side by side at the point of use,
// chosen when the text is produced.
//     label->setText(localized(u"Export", u"Экспорт"));
inline QString localized(ResolvedLanguage language, QStringView english, QStringView russian)
{
    return (language == ResolvedLanguage::english ? english : russian).toString();
}

inline QString localized(QStringView english, QStringView russian)
{
    return localized(L10nRuntime::lang(), english, russian);
}

} // namespace veskel
