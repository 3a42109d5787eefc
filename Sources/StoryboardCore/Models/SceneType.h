#pragma once

#include "StoryboardCore/Models/RawValue.h"

#include <array>

namespace veskel {

enum class SceneType {
    talkingHead,
    motionGraphic,
    screenRecording,
    uiDemo,
    imageReference,
    titleCard,
    summary,
    placeholder,
};

template<>
struct EnumTraits<SceneType>
{
    static constexpr std::array allCases{SceneType::talkingHead,
                                         SceneType::motionGraphic,
                                         SceneType::screenRecording,
                                         SceneType::uiDemo,
                                         SceneType::imageReference,
                                         SceneType::titleCard,
                                         SceneType::summary,
                                         SceneType::placeholder};
};

QString rawValue(SceneType type);
// The core's English name, as files write it; the interface localises its own.
QString displayName(SceneType type);
// The same name through the installed translator (English when there is none).
QString translatedDisplayName(SceneType type);

} // namespace veskel
