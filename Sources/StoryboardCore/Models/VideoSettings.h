#pragma once

#include "StoryboardCore/Models/RawValue.h"

#include <QJsonObject>

#include <array>

namespace veskel {

class JSONReader;

// The project's video format.
struct VideoSettings
{
    enum class ColorSpace { rec709 };
    enum class Resolution { hd1080, uhd4k };
    enum class FormatPreset { horizontal4k, horizontalHD, vertical4k, verticalHD };

    static constexpr std::array supportedFrameRates{24, 25, 30, 50, 60};
    // The speaking rate, in words a minute: the duration estimate and the narration's pace.
    static constexpr int defaultWordsPerMinute = 140;
    static constexpr int slowestWordsPerMinute = 80;
    static constexpr int fastestWordsPerMinute = 220;

    int width = 0;
    int height = 0;
    int fps = 0;
    ColorSpace colorSpace = ColorSpace::rec709;
    double defaultSceneDurationSeconds = 5.0;
    // Written to the file only when it is not the default, so that projects which never
    // change it keep their bytes.
    int wordsPerMinute = defaultWordsPerMinute;
    // Members written by a later version, kept as read and written back.
    QJsonObject unknownKeys = {};

    // A square frame is not vertical.
    bool isVertical() const { return width < height; }

    // The rate brought into slowest … fastest.
    static int clampedWordsPerMinute(int wordsPerMinute);

    static VideoSettings preset(Resolution resolution, int fps);
    static VideoSettings preset(FormatPreset preset, int fps);

    bool operator==(const VideoSettings &) const = default;

    QJsonObject toJSON() const;
    static VideoSettings fromJSON(JSONReader &reader);
};

template<>
struct EnumTraits<VideoSettings::ColorSpace>
{
    static constexpr std::array allCases{VideoSettings::ColorSpace::rec709};
};

template<>
struct EnumTraits<VideoSettings::Resolution>
{
    static constexpr std::array allCases{VideoSettings::Resolution::hd1080,
                                         VideoSettings::Resolution::uhd4k};
};

template<>
struct EnumTraits<VideoSettings::FormatPreset>
{
    using F = VideoSettings::FormatPreset;
    static constexpr std::array allCases{F::horizontal4k, F::horizontalHD, F::vertical4k,
                                         F::verticalHD};
};

QString rawValue(VideoSettings::ColorSpace space);
QString rawValue(VideoSettings::Resolution resolution);
QString rawValue(VideoSettings::FormatPreset preset);

int width(VideoSettings::Resolution resolution);
int height(VideoSettings::Resolution resolution);
int width(VideoSettings::FormatPreset preset);
int height(VideoSettings::FormatPreset preset);
bool isVertical(VideoSettings::FormatPreset preset);

} // namespace veskel
