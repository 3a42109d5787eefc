#include "CLITestSupport.h"
#include "Support/TestSupport.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using ExportCommand = veskel::test::CLITest;
using veskel::test::Outcome;

TEST_F(ExportCommand, firstExportThenUpdate)
{
    ASSERT_EQ(run({"new", "Intro video", "--format", "verticalHD", "--script", "-"},
                  "# Opening\nHello there.\n\n# Details\n// check the mic\n")
                  .code,
              0);
    const QString folder = root() + "/intro-video.veskel/Exports/intro-video_fcp";

    const Outcome first = run({"export", "intro-video"});
    EXPECT_EQ(first.code, 0) << first.err.toStdString();
    EXPECT_EQ(first.out,
              folder + "\nFirst export is ready. Import the FCPXML into Final Cut Pro.\n");
    EXPECT_TRUE(first.err.isEmpty()) << first.err.toStdString();
    EXPECT_EQ(QDir(folder + "/Media").entryList(QDir::Files),
              QStringList({"S001.png", "S002.png"}));
    EXPECT_EQ(QDir(folder).entryList({"*.otio", "*.pdf"}, QDir::Files),
              QStringList({"intro-video.otio", "storyboard.pdf"}));

    const Outcome again = run({"export", root() + "/intro-video.veskel"});
    EXPECT_EQ(again.code, 0);
    EXPECT_EQ(again.out, folder
                             + QString::fromUtf8("\nExport updated. Import the same FCPXML into "
                                                 "Final Cut Pro and choose “Replace”.\n"));
}

TEST_F(ExportCommand, animaticOptionHoldsForThatExportOnly)
{
    ASSERT_EQ(
        run({"new", "Talk", "--script", "-"}, "# Opening\nHello there.\n\n# Quiet\n> Hi\n").code,
        0);
    const QString package = root() + "/talk.veskel";
    const QByteArray stored = veskel::test::readBytes(package + "/project.json");
    const QString folder = package + "/Exports/talk_fcp";

    const Outcome withAnimatic = run({"export", "talk", "--animatic"});
    EXPECT_EQ(withAnimatic.code, 0) << withAnimatic.err.toStdString();
    EXPECT_TRUE(QFileInfo(folder + "/talk_animatic.mp4").size() > 0);
    EXPECT_EQ(QDir(folder + "/Narration").entryList(QDir::Files), QStringList({"S001.wav"}));
    EXPECT_EQ(veskel::test::readBytes(package + "/project.json"), stored);

    // Without espeak-ng (told to look for its voices in an empty folder) the export still
    // succeeds, silent, and says why.
    ASSERT_TRUE(QDir().mkpath(root() + "/no-voices"));
    m_environment.insert("ESPEAK_DATA_PATH", root() + "/no-voices");
    const Outcome silent = run({"export", "talk", "--animatic"});
    EXPECT_EQ(silent.code, 0) << silent.err.toStdString();
    EXPECT_TRUE(silent.err.startsWith("warning: Scratch narration is unavailable ("))
        << silent.err.toStdString();
    EXPECT_EQ(QDir(folder + "/Narration").entryList(QDir::Files), QStringList());
    EXPECT_FALSE(veskel::test::readBytes(folder + "/talk.fcpxml").contains("Narration/"));
}

TEST_F(ExportCommand, failureIsTheExportErrorOnStderr)
{
    ASSERT_EQ(run({"new", "Empty"}).code, 0);
    const Outcome result = run({"export", "empty"});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_EQ(result.err, QString::fromUtf8("Project cannot be exported: No scenes in the project: "
                                            "start one with a line \u201C# Title\u201D.\n"));
}

} // namespace
