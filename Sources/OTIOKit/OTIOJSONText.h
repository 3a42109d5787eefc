#pragma once

#include <QList>
#include <QString>

#include <utility>

namespace veskel {

// JSON text built by hand, so that its bytes depend only on the values: members stay in the
// order given, nesting is indented by four spaces, and numbers are written the way
// OpenTimelineIO writes them (a time value of 125 frames is "125.0", a double).
namespace OTIOJSONText {

using Members = QList<std::pair<QString, QString>>;

// A quoted string. Characters no interchange document may hold (C0 controls other than tab,
// line feed and carriage return, lone surrogates) are dropped; the rest is escaped as JSON
// requires and written as UTF-8 text.
QString string(const QString &text);
// A whole number written as a double: "25.0".
QString real(qint64 value);
QString integer(qint64 value);
QString boolean(bool value);
QString null();

// Values are JSON texts made by these functions, a member or element a line, not indented:
// the finished document is indented once, rather than every level again as it nests.
QString object(const Members &members);
QString array(const QStringList &values);
// The document indented four spaces a level of nesting.
QString indented(const QString &json);

} // namespace OTIOJSONText

} // namespace veskel
