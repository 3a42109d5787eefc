#pragma once

#include "StoryboardCore/Models/VideoSettings.h"

#include <QAbstractButton>

namespace veskel {

// One format choice of the new-project sheet: an outline of the frame's orientation, the
// preset's name and its size ("3840 × 2160"). Checkable; the checked card is outlined in the
// accent colour.
class FormatCard : public QAbstractButton
{
    Q_OBJECT

public:
    explicit FormatCard(VideoSettings::FormatPreset preset, QWidget *parent = nullptr);

    VideoSettings::FormatPreset preset() const { return m_preset; }
    QString sizeText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    VideoSettings::FormatPreset m_preset;
    bool m_hovered = false;
};

} // namespace veskel
