#pragma once

#include <QMap>
#include <QString>

namespace veskel {

// The few text operations the FCPXML document is assembled from. Every element carries its
// own indent and the enclosing elements indent their children again, so the depth of a line
// is the sum of the levels on its way to the root.
namespace FCPXMLBuilder {

// QMap keeps the names sorted, which is the order attributes are written in.
using Attributes = QMap<QString, QString>;

// `<name a="1" b="2"/>` with level × 4 spaces in front; with non-empty children:
// the opening tag, a line feed, the children exactly as passed, a line feed and the closing
// tag on its own indented line. Values are escaped.
QString element(const QString &name,
                const Attributes &attributes,
                int indentLevel,
                const QString &children = {});

// Puts level × 4 spaces in front of every non-empty line; empty lines stay empty.
QString indent(const QString &text, int level);

} // namespace FCPXMLBuilder

} // namespace veskel
