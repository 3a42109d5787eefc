#pragma once

#include <QString>

namespace veskel {

// The title of a duplicate (a scene's or a project's): "Intro (copy)" / "Intro (копия)" in the
// interface language, trimmed, the suffix added once; a blank title becomes `blankTitle` first.
QString copyTitle(const QString &title, const QString &blankTitle);

} // namespace veskel
