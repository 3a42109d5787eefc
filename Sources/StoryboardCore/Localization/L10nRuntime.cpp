#include "StoryboardCore/Localization/L10nRuntime.h"

#include <atomic>

namespace veskel::L10nRuntime {

namespace {
// English until a language store decides otherwise: the command-line tool never sets it.
// Atomic because the project list is read on a worker thread, which sorts folder names in the
// interface language.
std::atomic<ResolvedLanguage> current = ResolvedLanguage::english;
} // namespace

ResolvedLanguage lang()
{
    return current.load(std::memory_order_relaxed);
}

void setLang(ResolvedLanguage language)
{
    current.store(language, std::memory_order_relaxed);
}

} // namespace veskel::L10nRuntime
