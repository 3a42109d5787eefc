#pragma once

#include "VeskelApp/Editor/Search/ScriptSearchMatch.h"
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
    // The text around a match: the match itself apart, line feeds as spaces.
    struct Context
    {
        QString before;
        QString match;
        QString after;

        QString joined() const { return before + match + after; }
    };

    static constexpr qsizetype contextLength = 28;
    static constexpr qsizetype excerptLength = 60;

    explicit ScriptSearchState(ProjectEditorViewModel &model);

    const QString &query() const { return m_query; }
    // Back to the first match; the text view highlights the new query.
    void setQuery(const QString &query);
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
    void replaceCurrent();
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
    QString m_query;
    int m_currentMatchIndex = 0;
};

} // namespace veskel
