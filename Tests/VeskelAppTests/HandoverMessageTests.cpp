#include "VeskelApp/Instance/HandoverMessage.h"

#include <gtest/gtest.h>

namespace veskel::test {
namespace {

class HandoverRequestTest : public ::testing::TestWithParam<QString>
{
};

TEST_P(HandoverRequestTest, IsOneLineThatReadsBackAsThePackage)
{
    const QByteArray request = HandoverMessage::request(GetParam());
    EXPECT_EQ(request.count('\n'), 1);
    EXPECT_TRUE(request.endsWith('\n'));
    EXPECT_EQ(HandoverMessage::package(request), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Packages,
                         HandoverRequestTest,
                         ::testing::Values(QString(),
                                           "/home/ann/Intro video.veskel",
                                           "/home/ann/Фильм/урок.veskel",
                                           "/tmp/line\nfeed.veskel",
                                           "/tmp/100%25 sure.veskel",
                                           "/tmp/%.veskel"));

class RefusedRequestTest : public ::testing::TestWithParam<QByteArray>
{
};

TEST_P(RefusedRequestTest, IsNoPackage)
{
    EXPECT_EQ(HandoverMessage::package(GetParam()), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Lines,
                         RefusedRequestTest,
                         ::testing::Values(QByteArray("intro.veskel\n"),
                                           QByteArray("/cut/short.veskel"),
                                           "/" + QByteArray(HandoverMessage::maximumLength, 'x')
                                               + "\n"));

} // namespace
} // namespace veskel::test
