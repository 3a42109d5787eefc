#pragma once

#include <QChar>
#include <QStringView>

namespace veskel {

// Character rules shared by the script document reader, the scene texts and the duration
// estimate.
namespace ScriptText {

// Tab and the Unicode space separators (category Zs); line breaks are not horizontal.
bool isHorizontalSpace(QChar c);
// The text without horizontal white space at either end; a view into the same characters.
QStringView trimmedHorizontally(QStringView text);
// True when the text holds nothing but white space and line breaks (QString::trimmed() would
// leave it empty).
bool isBlank(QStringView text);
// Maximal runs of characters that are neither white space nor line breaks (the Unicode
// White_Space set, which QChar::isSpace matches); punctuation belongs to the word it touches.
qsizetype wordCount(QStringView text);

} // namespace ScriptText

} // namespace veskel
