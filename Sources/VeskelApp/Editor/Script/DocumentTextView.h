#pragma once

#include "StoryboardCore/Script/ScriptDocumentLayout.h"
#include "StoryboardCore/Script/TextDifference.h"
#include "VeskelApp/Editor/Markup/MarkupCommand.h"
#include "VeskelApp/Editor/Script/ColumnFit.h"
#include "VeskelApp/Editor/Script/DocumentReveal.h"
#include "VeskelApp/Editor/Script/FocusMode.h"
#include "VeskelApp/Editor/Script/SceneBand.h"
#include "VeskelApp/Editor/Script/ScriptStyler.h"
#include "VeskelApp/Editor/Search/SearchQuery.h"

#include <QPointer>
#include <QTextEdit>

#include <memory>
#include <optional>

class QVariantAnimation;

namespace veskel {

class Preferences;
class ProjectEditorViewModel;
class ScriptHighlighter;
class ScriptTextLayout;

// The script as a styled document bound to the editor view model. Every change the user makes
// goes to the model as the whole text; the model's text comes back only when it differs,
// keeping the caret. Undo belongs to the model. Focus dimming and search highlights are extra
// selections, never part of the text. The scene bands of the gutter and margin are computed
// at most once per turn of the event loop, for the scenes on and near the screen.
//
// A QTextEdit rather than a QPlainTextEdit: the plain layout ignores line height and paragraph
// margins, so neither the stored line spacing nor the space around headings could be drawn. Its
// document is laid out by ScriptTextLayout, whose cost per keystroke does not grow with the
// script.
class DocumentTextView : public QTextEdit
{
    Q_OBJECT

public:
    static constexpr int textInset = 6;
    static constexpr int revealScrollMs = 200;
    static constexpr int typewriterScrollMs = 180;

    DocumentTextView(ProjectEditorViewModel &model,
                     Preferences &preferences,
                     QWidget *parent = nullptr);

    FocusMode focusMode() const { return m_focusMode; }
    const QList<SceneBand> &bands() const { return m_bands; }
    // The view's top in document coordinates (its scroll position).
    int scrollY() const;
    // Space kept beside the text column for the gutter (left) and the margin (right), with
    // the page's padding: as given when there is room, down to `compact` when there is not.
    void setSideAreas(const ColumnFit::Sides &full, const ColumnFit::Sides &compact);
    const ColumnFit &columnFit() const { return m_fit; }
    // The scroll under way, if any (tests finish it instead of waiting).
    QVariantAnimation *scrollAnimation() const { return m_scroll; }

    // A band update on the next turn of the event loop, once however often it is asked for.
    void scheduleBandsUpdate();
    bool isBandsUpdateScheduled() const { return m_bandsUpdateScheduled; }

    void refreshFocusHighlight();
    void refreshSearchHighlight(const SearchQuery &query);
    void scrollCaretToTypewriterLine();
    void perform(const DocumentReveal &reveal);
    void perform(const MarkupCommand &command);
    // The paragraph role of the context menu, on the selected lines.
    void applyRole(ScriptBlockRole role);

signals:
    // The text scrolled.
    void scrolled();
    void bandsChanged();
    // The column moved or changed its width.
    void columnChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // The document as the user typed it, every character kept; paragraphs end in line feeds.
    // Kept in step with each change: reading the whole document per keystroke costs what the
    // script is long.
    const QString &typedText() const { return m_typed; }
    QString readTypedText() const;
    void followText(int from, int removed, int added);
    void takeModelText();
    void handOverText();
    void noteChange(int from, int removed, int added);
    void restyleAll();
    void applyStyle();
    void applyPaper();
    void applyFrameMargins();
    void updateColumn();
    void updateExtraSelections();
    void computeBands();
    void rewriteSelectedLines(const MarkupCommand::Kind &kind);
    void animateScrollTo(double target, int durationMs);
    void onScroll(int value);
    std::pair<double, double> extent(const TextRange &range) const;

    QPointer<ProjectEditorViewModel> m_model;
    QString m_typed;
    // Where m_typed differs from the model's text, when one change made the difference.
    std::optional<TextDifference> m_difference;
    Preferences *m_preferences = nullptr;
    ScriptHighlighter *m_highlighter = nullptr;
    ScriptTextLayout *m_layout = nullptr;
    std::unique_ptr<ScriptStyler> m_styler;
    QVariantAnimation *m_scroll = nullptr;
    FocusMode m_focusMode = FocusMode::off;
    SearchQuery m_activeSearchQuery;
    QList<QTextEdit::ExtraSelection> m_focusSelections;
    QList<QTextEdit::ExtraSelection> m_searchSelections;
    QList<SceneBand> m_bands;
    std::optional<DocumentReveal> m_handledReveal;
    std::optional<MarkupCommand> m_handledMarkup;
    std::optional<std::pair<int, int>> m_changed;
    ColumnFit::Sides m_fullSides;
    ColumnFit::Sides m_compactSides;
    ColumnFit m_fit;
    int m_lastScrollY = 0;
    bool m_bandsUpdateScheduled = false;
    bool m_takingModelText = false;
    bool m_formattingBlocks = false;
    bool m_handingOver = false;
    bool m_drawnScript = false;
    // The application palette the styles were made for.
    qint64 m_styledForPalette = 0;
};

} // namespace veskel
