#pragma once

#include "StoryboardCore/Localization/ResolvedLanguage.h"

namespace veskel {

// The process-wide resolved interface language, for choices beyond texts (texts follow the
// installed translators). The application sets it on the main thread together with the
// translators at start and on change; any thread may read it.
namespace L10nRuntime {

ResolvedLanguage lang();
void setLang(ResolvedLanguage language);

} // namespace L10nRuntime

} // namespace veskel
