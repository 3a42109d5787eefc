#pragma once

#include "StoryboardCore/Models/SceneType.h"

#include <QList>
#include <QWidget>

class QGridLayout;

namespace veskel {

class SelectableChip;

// One chip per visual type in declaration order, as many per row as the width allows; the
// current type is the checked one. A click asks for that type.
class SceneTypeChips : public QWidget
{
    Q_OBJECT

public:
    explicit SceneTypeChips(QWidget *parent = nullptr);

    void setCurrentType(SceneType type);
    SelectableChip *chip(SceneType type) const;

    // The width two whole names need side by side (longer names in some languages).
    int twoColumnWidth() const;

    // "Change visual type: Talking head".
    static QString changeVisualTooltip(SceneType type);

signals:
    void typeChosen(veskel::SceneType type);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    int columnsFor(int width) const;
    int widestChip() const;
    void arrange(int columns);

    QList<SelectableChip *> m_chips;
    QGridLayout *m_grid = nullptr;
    int m_columns = 0;
};

} // namespace veskel
