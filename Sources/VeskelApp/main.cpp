#include "StoryboardCore/Storage/LocalProjectStore.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"
#include "VeskelApp/AppModel.h"
#include "VeskelApp/Commands/AppNotificationHub.h"
#include "VeskelApp/Instance/InstanceName.h"
#include "VeskelApp/Instance/SingleInstance.h"
#include "VeskelApp/Localization/LanguageStore.h"
#include "VeskelApp/QuitSignalBridge.h"
#include "VeskelApp/Settings/AppearanceController.h"
#include "VeskelApp/Settings/Preferences.h"
#include "VeskelApp/Window/MainWindow.h"

#include "VeskelVersion.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

#include <cstdio>

namespace {

void setIdentity()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Veskel"));
    QCoreApplication::setApplicationName(QStringLiteral("Veskel"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(veskel::applicationVersion));
}

// --help and --version print and exit; they need no display, so no window system is asked.
bool asksOnlyForText(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--version" || argument == "-v" || argument == "--help" || argument == "-h"
            || argument == "--help-all")
            return true;
    }
    return false;
}

// With VESKEL_TRACE_HANDOVER set, the running window says on stderr when it listens and what
// later starts hand it; the tests that start two programs wait for these lines.
void traceHandover(const QString &line)
{
    static const bool enabled = qEnvironmentVariableIsSet("VESKEL_TRACE_HANDOVER");
    if (enabled)
        std::fprintf(stderr, "veskel: %s\n", qUtf8Printable(line));
}

} // namespace

int main(int argc, char **argv)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Veskel: scripts for explanatory videos, storyboards for Final Cut Pro."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption projectsDir(
        QStringLiteral("projects-dir"),
        QStringLiteral("Keep projects in DIR instead of ~/Movies/Veskel/Projects."),
        QStringLiteral("DIR"));
    parser.addOption(projectsDir);
    parser.addPositionalArgument(QStringLiteral("PACKAGE"),
                                 QStringLiteral("A project's .veskel folder to open."),
                                 QStringLiteral("[PACKAGE]"));
    if (asksOnlyForText(argc, argv)) {
        QCoreApplication textOnly(argc, argv);
        setIdentity();
        parser.process(textOnly);
    }

    QApplication app(argc, argv);
    setIdentity();
    QApplication::setApplicationDisplayName(QStringLiteral("Veskel"));
    // Wayland matches the window to the installed desktop entry by this name.
    QApplication::setDesktopFileName(QString::fromLatin1(veskel::applicationID));
    QApplication::setWindowIcon(QIcon::fromTheme(
        QString::fromLatin1(veskel::applicationID),
        QIcon(QStringLiteral(":/appicon/%1.svg").arg(QString::fromLatin1(veskel::applicationID)))));
    parser.process(app);

    std::optional<QString> root;
    if (parser.isSet(projectsDir))
        root = QDir(parser.value(projectsDir)).absolutePath();
    const QStringList packages = parser.positionalArguments();
    const QString package
        = packages.isEmpty() ? QString() : QFileInfo(packages.constFirst()).absoluteFilePath();
    // One Veskel per projects folder, or two windows would overwrite each other's saves: a
    // running one takes the package and this start ends, before anything touches the folder.
    veskel::SingleInstance instance(veskel::InstanceName::address(
        root.value_or(veskel::ProjectPackagePaths::defaultRootDirectory())));
    const veskel::SingleInstance::Role role = instance.claim(package);
    if (role == veskel::SingleInstance::Role::handedOver)
        return 0;
    if (role == veskel::SingleInstance::Role::primary)
        traceHandover(QStringLiteral("serving"));

    // The interface language is set before the first window is built.
    veskel::LanguageStore languageStore;
    veskel::Preferences preferences;
    veskel::AppearanceController appearance(preferences);
    veskel::AppNotificationHub notifications;

    veskel::LocalProjectStore store(root);
    veskel::AppModel model(store);
    // A large library is read away from the window, and changes from outside show up in it.
    model.readInBackground();
    model.followLibraryChanges();
    if (!package.isEmpty())
        model.openPackage(package);

    veskel::MainWindow window(
        veskel::AppEnvironment{&model, &languageStore, &preferences, &notifications, nullptr});
    // A logout or `kill` ends the application like its Quit command.
    veskel::QuitSignalBridge signalBridge;
    QObject::connect(&instance, &veskel::SingleInstance::activationRequested, &window,
                     [&window](const QString &handed) {
                         traceHandover(QStringLiteral("handed over \"%1\"").arg(handed));
                         window.openHandedOver(handed);
                     });
    window.bringToFront();
    return app.exec();
}
