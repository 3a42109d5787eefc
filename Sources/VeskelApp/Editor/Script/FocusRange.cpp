#include "VeskelApp/Editor/Script/FocusRange.h"

#include "StoryboardCore/Script/ScriptText.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace veskel::FocusRange {

namespace {

qsizetype lineStart(const QString &text, qsizetype position)
{
    if (position <= 0)
        return 0;
    return text.lastIndexOf(u'\n', position - 1) + 1;
}

qsizetype lineEnd(const QString &text, qsizetype position)
{
    const qsizetype feed = text.indexOf(u'\n', position);
    return feed < 0 ? text.size() : feed;
}

} // namespace

std::optional<TextRange> sentence(const QString &text, qsizetype caret)
{
    caret = std::clamp<qsizetype>(caret, 0, text.size());
    const qsizetype start = lineStart(text, caret);
    const qsizetype end = lineEnd(text, caret);
    const QString line = text.mid(start, end - start);
    // No sentence under the caret (every Return leaves a blank line): nothing to dim around.
    if (ScriptText::isBlank(line))
        return std::nullopt;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Sentence, line);
    qsizetype from = 0;
    for (qsizetype to = finder.toNextBoundary(); to >= 0; to = finder.toNextBoundary()) {
        if (start + from <= caret && caret <= start + to)
            return TextRange{start + from, to - from};
        from = to;
    }
    return std::nullopt;
}

std::optional<TextRange> paragraph(const QString &text, qsizetype caret)
{
    caret = std::clamp<qsizetype>(caret, 0, text.size());
    if (caret == text.size() && caret > 0 && text.back() == u'\n')
        --caret; // the very end counts as the last line
    qsizetype start = lineStart(text, caret);
    qsizetype end = lineEnd(text, caret);
    while (start > 0) {
        const qsizetype above = lineStart(text, start - 1);
        if (ScriptText::isBlank(QStringView(text).sliced(above, start - 1 - above)))
            break;
        start = above;
    }
    while (end < text.size()) {
        const qsizetype below = lineEnd(text, end + 1);
        if (ScriptText::isBlank(QStringView(text).sliced(end + 1, below - end - 1)))
            break;
        end = below;
    }
    return TextRange{start, end - start};
}

std::optional<TextRange> around(FocusMode mode, const QString &text, qsizetype caret)
{
    if (!dimsSurroundings(mode) || text.isEmpty())
        return std::nullopt;
    return mode == FocusMode::sentence ? sentence(text, caret) : paragraph(text, caret);
}

} // namespace veskel::FocusRange
