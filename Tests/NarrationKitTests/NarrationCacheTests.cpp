#include "NarrationKit/NarrationCache.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace veskel {
namespace {

const NarrationKey key{NarrationVoice::english, 140, QStringLiteral("Hello there.")};

std::shared_ptr<const NarrationAudio> audio(qint16 value)
{
    return std::make_shared<const NarrationAudio>(NarrationAudio{QList<qint16>(480, value)});
}

TEST(NarrationCache, AFreshCacheReadsWhatAnEarlierOneStored)
{
    QTemporaryDir dir;
    NarrationCache(dir.path(), "1.51").store(key, audio(7));
    NarrationCache later(dir.path(), "1.51");
    ASSERT_NE(later.find(key), nullptr);
    EXPECT_EQ(*later.find(key), *audio(7));
}

TEST(NarrationCache, KeysByVoiceRateTextAndEngine)
{
    QTemporaryDir dir;
    NarrationCache cache(dir.path(), "1.51");
    cache.store(key, audio(7));
    for (const NarrationKey &other : {NarrationKey{NarrationVoice::russian, 140, key.text},
                                      NarrationKey{NarrationVoice::english, 141, key.text},
                                      NarrationKey{NarrationVoice::english, 140, "Hello there"}})
        EXPECT_EQ(cache.find(other), nullptr);
    EXPECT_EQ(NarrationCache(dir.path(), "1.52").find(key), nullptr);
}

class CorruptCacheFile : public testing::TestWithParam<QByteArray>
{
};

TEST_P(CorruptCacheFile, IsRemovedAndCountsAsMissing)
{
    QTemporaryDir dir;
    const QString path = NarrationCache(dir.path()).filePath(key);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(GetParam());
    }
    EXPECT_EQ(NarrationCache(dir.path()).find(key), nullptr);
    EXPECT_FALSE(QFile::exists(path));
}

INSTANTIATE_TEST_SUITE_P(Contents,
                         CorruptCacheFile,
                         testing::Values(QByteArray(),
                                         QByteArray("RIFF"),
                                         QByteArray(4096, '\x7f')));

TEST(NarrationCache, WithoutAFolderKeepsNarrationsInMemory)
{
    NarrationCache cache({});
    cache.store(key, audio(3));
    EXPECT_EQ(cache.find(key), cache.find(key));
    EXPECT_TRUE(cache.filePath(key).isEmpty());
}

} // namespace
} // namespace veskel
