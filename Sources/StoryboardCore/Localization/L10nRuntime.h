#pragma once

#include "StoryboardCore/Localization/ResolvedLanguage.h"

namespace veskel {

// The process-wide interface language: every bilingual text reads it when it is produced.
// Written and read on the main thread; the language store sets it at start and on change.
namespace L10nRuntime {

ResolvedLanguage lang();
void setLang(ResolvedLanguage language);

} // namespace L10nRuntime

} // namespace veskel
