#include "VeskelApp/Editor/Script/EditorTheme.h"

#include <QSettings>

#include <algorithm>
#include <cmath>

namespace veskel::EditorTheme {

double stored(const QSettings &settings, const NumberSetting &setting)
{
    const QVariant value = settings.value(setting.key);
    bool ok = false;
    double number = 0;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        number = value.toDouble(&ok);
        break;
    case QMetaType::QString:
    case QMetaType::QByteArray:
        // Settings files hold every value as text; only a text that is a number counts.
        number = value.toString().trimmed().toDouble(&ok);
        break;
    default:
        break;
    }
    if (!ok || !std::isfinite(number))
        return setting.defaultValue;
    return std::clamp(number, setting.minimum, setting.maximum);
}

QColor paper(bool dark)
{
    return dark ? QColor::fromRgbF(0.102f, 0.102f, 0.102f)
                : QColor::fromRgbF(0.988f, 0.988f, 0.984f);
}

} // namespace veskel::EditorTheme
