#include "StoryboardCore/Utilities/Slug.h"

#include "StoryboardCore/Utilities/UnicodeCategories.h"

#include <QList>
#include <QTextBoundaryFinder>

namespace veskel {

namespace {

bool isAllowed(char32_t scalar)
{
    return scalar == U'-' || isLetterMarkOrNumber(scalar);
}

QString trimmedHyphens(const QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start) == u'-')
        ++start;
    while (end > start && text.at(end - 1) == u'-')
        --end;
    return text.mid(start, end - start);
}

// The first `count` grapheme clusters of `text`.
QString leadingGraphemes(const QString &text, int count)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype position = 0;
    for (int i = 0; i < count; ++i) {
        const qsizetype next = finder.toNextBoundary();
        if (next < 0)
            return text;
        position = next;
    }
    return text.left(position);
}

} // namespace

QString slugified(const QString &text, int maxLength)
{
    const QString lower = text.toLower();
    QString result;
    result.reserve(lower.size());
    bool previousDisallowed = false;
    for (const char32_t scalar : lower.toUcs4()) {
        if (isAllowed(scalar)) {
            result.append(QString::fromUcs4(&scalar, 1));
            previousDisallowed = false;
        } else {
            if (!previousDisallowed)
                result.append(u'-');
            previousDisallowed = true;
        }
    }
    result = trimmedHyphens(result);
    if (result.isEmpty())
        return QStringLiteral("untitled");
    // Cheap bound first: a text no longer than maxLength code units has at most that many
    // characters.
    if (result.size() > maxLength) {
        const QString head = leadingGraphemes(result, maxLength);
        if (head.size() < result.size())
            result = trimmedHyphens(head);
    }
    return result;
}

} // namespace veskel
