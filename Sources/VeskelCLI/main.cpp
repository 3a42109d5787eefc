#include "VeskelCLI/CommandLine.h"
#include "VeskelCLI/TerminalSafeDevice.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

namespace {

// stderr carries the core's messages and nothing else, so scripts can rely on it: Qt's own
// notes (a missing runtime folder, an SVG that does not parse) are dropped unless asked for.
void quietMessageHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("VESKEL_CLI_QT_MESSAGES"))
        qInstallMessageHandler(quietMessageHandler);

    // Taken before the application object strips the options it knows ("-reverse", ...),
    // which could be titles here.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    // Headless: image and drawing code needs a GUI application but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setOrganizationName(QStringLiteral("Veskel"));
    QGuiApplication::setApplicationName(QStringLiteral("Veskel"));

    QFile standardOutput;
    QFile standardError;
    standardOutput.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    standardError.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    veskel::cli::TerminalSafeDevice safeOutput(standardOutput);
    veskel::cli::TerminalSafeDevice safeError(standardError);
    QTextStream out(&safeOutput);
    QTextStream err(&safeError);
    return veskel::cli::runCommandLine(arguments, out, err);
}
