#pragma once

#include <QColor>
#include <QFrame>
#include <QStringList>

class QLabel;
class QVBoxLayout;

namespace veskel {

// A rounded box tinted with a signal colour: a symbol, an optional heading in that colour and
// one line per finding. The export review's red and orange boxes and the inspector's warning.
class NoticeBox : public QFrame
{
    Q_OBJECT

public:
    NoticeBox(const QString &symbolName,
              const QColor &color,
              double tintOpacity,
              const QString &heading,
              QWidget *parent = nullptr);

    void setLines(const QStringList &lines);
    QStringList lines() const;
    QString heading() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_tint;
    QLabel *m_heading = nullptr;
    QVBoxLayout *m_lines = nullptr;
};

} // namespace veskel
