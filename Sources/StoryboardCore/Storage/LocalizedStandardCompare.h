#pragma once

#include <QString>

namespace veskel {

// The order a file browser shows names in: case-insensitive, runs of digits compared as
// numbers ("Folder 2" before "Folder 10"). The same in every locale, the C locale included
// (where QCollator ignores its numeric mode). Negative, zero or positive like strcmp; names
// that differ only in case or leading zeros are ordered by code points so the order is total.
int localizedStandardCompare(const QString &a, const QString &b);

} // namespace veskel
