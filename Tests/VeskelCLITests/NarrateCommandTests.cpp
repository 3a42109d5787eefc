#include "CLITestSupport.h"

#include "NarrationKit/WavFile.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

using NarrateCommand = veskel::test::CLITest;
using veskel::test::Outcome;

std::optional<veskel::NarrationAudio> readWav(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return veskel::WavFile::decode(file.readAll());
}

TEST_F(NarrateCommand, WritesTheScenesNarrationAndCachesIt)
{
    m_environment.insert("XDG_CACHE_HOME", path("cache"));
    ASSERT_EQ(run({"new", "Talk", "--script", "-"},
                  "# Hello\nGood morning, and welcome to the studio.\n\n# Quiet\n> On screen\n")
                  .code,
              0);
    const Outcome spoken = run({"narrate", "talk", "1", path("one.wav")});
    ASSERT_EQ(spoken.code, 0) << spoken.err.toStdString();
    EXPECT_TRUE(spoken.out.isEmpty());
    const auto audio = readWav(path("one.wav"));
    ASSERT_TRUE(audio.has_value());
    EXPECT_GT(audio->seconds(), 1.0);
    EXPECT_EQ(QDir(path("cache/Veskel/Veskel/narration")).entryList(QDir::Files).size(), 1);

    // A scene without voiceover is a valid, empty file.
    ASSERT_EQ(run({"narrate", "talk", "S002", path("two.wav")}).code, 0);
    EXPECT_EQ(readWav(path("two.wav")), veskel::NarrationAudio{});
}

TEST_F(NarrateCommand, SaysWhatWentWrong)
{
    ASSERT_EQ(run({"new", "Talk", "--script", "-"}, "# Hello\nGood morning.\n").code, 0);
    const Outcome unknown = run({"narrate", "talk", "9", path("x.wav")});
    EXPECT_EQ(unknown.code, 1);
    EXPECT_EQ(unknown.err, "Scene not found: 9.\n");
    EXPECT_FALSE(QFile::exists(path("x.wav")));

    // espeak-ng told to look for its voices in an empty folder cannot start.
    ASSERT_TRUE(QDir().mkpath(path("no-voices")));
    m_environment.insert("ESPEAK_DATA_PATH", path("no-voices"));
    const Outcome unavailable = run({"narrate", "talk", "1", path("x.wav")});
    EXPECT_EQ(unavailable.code, 1);
    EXPECT_TRUE(unavailable.err.startsWith("Narration is unavailable: the espeak-ng speech "
                                           "synthesizer could not start ("))
        << unavailable.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("x.wav")));
}

} // namespace
