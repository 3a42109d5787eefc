#include "VeskelApp/Settings/AppearanceController.h"

#include "VeskelApp/Settings/ContrastStyle.h"
#include "VeskelApp/Settings/Preferences.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

namespace veskel {

AppearanceController::AppearanceController(Preferences &preferences, QObject *parent)
    : QObject(parent)
    , m_preferences(&preferences)
    , m_systemStyle(QApplication::style()->name())
    , m_systemPalette(QApplication::palette())
{
    connect(m_preferences, &Preferences::changed, this, [this](const QString &key) {
        if (key == Preferences::appearanceKey)
            apply(m_preferences->appearance());
    });
    apply(m_preferences->appearance());
}

void AppearanceController::apply(AppAppearance appearance)
{
    switch (appearance) {
    case AppAppearance::system:
        if (QApplication::style()->name() != m_systemStyle)
            QApplication::setStyle(QStyleFactory::create(m_systemStyle));
        QApplication::setPalette(m_systemPalette);
        break;
    case AppAppearance::light:
    case AppAppearance::dark:
        if (!qobject_cast<ContrastStyle *>(QApplication::style()))
            QApplication::setStyle(new ContrastStyle);
        QApplication::setPalette(appearance == AppAppearance::dark ? darkPalette()
                                                                   : lightPalette());
        break;
    }
    emit applied();
}

bool AppearanceController::looksDark()
{
    return QApplication::palette().color(QPalette::Window).lightness() < 128;
}

QPalette AppearanceController::lightPalette()
{
    QPalette palette;
    const QColor window(0xEC, 0xEC, 0xEC);
    const QColor text(0x1D, 0x1D, 0x1F);
    const QColor disabledText(0x9A, 0x9A, 0x9E);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(0xF4, 0xF4, 0xF5));
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, QColor(0xF6, 0xF6, 0xF6));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, Qt::red);
    palette.setColor(QPalette::Highlight, QColor(0x0A, 0x84, 0xFF));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(0x0A, 0x6C, 0xD8));
    palette.setColor(QPalette::PlaceholderText, QColor(0x8E, 0x8E, 0x93));
    palette.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xF0));
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::Light, Qt::white);
    palette.setColor(QPalette::Midlight, QColor(0xE3, 0xE3, 0xE3));
    palette.setColor(QPalette::Mid, QColor(0xB8, 0xB8, 0xB8));
    palette.setColor(QPalette::Dark, QColor(0x9F, 0x9F, 0x9F));
    palette.setColor(QPalette::Shadow, QColor(0x76, 0x76, 0x76));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabledText);
    return palette;
}

QPalette AppearanceController::darkPalette()
{
    QPalette palette;
    const QColor window(0x2A, 0x2A, 0x2C);
    const QColor text(0xEB, 0xEB, 0xF0);
    const QColor disabledText(0x6E, 0x6E, 0x73);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x20));
    palette.setColor(QPalette::AlternateBase, QColor(0x32, 0x32, 0x35));
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, QColor(0x3A, 0x3A, 0x3C));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, QColor(0xFF, 0x45, 0x3A));
    palette.setColor(QPalette::Highlight, QColor(0x0A, 0x84, 0xFF));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(0x4C, 0xA3, 0xFF));
    palette.setColor(QPalette::PlaceholderText, QColor(0x8E, 0x8E, 0x93));
    palette.setColor(QPalette::ToolTipBase, QColor(0x3A, 0x3A, 0x3C));
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::Light, QColor(0x4A, 0x4A, 0x4D));
    palette.setColor(QPalette::Midlight, QColor(0x3F, 0x3F, 0x42));
    palette.setColor(QPalette::Mid, QColor(0x30, 0x30, 0x32));
    palette.setColor(QPalette::Dark, QColor(0x1C, 0x1C, 0x1E));
    palette.setColor(QPalette::Shadow, Qt::black);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabledText);
    return palette;
}

} // namespace veskel
