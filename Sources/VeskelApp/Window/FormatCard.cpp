#include "VeskelApp/Window/FormatCard.h"

#include "VeskelApp/Localization/FormatPresetName.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace veskel {

FormatCard::FormatCard(VideoSettings::FormatPreset preset, QWidget *parent)
    : QAbstractButton(parent)
    , m_preset(preset)
{
    setCheckable(true);
    setAutoExclusive(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setText(localizedName(preset));
    setAccessibleName(text() + u' ' + sizeText());
    setObjectName(QStringLiteral("format-") + rawValue(preset));
}

QString FormatCard::sizeText() const
{
    return QString::number(veskel::width(m_preset)) + QStringLiteral(" × ")
           + QString::number(veskel::height(m_preset));
}

QSize FormatCard::sizeHint() const
{
    return {88, 112};
}

QSize FormatCard::minimumSizeHint() const
{
    return {72, 104};
}

void FormatCard::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void FormatCard::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void FormatCard::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette &pal = palette();
    const QColor accent = pal.color(QPalette::Highlight);
    const QColor ink = pal.color(QPalette::WindowText);
    QColor secondary = ink;
    secondary.setAlphaF(0.6f);

    const QRectF card = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    QColor fill = isChecked() ? accent : ink;
    fill.setAlphaF(isChecked() ? 0.12f : (m_hovered ? 0.07f : 0.04f));
    QColor border = isChecked() ? accent : ink;
    if (!isChecked())
        border.setAlphaF(hasFocus() ? 0.45f : 0.18f);
    painter.setPen(QPen(border, isChecked() ? 2.0 : 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(card, 8, 8);

    // The frame's outline, scaled so the longer side is 36 points.
    const qreal longSide = 36;
    const qreal w = veskel::width(m_preset);
    const qreal h = veskel::height(m_preset);
    const qreal scale = longSide / std::max(w, h);
    const QSizeF frame(w * scale, h * scale);
    const QPointF frameCenter(card.center().x(), card.top() + 12 + longSide / 2);
    const QRectF frameRect(frameCenter.x() - frame.width() / 2,
                           frameCenter.y() - frame.height() / 2, frame.width(), frame.height());
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(isChecked() ? accent : secondary, 1.6));
    painter.drawRoundedRect(frameRect, 3, 3);

    // The name on up to two lines, the size under it. A word wider than the card would be cut
    // at both ends ("Горизонтальный"): the font shrinks until the longest word fits.
    const QRectF nameRect(card.left() + 4, card.top() + 12 + longSide + 8, card.width() - 8, 34);
    QFont nameFont = font();
    nameFont.setPointSizeF(font().pointSizeF() * 0.9);
    nameFont.setWeight(QFont::DemiBold);
    const QFontMetricsF nameMetrics(nameFont);
    qreal longestWord = 0;
    for (const QString &word : text().split(u' ', Qt::SkipEmptyParts))
        longestWord = std::max(longestWord, nameMetrics.horizontalAdvance(word));
    if (longestWord > nameRect.width())
        nameFont.setPointSizeF(
            std::max(6.0, nameFont.pointSizeF() * nameRect.width() / longestWord * 0.98));
    painter.setFont(nameFont);
    painter.setPen(ink);
    painter.drawText(nameRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text());

    QFont sizeFont = font();
    sizeFont.setPointSizeF(font().pointSizeF() * 0.8);
    painter.setFont(sizeFont);
    painter.setPen(secondary);
    const QRectF sizeRect(card.left() + 4, card.bottom() - 20, card.width() - 8, 16);
    painter.drawText(sizeRect, Qt::AlignHCenter | Qt::AlignVCenter, sizeText());
}

} // namespace veskel
