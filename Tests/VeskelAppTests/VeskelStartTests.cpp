#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace veskel::test {
namespace {

// Generous: two sanitized programs start at once on a shared two-core machine.
constexpr int patience = 120000;

// The built `veskel`, offscreen, in a home and runtime folder of the test's own. With
// VESKEL_TRACE_HANDOVER it says on stderr when it serves and what it was handed.
class Veskel
{
public:
    Veskel(const QTemporaryDir &dir, const QStringList &arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", dir.filePath("home"));
        environment.insert("XDG_CONFIG_HOME", dir.filePath("home/.config"));
        environment.insert("XDG_DATA_HOME", dir.filePath("home/.local/share"));
        environment.insert("XDG_CACHE_HOME", dir.filePath("home/.cache"));
        // The temporary folder is the user's alone (0700), as a runtime directory must be.
        environment.insert("XDG_RUNTIME_DIR", dir.path());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("VESKEL_TRACE_HANDOVER", "1");
        m_process.setProcessEnvironment(environment);
        m_process.setWorkingDirectory(dir.filePath("Projects"));
        m_process.start(VESKEL_APP_PATH,
                        QStringList{"--projects-dir", dir.filePath("Projects")} + arguments);
        // Until then it is neither running nor finished.
        m_process.waitForStarted(patience);
    }

    ~Veskel()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(patience);
        }
    }

    bool says(const QByteArray &line)
    {
        return QTest::qWaitFor(
                   [&] {
                       m_log += m_process.readAllStandardError();
                       return m_log.contains("veskel: " + line + "\n")
                              || m_process.state() == QProcess::NotRunning;
                   },
                   patience)
               && m_log.contains("veskel: " + line + "\n");
    }

    bool isRunning() const { return m_process.state() == QProcess::Running; }
    bool exitedWithZero()
    {
        // waitForFinished is false for a process that has finished already.
        const bool finished
            = m_process.state() == QProcess::NotRunning || m_process.waitForFinished(patience);
        return finished && exitCode() == 0;
    }

    // SIGTERM: the window quits as from its menu.
    bool quits()
    {
        m_process.terminate();
        return exitedWithZero();
    }

    void crash()
    {
        m_process.kill();
        m_process.waitForFinished(patience);
    }

    QByteArray log()
    {
        m_log += m_process.readAllStandardError();
        return m_log;
    }

private:
    int exitCode() const
    {
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

    QProcess m_process;
    QByteArray m_log;
};

class VeskelStartTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath("Projects"));
    }

    QByteArray handedOver(const QString &package) const
    {
        return "handed over \"" + package.toUtf8() + "\"";
    }

    QTemporaryDir dir;
};

TEST_F(VeskelStartTest, ASecondStartHandsOverItsPackageAndExits)
{
    Veskel first(dir, {});
    ASSERT_TRUE(first.says("serving")) << first.log().toStdString();

    // A relative package, and the folder spelled another way.
    Veskel second(dir, {"--projects-dir", dir.filePath("Projects/"), "intro.veskel"});
    EXPECT_TRUE(second.exitedWithZero()) << second.log().toStdString();
    EXPECT_TRUE(first.says(handedOver(dir.filePath("Projects/intro.veskel"))));

    Veskel third(dir, {});
    EXPECT_TRUE(third.exitedWithZero());
    EXPECT_TRUE(first.says(handedOver({})));
    EXPECT_TRUE(first.isRunning());
    EXPECT_TRUE(first.quits());
}

TEST_F(VeskelStartTest, OfTwoStartsAtOnceOneServesAndTheOtherHandsOver)
{
    Veskel a(dir, {"a.veskel"});
    Veskel b(dir, {"b.veskel"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !a.isRunning() || !b.isRunning(); }, patience));
    const bool aServes = a.isRunning();
    Veskel &serving = aServes ? a : b;
    Veskel &handing = aServes ? b : a;
    EXPECT_TRUE(handing.exitedWithZero()) << handing.log().toStdString();
    EXPECT_TRUE(
        serving.says(handedOver(dir.filePath(aServes ? "Projects/b.veskel" : "Projects/a.veskel"))))
        << serving.log().toStdString();
    EXPECT_TRUE(serving.quits());
}

TEST_F(VeskelStartTest, AStartAfterACrashServesInItsPlace)
{
    {
        Veskel crashed(dir, {});
        ASSERT_TRUE(crashed.says("serving"));
        crashed.crash();
    }
    Veskel next(dir, {});
    ASSERT_TRUE(next.says("serving")) << next.log().toStdString();
    Veskel later(dir, {"intro.veskel"});
    EXPECT_TRUE(later.exitedWithZero());
    EXPECT_TRUE(next.says(handedOver(dir.filePath("Projects/intro.veskel"))));
    EXPECT_TRUE(next.quits());
}

} // namespace
} // namespace veskel::test
