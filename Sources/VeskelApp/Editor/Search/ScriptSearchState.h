#pragma once

#include "VeskelApp/Editor/Search/ScriptSearchMatch.h"
#include "VeskelApp/Editor/Search/SearchQuery.h"
#include "VeskelApp/Editor/Search/StructureEntry.h"

#include <QList>
#include <QPointer>
#include <QString>

#include <optional>

namespace veskel {

class ProjectEditorViewModel;

// What the search panel knows and does, apart from its widgets: the query and replacement,
// the current match, stepping, replacing, the outline and the texts of its rows. Matches are
// found afresh from the current document whenever they are needed, so a stale one is never
// replaced.
class ScriptSearchState
{
public:
    // The match's own line around it: the line's markup ("# ", "> ", "// ") apart, so it
    // can be shown faint, then the words before, the match and the words after.
    struct Context
    {
        QString markup;
        QString before;
        QString match;
        QString after;

        QString joined() const { return markup + before + match + after; }
    };

    static constexpr qsizetype contextLength = 28;
    static constexpr qsizetype excerptLength = 60;

    explicit ScriptSearchState(ProjectEditorViewModel &model);

    const SearchQuery &query() const { return m_query; }
    // Back to the first match; the text view highlights the new query.
    void setQuery(const QString &text);
    void setMatchCase(bool on);
    void setWholeWords(bool on);
    QString replacement;
    bool showReplace = false;
    int currentMatchIndex() const { return m_currentMatchIndex; }

    QList<ScriptSearchMatch> matches() const;
    // "2/7", or "none" without matches.
    QString matchCountLabel() const;
    // One step forward (+1) or back (-1), round the ends; the match is shown selected.
    void advance(int step);
    // A row of the match list was chosen.
    void choose(int index);
    // Replaces the current match and selects the next one after it; with none left the caret
    // stands after the replacement, so no selection outlives the text it covered.
    void replaceCurrent();
    // One undo step; the caret ends after the last replacement.
    void replaceAll();
    // The query goes away with the panel, and its highlights with it.
    void close();

    QList<StructureEntry> structureEntries() const;
    std::optional<Scene> sceneBadge(const ScriptSearchMatch &match) const;
    Context context(const ScriptSearchMatch &match) const;
    // The first line, trimmed, cut to 57 characters and "…" from 61 on.
    static QString excerpt(const QString &text);

private:
    QPointer<ProjectEditorViewModel> m_model;
    void apply(SearchQuery query);

    SearchQuery m_query;
    int m_currentMatchIndex = 0;
};

} // namespace veskel
