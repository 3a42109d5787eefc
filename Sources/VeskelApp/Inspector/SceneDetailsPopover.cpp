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
    m_columnWidth = std::max(contentWidth, m_chips->twoColumnWidth() + 2 * margin) - 2 * margin;
    auto *content = m_content = new QWidget;
    // The controls, then the card: one above the other, or side by side where the screen is
    // too low for both.
    m_arrangement = new QBoxLayout(QBoxLayout::TopToBottom, content);
    m_arrangement->setContentsMargins(margin, margin, margin, margin);
    m_arrangement->setSpacing(8);
    auto *controls = new QWidget;
    controls->setFixedWidth(m_columnWidth);
    auto *layout = new QVBoxLayout(controls);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    auto *cardColumn = new QWidget;
    cardColumn->setFixedWidth(m_columnWidth);
    auto *cardLayout = new QVBoxLayout(cardColumn);
    cardLayout->setContentsMargins(0, 0, 0, 0);
    cardLayout->setSpacing(8);
    m_arrangement->addWidget(controls, 0, Qt::AlignTop);
    m_arrangement->addWidget(cardColumn, 0, Qt::AlignTop);
    m_arrangement->addStretch(1);

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
    cardLayout->addWidget(m_disclosure);
    m_preview = new SceneCardPreview(model, *scheduler, std::move(renderer));
    m_preview->setColumnWidth(m_columnWidth);
    cardLayout->addWidget(m_preview);
    scroll->setWidget(content);
    setSideBySide(false);

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
    auto *layout = static_cast<QVBoxLayout *>(m_banner->parentWidget()->layout());
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
    m_scroll->setFixedHeight(std::min(m_content->sizeHint().height() + 2, m_maximumHeight));
    if (isVisible())
        adjustSize();
}

void SceneDetailsPopover::setSideBySide(bool sideBySide)
{
    m_arrangement->setDirection(sideBySide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    const QMargins margins = m_arrangement->contentsMargins();
    const int columns = sideBySide ? 2 : 1;
    const int width = columns * m_columnWidth + (columns - 1) * m_arrangement->spacing()
                      + margins.left() + margins.right();
    m_content->setFixedWidth(width);
    // Room for the scroll bar, so the content keeps its width when the popover scrolls.
    m_scroll->setFixedWidth(width + m_scroll->verticalScrollBar()->sizeHint().width() + 2);
    fitHeight();
}

bool SceneDetailsPopover::isSideBySide() const
{
    return m_arrangement->direction() == QBoxLayout::LeftToRight;
}

void SceneDetailsPopover::arrangeFor(const QSize &available)
{
    // The popover's frame and a little air above and below.
    const int room = available.height() - 2 * frameWidth() - 16;
    m_maximumHeight = std::max(120, std::min(maximumHeight, room));
    setSideBySide(false);
    m_content->layout()->activate();
    const int wideWidth = 2 * m_columnWidth + 3 * m_arrangement->spacing() + 32;
    if (m_content->sizeHint().height() > m_maximumHeight && wideWidth <= available.width())
        setSideBySide(true);
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
