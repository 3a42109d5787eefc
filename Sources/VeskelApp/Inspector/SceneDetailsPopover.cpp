#include "VeskelApp/Inspector/SceneDetailsPopover.h"

#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Icons/IconProvider.h"
#include "VeskelApp/Inspector/CompactDurationField.h"
#include "VeskelApp/Inspector/NarrationFitSection.h"
#include "VeskelApp/Inspector/SceneTypeChips.h"
#include "VeskelApp/Inspector/ValidationHelpers.h"
#include "VeskelApp/Scheduling/TimerEditorScheduler.h"
#include "VeskelApp/Widgets/NoticeBox.h"
#include "VeskelApp/Widgets/SecondaryLabel.h"
#include "VeskelApp/Widgets/SignalColors.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace veskel {

namespace {

QLabel *sectionTitle(const QString &text)
{
    QLabel *title = secondaryLabel(text, 0.9);
    QFont font = title->font();
    font.setWeight(QFont::DemiBold);
    title->setFont(font);
    return title;
}

} // namespace

SceneDetailsPopover::SceneDetailsPopover(ProjectEditorViewModel &model,
                                         EditorScheduler *scheduler,
                                         SceneImageSection::FilePicker picker,
                                         SceneCardPreview::Renderer renderer,
                                         QWidget *parent)
    : Popover(parent)
    , m_model(&model)
{
    setObjectName(QStringLiteral("SceneDetailsPopover"));
    if (!scheduler) {
        m_ownedScheduler = std::make_unique<TimerEditorScheduler>();
        scheduler = m_ownedScheduler.get();
    }
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *scroll = m_scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    outer->addWidget(scroll);

    constexpr int margin = 12;
    m_chips = new SceneTypeChips;
    // Two chips a row with whole names: the popover grows where the names are longer (Russian).
    const int width = std::max(contentWidth, m_chips->twoColumnWidth() + 2 * margin);
    auto *content = m_content = new QWidget;
    content->setFixedWidth(width);
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(8);

    layout->addWidget(sectionTitle(tr("What the viewer sees")));
    layout->addWidget(m_chips);

    auto *durationRow = new QHBoxLayout;
    durationRow->setSpacing(6);
    auto *clock = new QLabel;
    clock->setPixmap(IconProvider::icon(QStringLiteral("clock")).pixmap(14, 14));
    durationRow->addWidget(clock);
    m_duration = new CompactDurationField(model);
    durationRow->addWidget(m_duration);
    m_recalculate = new QPushButton(IconProvider::icon(QStringLiteral("clock.arrow.circlepath")),
                                    tr("Recalculate from text length"));
    m_recalculate->setFlat(true);
    QFont small = m_recalculate->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    m_recalculate->setFont(small);
    durationRow->addStretch(1);
    layout->addLayout(durationRow);
    // Beside the field the button's text would not fit the popover's width.
    layout->addWidget(m_recalculate, 0, Qt::AlignLeft);

    m_banner = new NoticeBox(QStringLiteral("exclamationmark.triangle.fill"),
                             SignalColors::warning(), 0.12, QString());
    m_banner->setObjectName(QStringLiteral("sceneWarning"));
    layout->addWidget(m_banner);

    layout->addWidget(sectionTitle(tr("Reference")));
    m_image = new SceneImageSection(model, std::move(picker));
    layout->addWidget(m_image);

    m_disclosure = new QToolButton;
    m_disclosure->setText(tr("Final Cut card"));
    m_disclosure->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_disclosure->setCheckable(true);
    m_disclosure->setAutoRaise(true);
    QFont disclosureFont = m_disclosure->font();
    disclosureFont.setPointSizeF(disclosureFont.pointSizeF() * 0.9);
    disclosureFont.setWeight(QFont::DemiBold);
    m_disclosure->setFont(disclosureFont);
    layout->addWidget(m_disclosure);
    m_preview = new SceneCardPreview(model, *scheduler, std::move(renderer));
    layout->addWidget(m_preview);
    layout->addStretch(1);
    scroll->setWidget(content);
    // Room for the scroll bar, so the content keeps its width when the popover scrolls.
    scroll->setFixedWidth(width + scroll->verticalScrollBar()->sizeHint().width() + 2);

    connect(m_chips, &SceneTypeChips::typeChosen, &model,
            &ProjectEditorViewModel::setSelectedSceneType);
    connect(m_recalculate, &QPushButton::clicked, this, [this] {
        if (const auto scene = m_model ? m_model->selectedScene() : std::nullopt)
            m_model->recalculateDuration(scene->id);
    });
    connect(m_disclosure, &QToolButton::toggled, this, &SceneDetailsPopover::setCardExpanded);
    // Queued: the card's label settles its new size first.
    connect(m_preview, &SceneCardPreview::cardShown, this, &SceneDetailsPopover::fitHeight,
            Qt::QueuedConnection);
    connect(&model, &ProjectEditorViewModel::selectedSceneChanged, this,
            &SceneDetailsPopover::refresh);
    m_disclosure->setChecked(true);
    setCardExpanded(true);
    refresh();
}

void SceneDetailsPopover::attachNarrations(SceneNarrations &narrations)
{
    if (m_narration || !m_model)
        return;
    m_narration = new NarrationFitSection(*m_model, narrations);
    auto *layout = static_cast<QVBoxLayout *>(m_content->layout());
    // Right under the duration it is about, before the export warning.
    layout->insertWidget(layout->indexOf(m_banner), m_narration);
    connect(m_narration, &NarrationFitSection::contentChanged, this,
            &SceneDetailsPopover::fitHeight, Qt::QueuedConnection);
}

SceneDetailsPopover::~SceneDetailsPopover()
{
    // The preview cancels through the scheduler, which may be ours and go first.
    delete m_preview;
}

void SceneDetailsPopover::setCardExpanded(bool expanded)
{
    m_disclosure->setIcon(IconProvider::icon(expanded ? QStringLiteral("chevron.down")
                                                      : QStringLiteral("chevron.right")));
    m_preview->setVisible(expanded);
    m_preview->setActive(expanded && isVisible());
    fitHeight();
}

void SceneDetailsPopover::fitHeight()
{
    m_content->layout()->activate();
    m_scroll->setFixedHeight(std::min(m_content->sizeHint().height() + 2, maximumHeight));
    if (isVisible())
        adjustSize();
}

void SceneDetailsPopover::showEvent(QShowEvent *event)
{
    Popover::showEvent(event);
    m_preview->setActive(m_disclosure->isChecked());
}

void SceneDetailsPopover::hideEvent(QHideEvent *event)
{
    m_preview->setActive(false);
    Popover::hideEvent(event);
}

void SceneDetailsPopover::refresh()
{
    const std::optional<Scene> scene = m_model ? m_model->selectedScene() : std::nullopt;
    if (!scene) {
        close();
        return;
    }
    m_chips->setCurrentType(scene->type);
    const std::optional<QString> warning = ValidationHelpers::warningMessage(*scene);
    m_banner->setVisible(warning.has_value());
    m_banner->setLines(warning ? QStringList{*warning} : QStringList());
    fitHeight();
}

} // namespace veskel
