#pragma once

#include <QColor>
#include <QLatin1StringView>

class QSettings;

namespace veskel {

// The script editor's stored typography and its paper colour.
namespace EditorTheme {

struct NumberSetting
{
    QLatin1StringView key;
    double defaultValue;
    double minimum;
    double maximum;
    double step;
};

inline constexpr NumberSetting textSize{QLatin1StringView("editorTextSize"), 17, 13, 23, 1};
inline constexpr NumberSetting lineSpacing{QLatin1StringView("editorLineSpacing"), 8, 2, 16, 1};
inline constexpr NumberSetting columnWidth{QLatin1StringView("editorColumnWidth"), 880, 700, 1200,
                                           20};

// The stored number clamped into the setting's range; the default when the key is absent or
// its value is not a number ("large", an empty text).
double stored(const QSettings &settings, const NumberSetting &setting);

// The page behind the script: near-white in the light appearance, near-black in the dark one.
QColor paper(bool dark);

} // namespace EditorTheme

} // namespace veskel
