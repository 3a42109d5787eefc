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

// Values are JSON texts made by these functions; nested ones are indented one level deeper.
QString object(const Members &members);
QString array(const QStringList &values);

} // namespace OTIOJSONText

} // namespace veskel
