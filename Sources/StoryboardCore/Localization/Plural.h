#pragma once

#include "StoryboardCore/Localization/ResolvedLanguage.h"

#include <QString>

namespace veskel {

// Counted phrases for the interface, in the current interface language.
namespace Plural {

// "1 scene", "5 scenes"; "1 сцена", "2 сцены", "5 сцен", "21 сцена".
QString scenes(qint64 count);
QString scenes(qint64 count, ResolvedLanguage language);

} // namespace Plural

} // namespace veskel
