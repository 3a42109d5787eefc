#include "NarrationKit/WavFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace veskel {
namespace {

NarrationAudio threeSamples()
{
    return NarrationAudio{{1, -2, 0x1234}};
}

TEST(WavFile, WritesTheCanonicalHeaderOf16BitMonoAt48kHz)
{
    const QByteArray expected = QByteArray::fromHex("52494646" // RIFF
                                                    "2a000000" // 36 + 6
                                                    "57415645" // WAVE
                                                    "666d7420" // "fmt "
                                                    "10000000" // 16
                                                    "0100"     // PCM
                                                    "0100"     // mono
                                                    "80bb0000" // 48000
                                                    "00770100" // 96000 bytes a second
                                                    "0200"     // block align
                                                    "1000"     // 16 bits
                                                    "64617461" // data
                                                    "06000000" // 6 bytes
                                                    "0100feff3412");
    EXPECT_EQ(WavFile::encode(threeSamples()), expected);
}

TEST(WavFile, ReadsBackWhatItWrites)
{
    EXPECT_EQ(WavFile::decode(WavFile::encode(threeSamples())), threeSamples());
    EXPECT_EQ(WavFile::decode(WavFile::encode(NarrationAudio{})), NarrationAudio{});
}

class DamagedWav : public testing::TestWithParam<std::function<void(QByteArray &)>>
{
};

TEST_P(DamagedWav, IsNotAudio)
{
    QByteArray bytes = WavFile::encode(threeSamples());
    GetParam()(bytes);
    EXPECT_EQ(WavFile::decode(bytes), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Damage,
    DamagedWav,
    testing::Values([](QByteArray &b) { b.chop(1); },      // truncated
                    [](QByteArray &b) { b.append('x'); },  // trailing bytes
                    [](QByteArray &b) { b.truncate(20); }, // header cut off
                    [](QByteArray &b) { b[22] = 2; },      // stereo
                    [](QByteArray &b) {
                        b[24] = 0x44;
                        b[25] = char(0xac);
                    },                                                  // 44.1 kHz
                    [](QByteArray &b) { b[0] = 'X'; },                  // not RIFF
                    [](QByteArray &b) { b[40] = char(0xff); },          // data size lies
                    [](QByteArray &b) { b = QByteArray(100, '\0'); })); // garbage

TEST(WavFile, WriteReportsAFolderThatIsNotThere)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/S001.wav");
    const auto written = WavFile::write(path, threeSamples());
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error(), (NarrationError{NarrationError::Kind::writeFailed, path}));
}

} // namespace
} // namespace veskel
