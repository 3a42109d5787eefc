#pragma once

#include <QSpinBox>

namespace veskel {

// "Speaking rate": words a minute, 80 to 220 in steps of 5, starting at the default 140. Used by
// the new-project sheet and the project settings.
class SpeakingRateField : public QSpinBox
{
    Q_OBJECT

public:
    explicit SpeakingRateField(QWidget *parent = nullptr);

    static QString label();
};

} // namespace veskel
