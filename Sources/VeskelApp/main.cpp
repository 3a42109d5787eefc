#include "StoryboardCore/Storage/LocalProjectStore.h"
#include "VeskelApp/AppModel.h"
#include "VeskelApp/Commands/AppNotificationHub.h"
#include "VeskelApp/Icons/IconProvider.h"
#include "VeskelApp/LanguageStore.h"
#include "VeskelApp/Settings/AppearanceController.h"
#include "VeskelApp/Settings/Preferences.h"
#include "VeskelApp/Window/MainWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Veskel"));
    QApplication::setApplicationName(QStringLiteral("Veskel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Veskel"));
    QApplication::setDesktopFileName(QStringLiteral("veskel"));
    QApplication::setWindowIcon(
        veskel::IconProvider::icon(QStringLiteral("film.stack"), QColor(0x0A, 0x84, 0xFF)));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Veskel: scripts for explanatory videos, storyboards for Final Cut Pro."));
    parser.addHelpOption();
    const QCommandLineOption projectsDir(
        QStringLiteral("projects-dir"),
        QStringLiteral("Keep projects in DIR instead of ~/Movies/Veskel/Projects."),
        QStringLiteral("DIR"));
    parser.addOption(projectsDir);
    parser.addPositionalArgument(QStringLiteral("PACKAGE"),
                                 QStringLiteral("A project's .veskel folder to open."),
                                 QStringLiteral("[PACKAGE]"));
    parser.process(app);

    // The interface language is set before the first window is built.
    veskel::LanguageStore languageStore;
    veskel::Preferences preferences;
    veskel::AppearanceController appearance(preferences);
    veskel::AppNotificationHub notifications;

    std::optional<QString> root;
    if (parser.isSet(projectsDir))
        root = QDir(parser.value(projectsDir)).absolutePath();
    veskel::LocalProjectStore store(root);
    veskel::AppModel model(store);
    // A large library is read away from the window, and changes from outside show up in it.
    model.readInBackground();
    model.followLibraryChanges();
    if (const QStringList packages = parser.positionalArguments(); !packages.isEmpty())
        model.openPackage(packages.constFirst());

    veskel::MainWindow window(
        veskel::AppEnvironment{&model, &languageStore, &preferences, &notifications, nullptr});
    window.show();
    window.raise();
    window.activateWindow();
    return app.exec();
}
