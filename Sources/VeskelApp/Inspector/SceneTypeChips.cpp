#include "VeskelApp/Inspector/SceneTypeChips.h"

#include "VeskelApp/Inspector/SelectableChip.h"
#include "VeskelApp/Widgets/SceneTypeAppearance.h"

#include <QGridLayout>
#include <QResizeEvent>

namespace veskel {

namespace {

constexpr int spacing = 6;
// Narrower than this a chip's name would be cut short.
constexpr int minimumChipWidth = 120;

} // namespace

SceneTypeChips::SceneTypeChips(QWidget *parent)
    : QWidget(parent)
{
    m_grid = new QGridLayout(this);
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setSpacing(spacing);
    for (const SceneType type : EnumTraits<SceneType>::allCases) {
        auto *button = new SelectableChip(SceneTypeAppearance::symbolName(type),
                                          SceneTypeAppearance::localizedName(type),
                                          SceneTypeAppearance::color(type));
        button->setToolTip(changeVisualTooltip(type));
        button->setMinimumHeight(button->sizeHint().height());
        connect(button, &SelectableChip::clicked, this, [this, type] {
            // The check mark follows the scene, not the click.
            chip(type)->setChecked(!chip(type)->isChecked());
            emit typeChosen(type);
        });
        m_chips.append(button);
    }
    arrange(2);
}

QString SceneTypeChips::changeVisualTooltip(SceneType type)
{
    return tr("Change visual type: ") + SceneTypeAppearance::localizedName(type);
}

SelectableChip *SceneTypeChips::chip(SceneType type) const
{
    return m_chips.value(int(type));
}

void SceneTypeChips::setCurrentType(SceneType type)
{
    for (int i = 0; i < m_chips.size(); ++i)
        m_chips.at(i)->setChecked(i == int(type));
}

int SceneTypeChips::widestChip() const
{
    int widest = minimumChipWidth;
    for (const SelectableChip *chip : m_chips)
        widest = std::max(widest, chip->sizeHint().width());
    return widest;
}

int SceneTypeChips::twoColumnWidth() const
{
    return 2 * widestChip() + spacing;
}

int SceneTypeChips::columnsFor(int width) const
{
    return std::max(1, (width + spacing) / (widestChip() + spacing));
}

void SceneTypeChips::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    arrange(columnsFor(event->size().width()));
}

void SceneTypeChips::arrange(int columns)
{
    if (columns == m_columns)
        return;
    m_columns = columns;
    for (SelectableChip *chip : std::as_const(m_chips))
        m_grid->removeWidget(chip);
    for (int i = 0; i < m_chips.size(); ++i)
        m_grid->addWidget(m_chips.at(i), i / columns, i % columns);
    for (int column = 0; column < columns; ++column)
        m_grid->setColumnStretch(column, 1);
}

} // namespace veskel
