#include "VeskelApp/Player/NarrationOutput.h"
#include "VeskelApp/Player/PlayerViewModel.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace veskel {
namespace {

class ManualClock final : public PlaybackClock
{
public:
    qint64 nowMs() const override { return now; }
    qint64 now = 1000;
};

struct Played
{
    const NarrationAudio *audio = nullptr;
    qint64 fromSample = 0;
    bool operator==(const Played &) const = default;
};

class RecordingOutput final : public NarrationOutput
{
public:
    void play(std::shared_ptr<const NarrationAudio> audio, qint64 fromSample) override
    {
        played.append({audio.get(), fromSample});
    }
    void stop() override { ++stops; }

    QList<Played> played;
    int stops = 0;
};

// Three scenes at 25 fps: 2 s, 3.3 s (82.5 frames, exported as 83) and 1 s; their FCPXML clips
// start at frames 0, 50 and 133 and the film ends at 158.
StoryboardProject film()
{
    StoryboardProject project;
    project.videoSettings = VideoSettings::preset(VideoSettings::FormatPreset::horizontalHD, 25);
    const double durations[] = {2, 3.3, 1};
    const char *ids[] = {"A", "B", "C"};
    for (int i = 0; i < 3; ++i) {
        Scene scene;
        scene.id = QString::fromLatin1(ids[i]);
        scene.order = i;
        scene.durationSeconds = durations[i];
        project.scenes.append(scene);
    }
    return project;
}

class Player : public testing::Test
{
protected:
    ManualClock clock;
    RecordingOutput output;
    PlayerViewModel player{clock, &output};

    void advance(qint64 ms)
    {
        clock.now += ms;
        player.tick();
    }
    QString sceneID() const { return player.scene() ? player.scene()->id : QString(); }
};

struct StartCase
{
    const char *from;
    qint64 frame;
    const char *scene;
};

class PlayerStart : public Player, public testing::WithParamInterface<StartCase>
{
};

TEST_P(PlayerStart, BeginsAtTheFrameTheScenesClipStartsAt)
{
    player.play(film(), QString::fromLatin1(GetParam().from));
    EXPECT_EQ(player.state(), PlayerViewModel::State::playing);
    EXPECT_EQ(player.frame(), GetParam().frame);
    EXPECT_EQ(sceneID(), QString::fromLatin1(GetParam().scene));
}

INSTANTIATE_TEST_SUITE_P(Scenes,
                         PlayerStart,
                         testing::Values(StartCase{"A", 0, "A"},
                                         StartCase{"B", 50, "B"},
                                         StartCase{"C", 133, "C"},
                                         StartCase{"gone", 0, "A"}));

TEST_F(Player, FollowsTheClockFromSceneToSceneAndStopsAfterTheLastFrame)
{
    QSignalSpy scenes(&player, &PlayerViewModel::sceneChanged);
    QSignalSpy finished(&player, &PlayerViewModel::finished);
    player.play(film(), "B");
    advance(3279); // 81.975 frames in: still B's 82nd frame
    EXPECT_EQ(player.frame(), 131);
    advance(81); // frame 134
    EXPECT_EQ(sceneID(), "C");
    EXPECT_EQ(scenes.count(), 2);
    advance(1000);
    EXPECT_EQ(player.state(), PlayerViewModel::State::stopped);
    EXPECT_EQ(player.frame(), 158);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(player.scene(), std::nullopt);
}

TEST_F(Player, PauseHoldsTheFrameWhileTheClockRuns)
{
    player.play(film(), "A");
    advance(400);
    player.togglePause();
    EXPECT_EQ(player.state(), PlayerViewModel::State::paused);
    advance(60000);
    EXPECT_EQ(player.frame(), 10);
    player.togglePause();
    advance(400);
    EXPECT_EQ(player.frame(), 20);
    EXPECT_EQ(player.state(), PlayerViewModel::State::playing);
}

TEST_F(Player, JumpsGoToSceneStartsWithinTheFilm)
{
    player.play(film(), "A");
    advance(600);
    player.jump(1);
    EXPECT_EQ(player.frame(), 50);
    player.jump(5);
    EXPECT_EQ(player.frame(), 133);
    player.jump(-1);
    EXPECT_EQ(player.frame(), 50);
    player.jump(-3);
    EXPECT_EQ(player.frame(), 0);
    // The clock goes on from the scene jumped to.
    advance(2000);
    EXPECT_EQ(sceneID(), "B");

    // Paused, a jump moves the frame and stays paused.
    player.togglePause();
    player.jump(1);
    EXPECT_EQ(player.frame(), 133);
    EXPECT_EQ(player.state(), PlayerViewModel::State::paused);
}

TEST_F(Player, StopEndsPlaybackAndItsSound)
{
    player.play(film(), "B");
    const int stopsBefore = output.stops;
    player.stop();
    EXPECT_EQ(player.state(), PlayerViewModel::State::stopped);
    EXPECT_GT(output.stops, stopsBefore);
    advance(1000);
    EXPECT_EQ(player.frame(), 50);
    player.jump(1);
    player.togglePause();
    EXPECT_EQ(player.state(), PlayerViewModel::State::stopped);
}

TEST_F(Player, NarrationPlaysFromWhereTheClockIsInItsScene)
{
    const auto narration
        = std::make_shared<const NarrationAudio>(NarrationAudio{QList<qint16>(96000, 1)});
    player.setNarration("B", narration);
    player.play(film(), "A");
    advance(2040); // frame 51: one frame into B
    ASSERT_FALSE(output.played.isEmpty());
    EXPECT_EQ(output.played.last(), (Played{narration.get(), 1920}));

    // Known only after its scene began: it starts at the scene's current point.
    const auto late
        = std::make_shared<const NarrationAudio>(NarrationAudio{QList<qint16>(96000, 2)});
    advance(3400); // frame 136: three frames into C
    player.setNarration("C", late);
    EXPECT_EQ(output.played.last(), (Played{late.get(), 5760}));

    // Paused and resumed: again from the point reached.
    player.togglePause();
    clock.now += 5000;
    player.togglePause();
    EXPECT_EQ(output.played.last(), (Played{late.get(), 5760}));
}

TEST_F(Player, AFilmWithoutFramesDoesNotPlay)
{
    player.play(StoryboardProject{}, "A");
    EXPECT_EQ(player.state(), PlayerViewModel::State::stopped);
}

} // namespace
} // namespace veskel
