#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"
#include "StoryboardCore/Script/ScriptDocumentLayout.h"
#include "StoryboardCore/Script/TextDifference.h"
#include "StoryboardCore/Script/TextRange.h"
#include "VeskelApp/Editor/Search/ScriptSearchMatch.h"
#include "VeskelApp/Editor/Search/SearchQuery.h"

#include <QList>
#include <QString>

#include <optional>

namespace veskel {

// The script document of the open project: generated from the project after each edit, read
// back into it as the user types, and where its scenes and blocks lie. Scenes whose headings
// typing removed are kept aside for the session: a heading typed again with exactly one's
// title takes it back (id, settings, image). Text positions refer to the text with CR LF read
// as LF.
class ScriptDocumentSession
{
public:
    static constexpr qsizetype keptAsideLimit = 200;

    const QString &text() const { return m_text; }
    const ScriptDocumentLayout &layout() const { return m_layout; }
    // The most recently removed first; they are not in the project meanwhile.
    const QList<Scene> &keptAside() const { return m_keptAside; }

    // The document generated from the project; true when its text changed. A text that is
    // the same is not replaced, so the text view keeps its caret.
    bool regenerate(const StoryboardProject &project);
    // Typed text as the document would hold it (CR LF read as LF), with the carriage returns
    // left in it.
    struct Reading
    {
        QString text;
        qsizetype carriageReturns = 0;
        // Where it differs from the document, when that is known.
        std::optional<TextDifference> difference;
    };
    // How `text` would be read; nothing when the document shows it already. Costs a comparison
    // with the document, not a search of the whole text.
    // `difference`, when known, is where `text` differs from the document.
    std::optional<Reading> reading(const QString &text,
                                   const std::optional<TextDifference> &difference = {}) const;
    bool shows(const QString &text) const { return !reading(text); }
    // Typed text becomes the document and the project's blocks and scenes (marker titles
    // current, stamped now); scenes it drops are kept aside, kept-aside ones it names again
    // come back.
    void read(Reading reading, StoryboardProject &project);
    void read(const QString &text, StoryboardProject &project);
    // Whether `read` may re-read only the paragraphs an edit touched (the default); tests turn
    // it off to compare with reading the whole text.
    void setReadsEditsOnly(bool editsOnly) { m_readsEditsOnly = editsOnly; }
    // After undo or redo: a scene the project has again is no longer kept aside.
    void forgetRestored(const StoryboardProject &project);

    // The scene whose span holds the range's location.
    std::optional<Scene> sceneContaining(const TextRange &range,
                                         const StoryboardProject &project) const;
    // The title after "# " on the scene's heading.
    std::optional<TextRange> headingTitle(const QString &sceneID) const;
    // Where the block starts, as an empty range.
    std::optional<TextRange> blockStart(const QString &blockID) const;
    // Every hit; none for an empty query.
    QList<ScriptSearchMatch> searchMatches(const SearchQuery &query) const;
    // The text with the hit replaced; nothing when the text there no longer matches the query
    // (a hit from an older text).
    std::optional<QString> replacing(const ScriptSearchMatch &match,
                                     const SearchQuery &query,
                                     const QString &replacement) const;

private:
    // Re-reads only the paragraphs around the edit when the project's blocks and scenes are
    // still what the last read made them; false when the whole text must be parsed.
    bool readEdit(const Reading &reading, StoryboardProject &project);
    // Remembers the scenes a parse dropped and forgets the ones it took back.
    void keepAsideDropped(const QList<Scene> &previous, const QList<Scene> &parsed);

    QString m_text;
    qsizetype m_carriageReturns = 0;
    ScriptDocumentLayout m_layout;
    QList<Scene> m_keptAside;
    // The lists the last read gave the project. Holding them makes any later change through the
    // project detach its copy, so the same data means the same blocks and scenes.
    QList<ScriptBlock> m_readBlocks;
    QList<Scene> m_readScenes;
    // The layout came from reading the text, not from writing the project.
    bool m_layoutIsRead = false;
    bool m_readsEditsOnly = true;
};

} // namespace veskel
