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

std::optional<TextRange> paragraph(const ScriptDocumentLayout &layout, qsizetype caret)
{
    const auto holding = [caret](const QHash<QString, TextRange> &ranges) {
        for (const TextRange &range : ranges) {
            if (range.location <= caret && caret <= range.end())
                return std::optional<TextRange>(range);
        }
        return std::optional<TextRange>();
    };
    if (const auto block = holding(layout.blockRanges))
        return block;
    return holding(layout.sceneHeadingRanges);
}

std::optional<TextRange>
around(FocusMode mode, const QString &text, const ScriptDocumentLayout &layout, qsizetype caret)
{
    if (!dimsSurroundings(mode) || text.isEmpty())
        return std::nullopt;
    return mode == FocusMode::sentence ? sentence(text, caret) : paragraph(layout, caret);
}

} // namespace veskel::FocusRange
