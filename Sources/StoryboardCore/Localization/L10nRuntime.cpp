#include "StoryboardCore/Localization/L10nRuntime.h"

namespace veskel::L10nRuntime {

namespace {
// English until a language store decides otherwise: the command-line tool never sets it.
ResolvedLanguage current = ResolvedLanguage::english;
} // namespace

ResolvedLanguage lang()
{
    return current;
}

void setLang(ResolvedLanguage language)
{
    current = language;
}

} // namespace veskel::L10nRuntime
