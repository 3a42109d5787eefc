#include "VeskelApp/Editor/Markup/MarkupToolbar.h"

#include "StoryboardCore/Duration/DurationCalculator.h"
#include "VeskelApp/Commands/AppShortcuts.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace veskel {

MarkupToolbar::MarkupToolbar(ProjectEditorViewModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(&model)
{
    setObjectName(QStringLiteral("markupToolbar"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 4, 16, 4);
    layout->setSpacing(2);
    // The bar's own minimum (the compact one) counts, not the sum of its full buttons.
    layout->setSizeConstraint(QLayout::SetNoConstraint);

    struct ButtonSpec
    {
        const char *name;
        QString marker;
        QString title;
        QString tip;
        MarkupCommand::Kind kind;
    };
    const ButtonSpec buttons[] = {
        {"markupHeading", QStringLiteral("#"), tr("Scene"),
         tr("Scene heading%1: a “# Title” line opens a new scene — everything until the next # "
            "belongs to it")
             .arg(AppShortcuts::hint(AppShortcuts::markup(1))),
         MarkupCommand::Kind::heading()},
        {"markupVoiceover", QStringLiteral("¶"), tr("Voice"),
         tr("Voiceover%1: a plain paragraph with no prefix")
             .arg(AppShortcuts::hint(AppShortcuts::markup(2))),
         MarkupCommand::Kind::role(ScriptBlockRole::voiceover)},
        {"markupOnScreen", QStringLiteral(">"), tr("Slide"),
         tr("On-slide text%1: the line starts with “> ”")
             .arg(AppShortcuts::hint(AppShortcuts::markup(3))),
         MarkupCommand::Kind::role(ScriptBlockRole::onScreen)},
        {"markupNote", QStringLiteral("//"), tr("Note"),
         tr("Note%1 — what's on screen, directions: the line starts with “// ”, never exported")
             .arg(AppShortcuts::hint(AppShortcuts::markup(4))),
         MarkupCommand::Kind::role(ScriptBlockRole::note)},
    };
    for (const ButtonSpec &spec : buttons) {
        auto *button = new QToolButton;
        button->setObjectName(QString::fromLatin1(spec.name));
        button->setText(spec.marker + QStringLiteral("  ") + spec.title);
        button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
        button->setToolTip(spec.tip);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, kind = spec.kind] {
            if (m_model)
                m_model->requestMarkup(kind);
        });
        layout->addWidget(button);
        m_buttons.append(Button{button, spec.marker, spec.title});
    }
    layout->addStretch(1);

    auto *caption = m_caption = new QLabel(tr("Running Time"));
    caption->setForegroundRole(QPalette::PlaceholderText);
    m_runningTime = new QLabel;
    m_runningTime->setObjectName(QStringLiteral("runningTime"));
    QFont mono = m_runningTime->font();
    mono.setFamily(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::Monospace);
    mono.setWeight(QFont::DemiBold);
    m_runningTime->setFont(mono);
    const QString tip = tr("Total duration of all scenes");
    caption->setToolTip(tip);
    m_runningTime->setToolTip(tip);
    layout->addWidget(caption);
    layout->addSpacing(6);
    layout->addWidget(m_runningTime);

    connect(&model, &ProjectEditorViewModel::projectChanged, this,
            &MarkupToolbar::updateRunningTime);
    updateRunningTime();
}

QSize MarkupToolbar::minimumSizeHint() const
{
    // What the compact bar needs: the markers and the figure.
    int width = layout()->contentsMargins().left() + layout()->contentsMargins().right() + 6;
    for (const Button &b : m_buttons)
        width += b.button->fontMetrics().horizontalAdvance(b.marker) + 16 + layout()->spacing();
    width += m_runningTime->sizeHint().width();
    return QSize(width, QWidget::minimumSizeHint().height());
}

void MarkupToolbar::resizeEvent(QResizeEvent *event)
{
    if (!m_compact)
        m_fullWidth = sizeHint().width();
    setCompact(width() < m_fullWidth);
    QWidget::resizeEvent(event);
}

void MarkupToolbar::setCompact(bool compact)
{
    if (compact == m_compact)
        return;
    m_compact = compact;
    for (const Button &b : m_buttons)
        b.button->setText(compact ? b.marker : b.marker + QStringLiteral("  ") + b.title);
    m_caption->setVisible(!compact);
}

void MarkupToolbar::updateRunningTime()
{
    if (m_model)
        m_runningTime->setText(
            DurationCalculator::formatDuration(m_model->project().totalDurationSeconds()));
}

} // namespace veskel
