#include "VeskelApp/Scheduling/ManualEditorScheduler.h"
#include "VeskelApp/Scheduling/TimerEditorScheduler.h"

#include "EditorTestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>

using namespace veskel;
using namespace veskel::test;

namespace {

// Runs the event loop until the condition holds or five seconds have passed.
template<typename Condition>
bool processEventsUntil(Condition condition)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return condition();
}

TEST(ManualEditorScheduler, RunsDueCallbacksInOrderIncludingThoseScheduledOnTheWay)
{
    ManualEditorScheduler scheduler;
    QStringList ran;
    scheduler.schedule(300, [&] { ran << "b"; });
    scheduler.schedule(100, [&] {
        ran << "a";
        scheduler.schedule(100, [&] { ran << "a+100"; });
        scheduler.schedule(500, [&] { ran << "late"; });
    });
    scheduler.schedule(300, [&] { ran << "c"; });
    const auto cancelled = scheduler.schedule(250, [&] { ran << "cancelled"; });
    scheduler.cancel(cancelled);
    scheduler.cancel(12345);

    scheduler.advance(299);
    EXPECT_EQ(ran, QStringList({"a", "a+100"}));
    EXPECT_EQ(scheduler.now(), 299);
    scheduler.advance(1);
    EXPECT_EQ(ran, QStringList({"a", "a+100", "b", "c"}));
    EXPECT_EQ(scheduler.pendingCount(), 1);
    scheduler.runAll();
    EXPECT_EQ(ran.constLast(), "late");
    EXPECT_EQ(scheduler.now(), 600);
    EXPECT_FALSE(scheduler.isPending(cancelled));
}

TEST(TimerEditorScheduler, RunsOnTheEventLoopAndCancels)
{
    TimerEditorScheduler scheduler;
    QStringList ran;
    const auto cancelled = scheduler.schedule(1, [&] { ran << "cancelled"; });
    scheduler.schedule(5, [&] {
        ran << "first";
        // Scheduling from inside a callback works like anywhere else.
        scheduler.schedule(0, [&] { ran << "second"; });
    });
    scheduler.cancel(cancelled);
    EXPECT_TRUE(ran.isEmpty());
    ASSERT_TRUE(processEventsUntil([&] { return ran.size() == 2; }));
    EXPECT_EQ(ran, QStringList({"first", "second"}));
}

TEST(TimerEditorScheduler, DestroyingItDropsWhatIsPending)
{
    bool ran = false;
    {
        TimerEditorScheduler scheduler;
        scheduler.schedule(0, [&] { ran = true; });
    }
    bool marker = false;
    TimerEditorScheduler other;
    other.schedule(1, [&] { marker = true; });
    ASSERT_TRUE(processEventsUntil([&] { return marker; }));
    EXPECT_FALSE(ran);
}

class DefaultSchedulerTest : public EditorFixture
{
};

TEST_F(DefaultSchedulerTest, WithoutAGivenSchedulerTheEditorSavesOnItsOwnTimers)
{
    const StoryboardProject project = savedProject(threeSceneScript());
    ProjectEditorViewModel editor(
        project, store, [this](const StoryboardProject &saved) { changes.append(saved); });
    editor.applyDocumentText(editor.documentText() + "Saved by a timer.");
    EXPECT_TRUE(changes.isEmpty());
    ASSERT_TRUE(processEventsUntil([&] { return !changes.isEmpty(); }));
    EXPECT_TRUE(onDisk(project).scriptBlocks.constLast().text.endsWith("Saved by a timer."));
    ASSERT_TRUE(processEventsUntil([&] { return !editor.isTypingRunOpen(); }));
    EXPECT_TRUE(editor.canUndo());
}

} // namespace
