#pragma once

#include <QPointer>
#include <QWidget>

class QGraphicsOpacityEffect;
class QPropertyAnimation;
class QTimer;

namespace veskel {

class DocumentTextView;
class MarkupToolbar;
class Preferences;
class ProjectEditorViewModel;
class ScriptGutter;
class ScriptMargin;

// The editor column: the markup bar over the script, the gutter left of the text and the
// margin right of it. The bar follows "markupBarMode": always there, hidden, or faded out while
// the text scrolls and back a second after.
class ScriptEditorView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int columnSpacing = 14;
    static constexpr int compactSpacing = 4;
    // Inside the page, either side of the words.
    static constexpr int pagePadding = 28;
    static constexpr int compactPadding = 8;
    static constexpr int barReturnDelayMs = 1000;

    ScriptEditorView(ProjectEditorViewModel &model,
                     Preferences &preferences,
                     QWidget *parent = nullptr);

    DocumentTextView *textView() const { return m_text; }
    MarkupToolbar *markupBar() const { return m_bar; }
    ScriptGutter *gutter() const { return m_gutter; }
    // Whether the bar is shown now (faded out counts as not shown).
    bool isMarkupBarShown() const;
    QTimer *barReturnTimer() const { return m_barReturn; }

signals:
    // A scene of the gutter was clicked: its inspector should open by that place.
    void sceneInspectorRequested(const QString &sceneID, const QRect &anchorGlobal);

private:
    void placeSideAreas();
    void applyBarMode();
    void fadeBar(bool visible);

    Preferences *m_preferences = nullptr;
    DocumentTextView *m_text = nullptr;
    MarkupToolbar *m_bar = nullptr;
    ScriptGutter *m_gutter = nullptr;
    ScriptMargin *m_margin = nullptr;
    QGraphicsOpacityEffect *m_barOpacity = nullptr;
    QPropertyAnimation *m_barFade = nullptr;
    QTimer *m_barReturn = nullptr;
    bool m_barShown = true;
};

} // namespace veskel
