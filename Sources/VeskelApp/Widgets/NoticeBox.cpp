#include "VeskelApp/Widgets/NoticeBox.h"

#include "VeskelApp/Icons/IconProvider.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace veskel {

NoticeBox::NoticeBox(const QString &symbolName,
                     const QColor &color,
                     double tintOpacity,
                     const QString &heading,
                     QWidget *parent)
    : QFrame(parent)
    , m_tint(color)
{
    m_tint.setAlphaF(float(tintOpacity));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(10, 10, 10, 10);
    row->setSpacing(8);
    auto *symbol = new QLabel;
    symbol->setPixmap(IconProvider::icon(symbolName, color).pixmap(16, 16));
    symbol->setAlignment(Qt::AlignTop);
    row->addWidget(symbol, 0, Qt::AlignTop);

    auto *column = new QVBoxLayout;
    column->setSpacing(4);
    m_heading = new QLabel(heading);
    m_heading->setVisible(!heading.isEmpty());
    m_heading->setWordWrap(true);
    QFont headingFont = m_heading->font();
    headingFont.setWeight(QFont::DemiBold);
    m_heading->setFont(headingFont);
    QPalette headingPalette = m_heading->palette();
    headingPalette.setColor(QPalette::WindowText, color);
    m_heading->setPalette(headingPalette);
    column->addWidget(m_heading);
    m_lines = new QVBoxLayout;
    m_lines->setSpacing(2);
    column->addLayout(m_lines);
    row->addLayout(column, 1);
}

void NoticeBox::setLines(const QStringList &lines)
{
    while (QLayoutItem *item = m_lines->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const QString &text : lines) {
        auto *line = new QLabel(text);
        line->setWordWrap(true);
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_lines->addWidget(line);
    }
}

QStringList NoticeBox::lines() const
{
    QStringList texts;
    for (int i = 0; i < m_lines->count(); ++i) {
        if (const auto *label = qobject_cast<QLabel *>(m_lines->itemAt(i)->widget()))
            texts << label->text();
    }
    return texts;
}

QString NoticeBox::heading() const
{
    return m_heading->text();
}

void NoticeBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_tint);
    painter.drawRoundedRect(QRectF(rect()), 8, 8);
    QFrame::paintEvent(event);
}

} // namespace veskel
