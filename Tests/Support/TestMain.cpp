#include "TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
QTemporaryDir *sandbox = nullptr;
}

namespace veskel::test {

QString sandboxRoot()
{
    return sandbox->path();
}

} // namespace veskel::test

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return 3;
    sandbox = &dir;
    const QString home = dir.filePath(QStringLiteral("home"));
    QDir().mkpath(home);
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_DATA_HOME", (home + QStringLiteral("/.local/share")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/.config")).toUtf8());
    qputenv("XDG_CACHE_HOME", (home + QStringLiteral("/.cache")).toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);

    // One application object serves every suite: core tests ignore it, drawing and widget tests
    // need it.
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("VeskelTests"));
    QApplication::setApplicationName(QStringLiteral("VeskelTests"));
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    sandbox = nullptr;
    return result;
}
