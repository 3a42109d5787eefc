#include "VeskelApp/Editor/Search/ScriptSearchState.h"

#include "StoryboardCore/Script/ScriptText.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"

#include <QCoreApplication>
#include <QSet>

#include <algorithm>

namespace veskel {

ScriptSearchState::ScriptSearchState(ProjectEditorViewModel &model)
    : m_model(&model)
    , m_query(model.activeSearchQuery())
{
}

void ScriptSearchState::setQuery(const QString &query)
{
    m_query = query;
    m_currentMatchIndex = 0;
    if (m_model)
        m_model->setActiveSearchQuery(query);
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
    m_model->replaceMatch(found.at(position), m_query, replacement);
    const int left = int(matches().size());
    m_currentMatchIndex = left == 0 ? 0 : std::min(position, left - 1);
}

void ScriptSearchState::replaceAll()
{
    if (m_query.isEmpty() || matches().isEmpty() || !m_model)
        return;
    // One pass over the text as it was: a replacement holding the query is not searched again.
    QString text = m_model->documentText();
    text.replace(m_query, replacement, Qt::CaseInsensitive);
    m_model->applyDocumentEdit(text);
    m_currentMatchIndex = 0;
}

void ScriptSearchState::close()
{
    if (m_model)
        m_model->setActiveSearchQuery(QString());
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
    const qsizetype from = std::max<qsizetype>(0, start - contextLength);
    const qsizetype to = std::min(text.size(), end + contextLength);
    const auto flat = [](QString piece) { return piece.replace(u'\n', u' '); };
    Context context;
    context.before
        = (from > 0 ? QStringLiteral("…") : QString()) + flat(text.mid(from, start - from));
    context.match = flat(text.mid(start, end - start));
    context.after
        = flat(text.mid(end, to - end)) + (to < text.size() ? QStringLiteral("…") : QString());
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
