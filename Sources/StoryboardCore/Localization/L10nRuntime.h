#pragma once

#include "StoryboardCore/Localization/ResolvedLanguage.h"

namespace veskel {

// The process-wide resolved interface language, for choices beyond texts (texts follow the
// installed translators). Written and read on the main thread; the application sets it together
// with the translators at start and on change.
namespace L10nRuntime {

ResolvedLanguage lang();
void setLang(ResolvedLanguage language);

} // namespace L10nRuntime

} // namespace veskel
