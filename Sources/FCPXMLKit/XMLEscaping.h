#pragma once

#include <QString>

namespace veskel {

namespace XMLEscaping {

// Whether XML 1.0 allows the code point anywhere in a document: tab, line feed, carriage
// return, U+0020–U+D7FF, U+E000–U+FFFD and U+10000–U+10FFFF.
bool isAllowedCharacter(char32_t codePoint);

// The text without the code units XML 1.0 forbids: other C0 controls, U+FFFE, U+FFFF and
// surrogates that are not part of a pair. One such character makes a whole document unreadable,
// so dropping it is the only way to keep the rest.
QString removingForbiddenCharacters(const QString &text);

// An attribute value (or element text): forbidden characters dropped, "&", "<", ">", '"' and
// "'" written as their entities, line feed, carriage return and tab as character references
// (&#10;, &#13;, &#9;), so a reader gets them back exactly. Everything else stays as it is.
QString escape(const QString &text);

} // namespace XMLEscaping

} // namespace veskel
