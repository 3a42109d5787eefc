#include "VeskelApp/Instance/SingleInstance.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocalServer>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace veskel::test {
namespace {

using namespace std::chrono_literals;
using Role = SingleInstance::Role;

// Two or more instances in this process over real local sockets; each later start waits in an
// event loop of its own, in which the running one answers.
class SingleInstanceTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // Claims as a start would, then lets the event loop turn once as the start's own would.
    static Role claimed(SingleInstance &instance, const QString &package = {})
    {
        const Role role = instance.claim(package);
        QCoreApplication::processEvents();
        return role;
    }

    QString address() const { return dir.filePath("veskel-test"); }

    QTemporaryDir dir;
};

TEST_F(SingleInstanceTest, LaterStartsHandTheirPackagesToTheRunningOne)
{
    SingleInstance first(address());
    QSignalSpy handed(&first, &SingleInstance::activationRequested);
    ASSERT_EQ(claimed(first), Role::primary);

    // A package, then a plain start that only brings the window to the front.
    for (const QString &package : {QStringLiteral("/films/Фильм.veskel"), QString()}) {
        SingleInstance later(address());
        QSignalSpy laterHanded(&later, &SingleInstance::activationRequested);
        EXPECT_EQ(claimed(later, package), Role::handedOver);
        ASSERT_FALSE(handed.isEmpty());
        EXPECT_EQ(handed.takeFirst().at(0).toString(), package);
        EXPECT_TRUE(laterHanded.isEmpty());
    }
    EXPECT_TRUE(handed.isEmpty());
}

// What a crashed run leaves: a socket file that nothing listens on any more.
void leaveDeadSocket(const QString &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un socketAddress{};
    socketAddress.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    ASSERT_LT(size_t(name.size()), sizeof socketAddress.sun_path);
    std::memcpy(socketAddress.sun_path, name.constData(), name.size());
    EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&socketAddress), sizeof socketAddress), 0);
    ::close(fd);
}

TEST_F(SingleInstanceTest, ASocketLeftByACrashedRunIsTakenOver)
{
    leaveDeadSocket(address());
    ASSERT_TRUE(QFileInfo(address()).exists());

    SingleInstance next(address());
    QSignalSpy handed(&next, &SingleInstance::activationRequested);
    ASSERT_EQ(claimed(next), Role::primary);
    SingleInstance later(address());
    EXPECT_EQ(claimed(later, "/films/intro.veskel"), Role::handedOver);
    ASSERT_EQ(handed.size(), 1);
    EXPECT_EQ(handed.at(0).at(0).toString(), "/films/intro.veskel");
}

TEST_F(SingleInstanceTest, ARunningOneThatNeverAnswersLosesItsName)
{
    // Accepts connections and never reads them, like a process that hangs.
    QLocalServer hung;
    ASSERT_TRUE(hung.listen(address()));

    SingleInstance next(address(),
                        SingleInstance::Timeouts{.claim = 30s, .acknowledgement = 300ms});
    QSignalSpy handed(&next, &SingleInstance::activationRequested);
    ASSERT_EQ(claimed(next, "/films/intro.veskel"), Role::primary);
    SingleInstance later(address());
    EXPECT_EQ(claimed(later), Role::handedOver);
    EXPECT_EQ(handed.size(), 1);
}

TEST_F(SingleInstanceTest, WithoutAPlaceForTheSocketItRunsAlone)
{
    SingleInstance instance(dir.filePath("missing/veskel-test"),
                            SingleInstance::Timeouts{.claim = 0ms, .acknowledgement = 300ms});
    EXPECT_EQ(claimed(instance), Role::alone);
}

} // namespace
} // namespace veskel::test
