#pragma once

#include "StoryboardCore/Localization/ResolvedLanguage.h"

namespace veskel {

// The interface's translators: our catalogue for the language and, for Russian, Qt's own
// (standard context menus, file dialogs, dialog buttons). Only the application installs them;
// the command-line tool speaks the English written in the code.
namespace InterfaceTranslation {

// Makes `language` the process-wide interface language and installs its catalogues in place of
// the previous ones. Main thread only; needs the application object.
void apply(ResolvedLanguage language);

} // namespace InterfaceTranslation

} // namespace veskel
