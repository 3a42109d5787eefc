#include "VeskelApp/Editor/Script/ScriptEditorView.h"

#include "VeskelApp/Editor/Markup/MarkupToolbar.h"
#include "VeskelApp/Editor/Script/DocumentTextView.h"
#include "VeskelApp/Editor/Script/ScriptGutter.h"
#include "VeskelApp/Editor/Script/ScriptMargin.h"
#include "VeskelApp/Settings/Preferences.h"

#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>
#include <QTimer>
#include <QVBoxLayout>

namespace veskel {

ScriptEditorView::ScriptEditorView(ProjectEditorViewModel &model,
                                   Preferences &preferences,
                                   QWidget *parent)
    : QWidget(parent)
    , m_preferences(&preferences)
{
    setObjectName(QStringLiteral("scriptEditorView"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_bar = new MarkupToolbar(model);
    m_barOpacity = new QGraphicsOpacityEffect(m_bar);
    m_barOpacity->setOpacity(1);
    m_bar->setGraphicsEffect(m_barOpacity);
    m_barFade = new QPropertyAnimation(m_barOpacity, "opacity", this);
    m_barFade->setDuration(180);
    m_barReturn = new QTimer(this);
    m_barReturn->setSingleShot(true);
    m_barReturn->setInterval(barReturnDelayMs);
    connect(m_barReturn, &QTimer::timeout, this, [this] { fadeBar(true); });
    layout->addWidget(m_bar);

    m_text = new DocumentTextView(model, preferences);
    // A new script starts blank: a faint reminder of the markup until the first character.
    m_text->setPlaceholderText(tr("# Scene title\n\nVoiceover…\n\n> On-slide text\n\n// Note"));
    layout->addWidget(m_text, 1);
    m_gutter = new ScriptGutter(model, *m_text, m_text);
    m_margin = new ScriptMargin(model, *m_text, m_text);
    m_text->setSideAreas(ColumnFit::Sides{ScriptGutter::gutterWidth, ScriptMargin::marginWidth,
                                          columnSpacing, pagePadding},
                         ColumnFit::Sides{ScriptGutter::compactWidth, ScriptMargin::compactWidth,
                                          compactSpacing, compactPadding});
    connect(m_text, &DocumentTextView::columnChanged, this, &ScriptEditorView::placeSideAreas);
    connect(m_gutter, &ScriptGutter::sceneClicked, this,
            &ScriptEditorView::sceneInspectorRequested);
    connect(m_text, &DocumentTextView::scrolled, this, [this] {
        if (m_preferences->markupBarMode() != MarkupBarMode::fadeOnScroll)
            return;
        fadeBar(false);
        m_barReturn->start();
    });
    connect(m_preferences, &Preferences::changed, this, [this](const QString &key) {
        if (key == Preferences::markupBarModeKey)
            applyBarMode();
    });
    applyBarMode();
    placeSideAreas();
}

void ScriptEditorView::placeSideAreas()
{
    const QRect viewport = m_text->viewport()->geometry();
    const ColumnFit::Sides &sides = m_text->columnFit().sides;
    m_gutter->setGeometry(viewport.left() - sides.spacing - sides.gutter, viewport.top(),
                          sides.gutter, viewport.height());
    m_margin->setGeometry(viewport.right() + 1 + sides.spacing, viewport.top(), sides.margin,
                          viewport.height());
}

bool ScriptEditorView::isMarkupBarShown() const
{
    return m_bar->isVisibleTo(this) && m_barShown;
}

void ScriptEditorView::applyBarMode()
{
    const MarkupBarMode mode = m_preferences->markupBarMode();
    m_bar->setVisible(mode != MarkupBarMode::hidden);
    m_barReturn->stop();
    m_barFade->stop();
    m_barShown = true;
    m_barOpacity->setOpacity(1);
}

void ScriptEditorView::fadeBar(bool visible)
{
    if (m_barShown == visible)
        return;
    m_barShown = visible;
    // The bar keeps its place while faded, so the text does not jump.
    m_bar->setAttribute(Qt::WA_TransparentForMouseEvents, !visible);
    m_barFade->stop();
    m_barFade->setStartValue(m_barOpacity->opacity());
    m_barFade->setEndValue(visible ? 1.0 : 0.0);
    m_barFade->start();
}

} // namespace veskel
