#pragma once

#include <QColor>
#include <QString>

class QWidget;

namespace veskel {

// A result screen's first line: a large tinted symbol beside a bold text.
QWidget *exportHeadline(const QString &symbolName, const QColor &color, const QString &text);

} // namespace veskel
