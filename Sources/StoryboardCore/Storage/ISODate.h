#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace veskel {

// Dates in project files: ISO 8601 in UTC with whole seconds and "Z", e.g. 2025-03-01T10:15:00Z.
QString isoDateString(const QDateTime &date);
// Only the exact form above is accepted; fractions and offsets are refused.
std::optional<QDateTime> parseISODate(const QString &text);
// Now in the whole seconds a file holds, so a value handed back equals what a later read gives.
QDateTime currentFileTime();

} // namespace veskel
