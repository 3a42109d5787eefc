#include "CLITestSupport.h"

#include "Support/TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

using Versions = veskel::test::CLITest;
using veskel::test::Outcome;
using veskel::test::readBytes;

TEST_F(Versions, AreListedNewestFirstAndRestoredByName)
{
    ASSERT_EQ(run({"new", "Intro"}).code, 0);
    const QString package = root() + "/intro.veskel";
    const QByteArray empty = readBytes(package + "/project.json");
    ASSERT_EQ(run({"edit", "intro", "-"}, "# One\nFirst.\n").code, 0);
    // Within the minute: the first edit's file is not kept.
    ASSERT_EQ(run({"edit", "intro", "-"}, "# One\nFirst.\n\n# Two\nSecond.\n").code, 0);
    // A sync tool's copy beside the file is offered too.
    QFile copy(package + "/project (conflicted copy 2026-12-06).json");
    ASSERT_TRUE(QFile::copy(package + "/project.json", copy.fileName()));
    ASSERT_TRUE(copy.open(QIODevice::ReadWrite));
    ASSERT_TRUE(copy.setFileTime(QDateTime::currentDateTimeUtc().addSecs(3600),
                                 QFileDevice::FileModificationTime));
    copy.close();

    const Outcome listed = run({"versions", "intro"});
    ASSERT_EQ(listed.code, 0) << listed.err.toStdString();
    const QStringList lines = listed.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << listed.out.toStdString();
    EXPECT_TRUE(QRegularExpression("^project \\(conflicted copy 2026-12-06\\)\\t\\d{4}-\\d\\d-"
                                   "\\d\\dT\\d\\d:\\d\\d:\\d\\dZ\\t2 scenes\\tconflict copy$")
                    .match(lines.at(0))
                    .hasMatch())
        << lines.at(0).toStdString();
    EXPECT_TRUE(lines.at(1).endsWith("\t0 scenes")) << lines.at(1).toStdString();
    const QString emptyVersion = lines.at(1).section('\t', 0, 0);
    EXPECT_EQ(readBytes(package + "/.versions/" + emptyVersion + ".json"), empty);

    const Outcome restored = run({"restore", "intro", emptyVersion});
    ASSERT_EQ(restored.code, 0) << restored.err.toStdString();
    EXPECT_EQ(run({"show", "intro"}).out, "");

    const Outcome missing = run({"restore", "intro", "2020-01-01T00-00-00Z"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err, "Version not found: 2020-01-01T00-00-00Z.\n");
}

} // namespace
