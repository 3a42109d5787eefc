#include "VeskelApp/Scheduling/ManualEditorScheduler.h"
#include "VeskelApp/Timeline/TimelineThumbnailCache.h"
#include "VeskelApp/Timeline/TimelineThumbnailLoader.h"

#include <QCoreApplication>
#include <QSemaphore>
#include <QSignalSpy>
#include <QThread>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <atomic>

namespace veskel::test {
namespace {

// A loader over its own pool, cache and clock. Each render checks that it runs off the main
// thread, waits for the test to open its gate, and returns an image whose width tells which
// fingerprint (the scene title here) it was drawn for.
class ThumbnailLoaderTest : public ::testing::Test
{
protected:
    std::unique_ptr<TimelineThumbnailLoader> loader()
    {
        auto created = std::make_unique<TimelineThumbnailLoader>(
            [this](const QString &sceneID) -> std::optional<CardRenderInput> {
                if (!titles.contains(sceneID))
                    return std::nullopt;
                CardRenderInput input;
                input.scene.id = sceneID;
                input.scene.title = titles.value(sceneID);
                return input;
            },
            scheduler, &cache,
            [this](const CardRenderInput &input) {
                if (QThread::currentThread() == QCoreApplication::instance()->thread())
                    renderedOnMainThread = true;
                gate.acquire();
                ++renders;
                return QImage(input.scene.title.toInt(), 1, QImage::Format_RGB32);
            },
            &pool);
        QObject::connect(created.get(), &TimelineThumbnailLoader::thumbnailReady,
                         [this](const QString &sceneID, const QImage &image) {
                             delivered.append({sceneID, image.width()});
                         });
        return created;
    }

    // Lets every render run to its end and hands the finished ones to the main thread.
    void finishRenders(int count)
    {
        gate.release(count);
        pool.waitForDone();
        QCoreApplication::processEvents();
    }

    TimelineThumbnailLoader::Request request(const QString &sceneID, const QString &title)
    {
        titles.insert(sceneID, title);
        return {sceneID, sceneID + "|" + title};
    }

    QThreadPool pool;
    ManualEditorScheduler scheduler;
    TimelineThumbnailCache cache;
    QSemaphore gate;
    std::atomic<bool> renderedOnMainThread = false;
    std::atomic<int> renders = 0;
    QHash<QString, QString> titles;
    QList<std::pair<QString, int>> delivered;
};

TEST_F(ThumbnailLoaderTest, NewClipsRenderAtOnceOffTheMainThreadAndShareTheCache)
{
    auto first = loader();
    first->sync({request("A", "10"), request("B", "20")});
    EXPECT_EQ(scheduler.pendingCount(), 0);
    finishRenders(2);
    EXPECT_FALSE(renderedOnMainThread);
    EXPECT_EQ(delivered.size(), 2);
    EXPECT_TRUE(cache.image("A|10").has_value());

    // Another timeline showing the same clip takes the cached image at once.
    delivered.clear();
    auto second = loader();
    second->sync({request("A", "10")});
    EXPECT_EQ(delivered, (QList<std::pair<QString, int>>{{"A", 10}}));
    EXPECT_EQ(renders, 2);
}

TEST_F(ThumbnailLoaderTest, AChangedClipRendersAfterTheLastChangeSettles)
{
    auto timeline = loader();
    timeline->sync({request("A", "10")});
    finishRenders(1);
    delivered.clear();

    timeline->sync({request("A", "11")});
    scheduler.advance(300);
    timeline->sync({request("A", "12")});
    scheduler.advance(399);
    EXPECT_TRUE(timeline->isScheduled("A"));
    EXPECT_EQ(renders, 1);
    scheduler.advance(1);
    finishRenders(1);
    EXPECT_EQ(renders, 2);
    EXPECT_EQ(delivered, (QList<std::pair<QString, int>>{{"A", 12}}));
    EXPECT_FALSE(cache.image("A|11").has_value());
}

enum class Supersede { fingerprintChanged, clipRemoved };

class SupersededRenderTest : public ThumbnailLoaderTest,
                             public ::testing::WithParamInterface<Supersede>
{
};

TEST_P(SupersededRenderTest, ARenderOvertakenWhileRunningNeverLands)
{
    auto timeline = loader();
    timeline->sync({request("A", "10")});
    // The render is running (held at its gate) when the clip changes or goes away.
    if (GetParam() == Supersede::fingerprintChanged)
        timeline->sync({request("A", "20")});
    else
        timeline->sync({});
    finishRenders(1);
    EXPECT_EQ(renders, 1);
    EXPECT_TRUE(delivered.isEmpty());
    EXPECT_FALSE(cache.image("A|10").has_value());

    scheduler.runAll();
    finishRenders(1);
    if (GetParam() == Supersede::fingerprintChanged)
        EXPECT_EQ(delivered, (QList<std::pair<QString, int>>{{"A", 20}}));
    else
        EXPECT_TRUE(delivered.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Ways,
                         SupersededRenderTest,
                         ::testing::Values(Supersede::fingerprintChanged, Supersede::clipRemoved));

TEST(ThumbnailCacheTest, FingerprintFollowsTheFormatAndAReplacedImage)
{
    Scene scene;
    scene.id = "A";
    scene.image = SceneImage{"IMG1", "a.png", "A.png", SceneImage::MimeType::png, 10, 10};
    const QString original = TimelineThumbnailCache::fingerprint(scene, {1920, 1080});
    EXPECT_NE(TimelineThumbnailCache::fingerprint(scene, {1080, 1920}), original);
    scene.image->id = "IMG2";
    EXPECT_NE(TimelineThumbnailCache::fingerprint(scene, {1920, 1080}), original);
}

} // namespace
} // namespace veskel::test
