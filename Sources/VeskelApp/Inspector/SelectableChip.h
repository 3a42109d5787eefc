#pragma once

#include <QAbstractButton>
#include <QColor>

namespace veskel {

// A rounded chip with a symbol and a name, tinted with its colour; checked means chosen, and is
// drawn filled.
class SelectableChip : public QAbstractButton
{
    Q_OBJECT

public:
    SelectableChip(const QString &symbolName,
                   const QString &text,
                   const QColor &tint,
                   QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_symbolName;
    QColor m_tint;
};

} // namespace veskel
