#include "StoryboardCore/Script/ScriptLineReader.h"

#include "StoryboardCore/Script/ScriptText.h"

#include <algorithm>

namespace veskel::ScriptLines {

namespace {

// The title of a heading line: a run of "#" followed by nothing or by a space. A title that
// follows the "#" directly or after a tab makes a voiceover line instead.
std::optional<QStringView> headingTitle(QStringView trimmed)
{
    qsizetype run = 0;
    while (run < trimmed.size() && trimmed[run] == u'#')
        ++run;
    if (run == 0)
        return std::nullopt;
    const QStringView rest = trimmed.sliced(run);
    if (!rest.isEmpty() && rest.front() != u' ')
        return std::nullopt;
    return ScriptText::trimmedHorizontally(rest);
}

// The role and content of a non-blank, non-heading line. "//" is tested before ">".
ClassifiedLine roleAndContent(QStringView trimmed)
{
    if (trimmed.startsWith(u"//"))
        return {LineKind::content, ScriptBlockRole::note,
                ScriptText::trimmedHorizontally(trimmed.sliced(2))};
    if (trimmed.front() == u'>')
        return {LineKind::content, ScriptBlockRole::onScreen,
                ScriptText::trimmedHorizontally(trimmed.sliced(1))};
    return {LineKind::content, ScriptBlockRole::voiceover, trimmed};
}

} // namespace

ClassifiedLine classify(QStringView line)
{
    const QStringView trimmed = ScriptText::trimmedHorizontally(line);
    if (trimmed.isEmpty())
        return {};
    if (const auto title = headingTitle(trimmed))
        return {LineKind::heading, ScriptBlockRole::voiceover, *title};
    return roleAndContent(trimmed);
}

ScriptLineReader::ScriptLineReader(BatchedUUIDGenerator &ids,
                                   QList<ScriptBlock> &blocks,
                                   QList<Heading> &headings)
    : m_ids(ids)
    , m_blocks(blocks)
    , m_headings(headings)
{
    m_contents.reserve(16);
}

void ScriptLineReader::readLines(QStringView document, qsizetype from, qsizetype to)
{
    qsizetype lineStart = from;
    while (true) {
        const qsizetype lineFeedAt = document.indexOf(u'\n', lineStart);
        const qsizetype lineEnd = lineFeedAt < 0 ? document.size() : lineFeedAt;
        const QStringView line = document.sliced(lineStart, lineEnd - lineStart);
        const ClassifiedLine classified = classify(line);
        switch (classified.kind) {
        case LineKind::heading: {
            flush();
            const TextRange range{lineStart, line.size()};
            m_headings.append(
                Heading{classified.content.toString(), range, m_blocks.size(), range.end()});
            break;
        }
        case LineKind::blank:
            flush();
            break;
        case LineKind::content:
            addLine(classified.role, classified.content, lineStart, line.size());
            break;
        }
        if (lineFeedAt < 0 || lineEnd >= to)
            break;
        lineStart = lineFeedAt + 1;
    }
}

void ScriptLineReader::addLine(ScriptBlockRole role,
                               QStringView content,
                               qsizetype lineStart,
                               qsizetype lineLength)
{
    if (m_pending && m_role != role)
        flush();
    if (!m_pending) {
        m_pending = true;
        m_role = role;
        m_start = lineStart;
    }
    m_contents.push_back(content);
    m_end = lineStart + lineLength;
}

void ScriptLineReader::flush()
{
    if (!m_pending)
        return;
    m_pending = false;
    const bool blank = std::all_of(m_contents.cbegin(), m_contents.cend(),
                                   [](QStringView c) { return ScriptText::isBlank(c); });
    if (blank) {
        m_contents.clear();
        return;
    }
    QString text;
    if (m_contents.size() == 1) {
        text = m_contents.front().toString();
    } else {
        qsizetype length = qsizetype(m_contents.size()) - 1;
        for (QStringView c : m_contents)
            length += c.size();
        text.reserve(length);
        for (size_t i = 0; i < m_contents.size(); ++i) {
            if (i > 0)
                text += u'\n';
            text += m_contents[i];
        }
    }
    m_contents.clear();

    ScriptBlock block{m_ids.next(), std::move(text), m_role, std::nullopt};
    const TextRange range{m_start, m_end - m_start};
    m_ranges.push_back(range);
    m_blocks.append(std::move(block));
    if (m_headings.isEmpty()) {
        if (!m_draftStart)
            m_draftStart = range.location;
        m_draftEnd = range.end();
    } else {
        m_headings.last().end = range.end();
    }
}

std::optional<TextRange> ScriptLineReader::draftSpan() const
{
    if (!m_draftStart)
        return std::nullopt;
    return TextRange{*m_draftStart, m_draftEnd - *m_draftStart};
}

} // namespace veskel::ScriptLines
