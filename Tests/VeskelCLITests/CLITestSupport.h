#pragma once

#include <QHash>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace veskel::test {

struct Outcome
{
    int code = -1;
    QString out;
    QString err;
};

// Runs the built tool in a fresh folder of its own: its HOME (the Trash lives there), its
// working directory and, under Projects, its projects root. stderr is a pipe, never a
// terminal, so no progress counter is drawn.
class CLITest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString root() const { return m_dir.filePath("Projects"); }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    Outcome run(const QStringList &arguments, const QByteArray &input = {})
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", m_dir.filePath("home"));
        environment.insert("XDG_DATA_HOME", m_dir.filePath("home/.local/share"));
        for (auto it = m_environment.cbegin(); it != m_environment.cend(); ++it)
            environment.insert(it.key(), it.value());
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(m_dir.path());
        process.start(VESKEL_CLI_PATH, QStringList{"--root", root()} + arguments);
        if (!process.waitForStarted())
            return {};
        process.write(input);
        process.closeWriteChannel();
        process.waitForFinished(120000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QTemporaryDir m_dir;
    // Set for every later run, over the inherited environment.
    QHash<QString, QString> m_environment;
};

} // namespace veskel::test
