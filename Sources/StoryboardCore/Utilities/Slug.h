#pragma once

#include <QString>

namespace veskel {

// Title to file-system-safe slug: lower case; letters, marks, numbers and "-" kept (no
// transliteration); every run of other characters becomes one "-"; trimmed of "-";
// "untitled" when empty; at most `maxLength` user-perceived characters.
QString slugified(const QString &text, int maxLength);

} // namespace veskel
