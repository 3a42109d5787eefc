#include "StoryboardCore/Models/VideoSettings.h"

#include "StoryboardCore/Storage/JSONReader.h"

#include <algorithm>

namespace veskel {

using Resolution = VideoSettings::Resolution;
using FormatPreset = VideoSettings::FormatPreset;

QString rawValue(VideoSettings::ColorSpace)
{
    return QStringLiteral("Rec.709");
}

QString rawValue(Resolution resolution)
{
    switch (resolution) {
    case Resolution::hd1080: return QStringLiteral("1920x1080");
    case Resolution::uhd4k: return QStringLiteral("3840x2160");
    }
    return {};
}

QString rawValue(FormatPreset preset)
{
    switch (preset) {
    case FormatPreset::horizontal4k: return QStringLiteral("horizontal4k");
    case FormatPreset::horizontalHD: return QStringLiteral("horizontalHD");
    case FormatPreset::vertical4k: return QStringLiteral("vertical4k");
    case FormatPreset::verticalHD: return QStringLiteral("verticalHD");
    }
    return {};
}

int width(Resolution resolution)
{
    return resolution == Resolution::hd1080 ? 1920 : 3840;
}

int height(Resolution resolution)
{
    return resolution == Resolution::hd1080 ? 1080 : 2160;
}

int width(FormatPreset preset)
{
    switch (preset) {
    case FormatPreset::horizontal4k: return 3840;
    case FormatPreset::horizontalHD: return 1920;
    case FormatPreset::vertical4k: return 2160;
    case FormatPreset::verticalHD: return 1080;
    }
    return 0;
}

int height(FormatPreset preset)
{
    switch (preset) {
    case FormatPreset::horizontal4k: return 2160;
    case FormatPreset::horizontalHD: return 1080;
    case FormatPreset::vertical4k: return 3840;
    case FormatPreset::verticalHD: return 1920;
    }
    return 0;
}

bool isVertical(FormatPreset preset)
{
    return preset == FormatPreset::vertical4k || preset == FormatPreset::verticalHD;
}

VideoSettings VideoSettings::preset(Resolution resolution, int fps)
{
    return VideoSettings{veskel::width(resolution), veskel::height(resolution), fps, ColorSpace::rec709, 5.0};
}

VideoSettings VideoSettings::preset(FormatPreset preset, int fps)
{
    return VideoSettings{veskel::width(preset), veskel::height(preset), fps, ColorSpace::rec709, 5.0};
}

int VideoSettings::clampedWordsPerMinute(int wordsPerMinute)
{
    return std::clamp(wordsPerMinute, slowestWordsPerMinute, fastestWordsPerMinute);
}

QJsonObject VideoSettings::toJSON() const
{
    QJsonObject known{
        {QStringLiteral("width"), width},
        {QStringLiteral("height"), height},
        {QStringLiteral("fps"), fps},
        {QStringLiteral("colorSpace"), rawValue(colorSpace)},
        {QStringLiteral("defaultSceneDurationSeconds"), defaultSceneDurationSeconds},
    };
    if (wordsPerMinute != defaultWordsPerMinute)
        known.insert(QStringLiteral("wordsPerMinute"), wordsPerMinute);
    return withUnknownKeys(unknownKeys, known);
}

VideoSettings VideoSettings::fromJSON(JSONReader &reader)
{
    VideoSettings settings;
    settings.width = reader.integer(QStringLiteral("width"));
    settings.height = reader.integer(QStringLiteral("height"));
    settings.fps = reader.integer(QStringLiteral("fps"));
    settings.colorSpace = reader.enumeration<ColorSpace>(QStringLiteral("colorSpace"));
    settings.defaultSceneDurationSeconds = reader.number(QStringLiteral("defaultSceneDurationSeconds"));
    // A rate outside the range (a hand-edited file) is brought into it rather than refusing the
    // whole project; a value that is not a whole number fails like every other integer.
    if (reader.contains(QStringLiteral("wordsPerMinute")))
        settings.wordsPerMinute
            = clampedWordsPerMinute(reader.integer(QStringLiteral("wordsPerMinute")));
    settings.unknownKeys = reader.unknownKeys();
    return settings;
}

} // namespace veskel
