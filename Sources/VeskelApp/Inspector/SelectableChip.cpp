#include "VeskelApp/Inspector/SelectableChip.h"

#include "VeskelApp/Icons/IconProvider.h"

#include <QPainter>

namespace veskel {

namespace {

constexpr int symbolSide = 14;
constexpr int padding = 6;
constexpr int gap = 5;

} // namespace

SelectableChip::SelectableChip(const QString &symbolName,
                               const QString &text,
                               const QColor &tint,
                               QWidget *parent)
    : QAbstractButton(parent)
    , m_symbolName(symbolName)
    , m_tint(tint)
{
    setText(text);
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QFont compact = font();
    compact.setPointSizeF(compact.pointSizeF() * 0.9);
    setFont(compact);
}

QSize SelectableChip::sizeHint() const
{
    const QFontMetrics metrics(font());
    return QSize(padding * 2 + symbolSide + gap + metrics.horizontalAdvance(text()),
                 std::max(symbolSide, metrics.height()) + 12);
}

void SelectableChip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QColor fill = m_tint;
    fill.setAlphaF(isChecked() ? 0.22f : (underMouse() ? 0.10f : 0.05f));
    QColor border = m_tint;
    border.setAlphaF(isChecked() ? 1.0f : 0.3f);
    painter.setBrush(fill);
    painter.setPen(QPen(border, isChecked() ? 2.0 : 1.0));
    painter.drawRoundedRect(frame, 7, 7);

    const QRectF symbol(padding, (height() - symbolSide) / 2.0, symbolSide, symbolSide);
    IconProvider::paint(painter, symbol, m_symbolName, m_tint);
    painter.setFont(font());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const QRectF textRect(symbol.right() + gap, 0, width() - symbol.right() - gap - padding / 2.0,
                          height());
    painter.drawText(
        textRect, Qt::AlignVCenter | Qt::AlignLeft,
        painter.fontMetrics().elidedText(text(), Qt::ElideRight, int(textRect.width())));
}

} // namespace veskel
