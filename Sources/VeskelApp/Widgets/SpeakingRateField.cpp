#include "VeskelApp/Widgets/SpeakingRateField.h"

#include "StoryboardCore/Models/VideoSettings.h"

namespace veskel {

SpeakingRateField::SpeakingRateField(QWidget *parent)
    : QSpinBox(parent)
{
    setObjectName(QStringLiteral("speakingRate"));
    setRange(VideoSettings::slowestWordsPerMinute, VideoSettings::fastestWordsPerMinute);
    setSingleStep(5);
    setValue(VideoSettings::defaultWordsPerMinute);
    setSuffix(tr(" words a minute"));
    setToolTip(tr("Paces the duration estimate and the narration"));
}

QString SpeakingRateField::label()
{
    return tr("Speaking rate");
}

} // namespace veskel
