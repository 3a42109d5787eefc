#include "VeskelApp/Editor/Search/ScriptSearchState.h"

#include "StoryboardCore/Script/ScriptText.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Editor/Script/ScriptLineStyle.h"

#include <QCoreApplication>
#include <QSet>

#include <algorithm>

namespace veskel {

ScriptSearchState::ScriptSearchState(ProjectEditorViewModel &model)
    : m_model(&model)
    , m_query(model.activeSearchQuery())
{
}

void ScriptSearchState::setQuery(const QString &text)
{
    SearchQuery query = m_query;
    query.text = text;
    apply(std::move(query));
}

void ScriptSearchState::setMatchCase(bool on)
{
    SearchQuery query = m_query;
    query.matchCase = on;
    apply(std::move(query));
}

void ScriptSearchState::setWholeWords(bool on)
{
    SearchQuery query = m_query;
    query.wholeWords = on;
    apply(std::move(query));
}

void ScriptSearchState::apply(SearchQuery query)
{
    m_query = std::move(query);
    m_currentMatchIndex = 0;
    if (m_model)
        m_model->setActiveSearchQuery(m_query);
}

QList<ScriptSearchMatch> ScriptSearchState::matches() const
{
    return m_model ? m_model->searchMatches(m_query) : QList<ScriptSearchMatch>();
}

QString ScriptSearchState::matchCountLabel() const
{
    const qsizetype count = matches().size();
    if (count == 0)
        return QCoreApplication::translate("ScriptSearchPanel", "none");
    return QStringLiteral("%1/%2")
        .arg(std::min<qsizetype>(m_currentMatchIndex + 1, count))
        .arg(count);
}

void ScriptSearchState::advance(int step)
{
    const int count = int(matches().size());
    if (count == 0)
        return;
    choose(((m_currentMatchIndex + step) % count + count) % count);
}

void ScriptSearchState::choose(int index)
{
    const QList<ScriptSearchMatch> found = matches();
    if (index < 0 || index >= found.size() || !m_model)
        return;
    m_currentMatchIndex = index;
    m_model->reveal(found.at(index).range, true);
}

void ScriptSearchState::replaceCurrent()
{
    const QList<ScriptSearchMatch> found = matches();
    if (found.isEmpty() || !m_model)
        return;
    const int position = std::min(m_currentMatchIndex, int(found.size()) - 1);
    const TextRange replaced = found.at(position).range;
    m_model->replaceMatch(found.at(position), m_query, replacement);
    const qsizetype after = replaced.location + replacement.size();
    const QList<ScriptSearchMatch> left = matches();
    // The next hit after the new words (they may hold the query themselves), round the end.
    const auto next = std::find_if(left.cbegin(), left.cend(), [&](const ScriptSearchMatch &m) {
        return m.range.location >= after;
    });
    if (left.isEmpty()) {
        m_currentMatchIndex = 0;
        m_model->reveal(TextRange{after, 0}, true);
        return;
    }
    choose(next == left.cend() ? 0 : int(next - left.cbegin()));
}

void ScriptSearchState::replaceAll()
{
    const QList<ScriptSearchMatch> found = matches();
    if (found.isEmpty() || !m_model)
        return;
    m_model->applyDocumentEdit(m_query.replacedIn(m_model->documentText(), replacement));
    m_currentMatchIndex = 0;
    const qsizetype grown = (found.size() - 1) * (replacement.size() - m_query.text.size());
    m_model->reveal(TextRange{found.last().range.location + grown + replacement.size(), 0}, true);
}

void ScriptSearchState::close()
{
    if (m_model)
        m_model->setActiveSearchQuery(SearchQuery{});
}

QList<StructureEntry> ScriptSearchState::structureEntries() const
{
    QList<StructureEntry> entries;
    if (!m_model)
        return entries;
    const StoryboardProject &project = m_model->project();
    QSet<QString> listed;
    for (const ScriptBlock &block : project.scriptBlocks) {
        if (block.sceneID && !listed.contains(*block.sceneID)) {
            const auto scene = std::find_if(project.scenes.cbegin(), project.scenes.cend(),
                                            [&](const Scene &s) { return s.id == *block.sceneID; });
            if (scene != project.scenes.cend()) {
                listed.insert(scene->id);
                entries.append(StructureEntry{QStringLiteral("scene-") + scene->id, *scene});
            }
        }
        if (!ScriptText::isBlank(block.text))
            entries.append(StructureEntry{QStringLiteral("block-") + block.id, block});
    }
    return entries;
}

std::optional<Scene> ScriptSearchState::sceneBadge(const ScriptSearchMatch &match) const
{
    return m_model ? m_model->scene(match.range) : std::nullopt;
}

ScriptSearchState::Context ScriptSearchState::context(const ScriptSearchMatch &match) const
{
    if (!m_model)
        return {};
    const QString &text = m_model->documentText();
    const qsizetype start = std::clamp<qsizetype>(match.range.location, 0, text.size());
    const qsizetype end = std::clamp<qsizetype>(match.range.end(), start, text.size());
    // The line holding the match's start; a match running past its end is shown to the end.
    const qsizetype lineStart = text.lastIndexOf(u'\n', start - 1) + 1;
    qsizetype lineEnd = text.indexOf(u'\n', start);
    if (lineEnd < 0)
        lineEnd = text.size();
    const QStringView line = QStringView(text).sliced(lineStart, lineEnd - lineStart);
    const qsizetype markupEnd = std::min(lineStart + ScriptLineStyle::of(line).fadedLength, start);
    const qsizetype from = std::max(markupEnd, start - contextLength);
    const qsizetype matchEnd = std::min(end, lineEnd);
    const qsizetype to = std::min(lineEnd, matchEnd + contextLength);
    Context context;
    if (from == markupEnd)
        context.markup = text.mid(lineStart, markupEnd - lineStart);
    context.before
        = (from > markupEnd ? QStringLiteral("…") : QString()) + text.mid(from, start - from);
    context.match = text.mid(start, matchEnd - start);
    context.after
        = text.mid(matchEnd, to - matchEnd) + (to < lineEnd ? QStringLiteral("…") : QString());
    return context;
}

QString ScriptSearchState::excerpt(const QString &text)
{
    const QString line = text.trimmed().section(u'\n', 0, 0).trimmed();
    // Counted in user-perceived characters: a Cyrillic letter with an accent or an emoji is one.
    const auto cut = ScriptText::cutWhenLonger(line, excerptLength, excerptLength - 3);
    return cut ? line.left(*cut) + QStringLiteral("…") : line;
}

} // namespace veskel
