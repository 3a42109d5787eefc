#pragma once

#include <QColor>
#include <QIconEngine>
#include <QString>

#include <optional>

namespace veskel {

// Draws one bundled symbol at any size. The colour is chosen when painting: the tint, or the
// application palette's text colour for the icon's mode (disabled icons are greyed).
class SymbolIconEngine final : public QIconEngine
{
public:
    SymbolIconEngine(QString symbolName, std::optional<QColor> tint);

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap
    scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QIconEngine *clone() const override;
    QString key() const override;
    QString iconName() override { return m_symbolName; }
    bool isNull() override { return false; }

private:
    QColor colorFor(QIcon::Mode mode) const;

    QString m_symbolName;
    std::optional<QColor> m_tint;
};

} // namespace veskel
