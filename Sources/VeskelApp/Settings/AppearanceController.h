#pragma once

#include "VeskelApp/Settings/AppAppearance.h"

#include <QObject>
#include <QPalette>
#include <QString>

namespace veskel {

class Preferences;

// Applies the stored "appAppearance" at start and whenever it changes: light and dark force the
// Fusion style with a light or dark palette; "system" gives back the platform's own style and
// palette as they were at start.
class AppearanceController : public QObject
{
    Q_OBJECT

public:
    explicit AppearanceController(Preferences &preferences, QObject *parent = nullptr);

    void apply(AppAppearance appearance);

    // Whether the application currently looks dark: its window colour is closer to black.
    static bool looksDark();
    static QPalette lightPalette();
    static QPalette darkPalette();

signals:
    void applied();

private:
    Preferences *m_preferences = nullptr;
    QString m_systemStyle;
    QPalette m_systemPalette;
};

} // namespace veskel
