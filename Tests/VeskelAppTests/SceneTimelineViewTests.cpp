#include "ActionTestSupport.h"
#include "EditorTestSupport.h"

#include "NarrationKit/NarrationCache.h"
#include "VeskelApp/Narration/SceneNarrations.h"
#include "VeskelApp/Player/PlayerViewModel.h"
#include "VeskelApp/Settings/Preferences.h"
#include "VeskelApp/Timeline/SceneTimelineView.h"
#include "VeskelApp/Timeline/TimelinePlayback.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

namespace veskel::test {
namespace {

// Three scenes of 5, 5 and 10 seconds on an 840-point timeline: clips at 20–220, 220–420 and
// 420–820 in the view.
class SceneTimelineViewTest : public EditorFixture
{
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        StoryboardProject project
            = savedProject("# A\n\nFirst.\n\n# B\n\nSecond.\n\n# C\n\nThird.");
        const double seconds[] = {5, 5, 10};
        for (Scene &scene : project.scenes)
            scene.durationSeconds = seconds[scene.order];
        showTimeline(project);
    }

    void showTimeline(const StoryboardProject &project)
    {
        view.reset();
        editor = open(project);
        view = std::make_unique<SceneTimelineView>(
            *editor, preferences, &scheduler, [](const CardRenderInput &) { return QImage(); });
        view->resize(840, int(TimelineHit::height));
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }

    QPoint center(const QString &title) const
    {
        for (qsizetype i = 0; i < view->layout().items.size(); ++i) {
            const TimelineItem &item = view->layout().items.at(i);
            if (item.isScene() && item.asScene().title == title)
                return view->clipCenter(i);
        }
        ADD_FAILURE() << "no clip " << title.toStdString();
        return {};
    }

    QString id(const QString &title) const { return sceneID(*editor, title); }

    // Press, move in two steps with the modifiers held, release.
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mousePress(view.get(), Qt::LeftButton, modifiers, from);
        QTest::mouseEvent(QTest::MouseMove, view.get(), Qt::NoButton, modifiers, (from + to) / 2);
        QTest::mouseEvent(QTest::MouseMove, view.get(), Qt::NoButton, modifiers, to);
        QTest::mouseRelease(view.get(), Qt::LeftButton, modifiers, to);
    }

    QSettings settings{dir.filePath("settings.ini"), QSettings::IniFormat};
    Preferences preferences{&settings};
    std::unique_ptr<ProjectEditorViewModel> editor;
    std::unique_ptr<SceneTimelineView> view;
};

TEST_F(SceneTimelineViewTest, FivePointsIsAClickAndEightStartADrag)
{
    editor->selectOnly(id("C"));
    const QPoint a = center("A");

    drag(a, a + QPoint(5, 0));
    EXPECT_EQ(editor->selectedSceneIDs(), QSet<QString>{id("A")});

    editor->selectOnly(id("C"));
    QTest::mousePress(view.get(), Qt::LeftButton, {}, a);
    QTest::mouseMove(view.get(), a + QPoint(8, 0));
    ASSERT_TRUE(view->dragPreview().has_value());
    EXPECT_EQ(view->dragPreview()->sceneID, id("A"));
    EXPECT_EQ(view->dragPreview()->translationX, 8);
    // Back under the threshold the drag is withdrawn, and the release is a click again.
    QTest::mouseMove(view.get(), a + QPoint(3, 0));
    EXPECT_FALSE(view->dragPreview().has_value());
    QTest::mouseMove(view.get(), a + QPoint(8, 0));
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, a + QPoint(8, 0));
    // A drag selects nothing; dropped on its own place the scene stays.
    EXPECT_EQ(editor->selectedSceneIDs(), QSet<QString>{id("C")});
    EXPECT_EQ(orderedTitles(*editor), QStringList({"A", "B", "C"}));
    EXPECT_FALSE(view->dragPreview().has_value());
    EXPECT_FALSE(editor->canUndo());
}

struct DropCase
{
    int x;
    QStringList order;
};

class TimelineDropTest : public SceneTimelineViewTest,
                         public ::testing::WithParamInterface<DropCase>
{
};

TEST_P(TimelineDropTest, TheSceneLandsBeforeTheFirstSceneAfterTheBar)
{
    drag(center("A"), QPoint(GetParam().x, center("A").y()));
    EXPECT_EQ(orderedTitles(*editor), GetParam().order);
    EXPECT_FALSE(view->dragPreview().has_value());
}

INSTANTIATE_TEST_SUITE_P(Places,
                         TimelineDropTest,
                         ::testing::Values(DropCase{410, {"B", "A", "C"}},
                                           // after the last clip, and past the track's end
                                           DropCase{700, {"B", "C", "A"}},
                                           DropCase{839, {"B", "C", "A"}}));

TEST_F(SceneTimelineViewTest, ModifiersMakeClicksOfDrags)
{
    editor->selectOnly(id("A"));
    // Shift held through a 20-point drag: no move, a range selection on release.
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::ShiftModifier, center("C"));
    QTest::mouseEvent(QTest::MouseMove, view.get(), Qt::NoButton, Qt::ShiftModifier,
                      center("C") + QPoint(20, 0));
    EXPECT_FALSE(view->dragPreview().has_value());
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::ShiftModifier, center("C") + QPoint(20, 0));
    EXPECT_EQ(editor->selectedSceneIDs(), QSet<QString>({id("A"), id("B"), id("C")}));
    EXPECT_EQ(orderedTitles(*editor), QStringList({"A", "B", "C"}));

    QTest::mouseClick(view.get(), Qt::LeftButton, Qt::ControlModifier, center("B"));
    EXPECT_EQ(editor->selectedSceneIDs(), QSet<QString>({id("A"), id("C")}));
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, center("B"));
    EXPECT_EQ(editor->selectedSceneIDs(), QSet<QString>{id("B")});
}

struct ResizeCase
{
    ClipEdge edge;
    int dx;
    double seconds;
};

class TimelineResizeTest : public SceneTimelineViewTest,
                           public ::testing::WithParamInterface<ResizeCase>
{
};

TEST_P(TimelineResizeTest, TheEdgeFollowsTheScaleOfTheDragStartAndCommitsOnce)
{
    // 20 s over 800 points: 0.025 s a point for the whole drag, though the total changes.
    const ResizeCase &param = GetParam();
    const QRectF clip = TimelineHit::clipRect(view->layout(), 1);
    const QPoint grip = TimelineHit::gripRect(clip, param.edge).center().toPoint();
    QTest::mouseMove(view.get(), clip.center().toPoint());
    EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(view.get(), grip);
    EXPECT_EQ(view->cursor().shape(), Qt::SizeHorCursor);

    drag(grip, grip + QPoint(param.dx, 0));
    EXPECT_DOUBLE_EQ(editor->project().scenes.at(1).durationSeconds, param.seconds);
    EXPECT_FALSE(view->resizeState().has_value());
    EXPECT_FALSE(editor->isDraggingDuration());
    editor->undo();
    EXPECT_EQ(editor->project().scenes.at(1).durationSeconds, 5);
    EXPECT_FALSE(editor->canUndo());
}

INSTANTIATE_TEST_SUITE_P(Edges,
                         TimelineResizeTest,
                         ::testing::Values(ResizeCase{ClipEdge::trailing, 40, 6},
                                           ResizeCase{ClipEdge::trailing, -40, 4},
                                           // dragging the leading edge right shortens
                                           ResizeCase{ClipEdge::leading, 40, 4},
                                           ResizeCase{ClipEdge::leading, -80, 7},
                                           // never below half a second
                                           ResizeCase{ClipEdge::leading, 400, 0.5}));

TEST_F(SceneTimelineViewTest, InsertControlsAddBeforeTheNextSceneOrAtTheEnd)
{
    action(view->insertMenu(0), "Title card")->trigger();
    EXPECT_EQ(orderedTitles(*editor).size(), 4);
    EXPECT_EQ(editor->project().orderedScenes().at(1).type, SceneType::titleCard);
    action(view->insertMenu(3), "Summary")->trigger();
    EXPECT_EQ(editor->project().orderedScenes().constLast().type, SceneType::summary);
}

TEST_F(SceneTimelineViewTest, SceneMenuActsOnTheClickedScene)
{
    editor->selectOnly(id("C"));
    QMenu *menu = view->sceneMenu(id("A"));
    QAction *typeMenu = action(menu, "Scene Type");
    ASSERT_TRUE(typeMenu && typeMenu->menu());
    EXPECT_TRUE(action(typeMenu->menu(), "No visual yet")->isChecked());
    action(typeMenu->menu(), "Talking head")->trigger();
    EXPECT_EQ(editor->project().orderedScenes().at(0).type, SceneType::talkingHead);

    // Moving selects the scene alone first.
    action(view->sceneMenu(id("A")), "Move Later")->trigger();
    EXPECT_EQ(orderedTitles(*editor), QStringList({"B", "A", "C"}));
    EXPECT_EQ(editor->selectedSceneIDs(), QSet<QString>{id("A")});

    action(view->sceneMenu(id("B")), "Delete (Keep Text)")->trigger();
    EXPECT_EQ(orderedTitles(*editor), QStringList({"A", "C"}));
    EXPECT_TRUE(editor->documentText().contains("Second."));
}

// Whatever chooses a clip tells the script to show its scene; a right-click selects the clip its
// menu will act on (and leaves a selection that already holds it).
TEST_F(SceneTimelineViewTest, ClicksKeysAndRightClicksChooseTheClipForTheScript)
{
    QSignalSpy chosen(view.get(), &SceneTimelineView::sceneChosen);
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, center("B"));
    view->setFocus();
    QTest::keyClick(view.get(), Qt::Key_Right);

    QContextMenuEvent onA(QContextMenuEvent::Mouse, center("A"), view->mapToGlobal(center("A")));
    QApplication::sendEvent(view.get(), &onA);
    EXPECT_EQ(editor->selectedSceneIDs(), QSet<QString>{id("A")});
    for (QMenu *menu : view->findChildren<QMenu *>())
        menu->close();
    editor->selectRange(id("C"));
    QContextMenuEvent onB(QContextMenuEvent::Mouse, center("B"), view->mapToGlobal(center("B")));
    QApplication::sendEvent(view.get(), &onB);
    EXPECT_EQ(editor->selectedSceneIDs().size(), 3);
    for (QMenu *menu : view->findChildren<QMenu *>())
        menu->close();

    QStringList ids;
    for (const QList<QVariant> &signal : std::as_const(chosen))
        ids << signal.first().toString();
    EXPECT_EQ(ids, QStringList({id("B"), id("C"), id("A")}));
}

TEST_F(SceneTimelineViewTest, KeysStepExtendAndDeleteTheSelection)
{
    editor->selectOnly(id("A"));
    view->setFocus();
    QTest::keyClick(view.get(), Qt::Key_Right);
    EXPECT_EQ(editor->selectedSceneIDs(), QSet<QString>{id("B")});
    QTest::keyClick(view.get(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(view.get(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(view.get(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(editor->selectedSceneIDs(), QSet<QString>({id("A"), id("B")}));
    EXPECT_EQ(editor->selectedSceneID(), id("A"));
    // The ends hold.
    QTest::keyClick(view.get(), Qt::Key_Left);
    EXPECT_EQ(editor->selectedSceneID(), id("A"));

    QTest::keyClick(view.get(), Qt::Key_Delete);
    EXPECT_EQ(orderedTitles(*editor), QStringList({"B", "C"}));
    EXPECT_TRUE(editor->documentText().contains("First."));
}

TEST_F(SceneTimelineViewTest, DoubleClickAsksForTheInspectorBesideTheClip)
{
    QSignalSpy requests(view.get(), &SceneTimelineView::inspectorRequested);
    QTest::mouseDClick(view.get(), Qt::LeftButton, {}, center("B"));
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests.at(0).at(0).toString(), id("B"));
    EXPECT_TRUE(requests.at(0).at(1).toRect().contains(view->mapToGlobal(center("B"))));
}

class GhostTimelineTest : public SceneTimelineViewTest,
                          public ::testing::WithParamInterface<QString>
{
};

TEST_P(GhostTimelineTest, WithoutScenesEveryBoundaryStillInserts)
{
    showTimeline(savedProject(GetParam()));
    const TimelineLayout &layout = view->layout();
    ASSERT_TRUE(std::ranges::none_of(layout.items, &TimelineItem::isScene));
    if (layout.items.isEmpty()) {
        const QSizeF size = view->size();
        EXPECT_EQ(
            TimelineHit::at(layout, size, TimelineHit::emptyInsertControlRect(size).center()).kind,
            TimelineHit::Kind::insertControl);
    } else {
        for (qsizetype i = 0; i < layout.items.size(); ++i) {
            EXPECT_EQ(TimelineHit::at(layout, view->size(),
                                      TimelineHit::insertControlRect(layout, i).center()),
                      (TimelineHit{TimelineHit::Kind::insertControl, i, ClipEdge::trailing}));
        }
        // A click on a ghost takes the caret to its first paragraph.
        QTest::mouseClick(view.get(), Qt::LeftButton, {}, view->clipCenter(0));
        ASSERT_TRUE(editor->documentReveal().has_value());
        EXPECT_EQ(editor->documentReveal()->range.location, 0);
    }
    action(view->insertMenu(layout.items.isEmpty() ? -1 : 0), "UI demo")->trigger();
    ASSERT_EQ(editor->project().scenes.size(), 1);
    EXPECT_EQ(editor->project().scenes.constFirst().type, SceneType::uiDemo);
}

INSTANTIATE_TEST_SUITE_P(Scripts,
                         GhostTimelineTest,
                         ::testing::Values(QString(),
                                           QString("Draft words.\n\nMore draft words.")));

class TimelineCollapseTest : public SceneTimelineViewTest,
                             public ::testing::WithParamInterface<TimelineScrollMode>
{
};

TEST_P(TimelineCollapseTest, ScrollingShrinksToTheStripUntilASecondOfStillness)
{
    preferences.setTimelineScrollMode(GetParam());
    const bool fades = GetParam() == TimelineScrollMode::fadeOnScroll;
    const int collapsed = fades ? int(TimelineHit::miniStripHeight) : int(TimelineHit::height);
    view->noteScriptScrolled();
    EXPECT_EQ(view->height(), collapsed);
    scheduler.advance(600);
    view->noteScriptScrolled();
    scheduler.advance(999);
    EXPECT_EQ(view->height(), collapsed);
    // A click meant for a clip does nothing to the strip.
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, QPoint(600, 3));
    EXPECT_EQ(editor->selectedSceneID(), id("A"));
    scheduler.advance(1);
    EXPECT_EQ(view->height(), int(TimelineHit::height));

    // The choice made while collapsed takes effect at once.
    view->noteScriptScrolled();
    preferences.setTimelineScrollMode(fades ? TimelineScrollMode::alwaysShow
                                            : TimelineScrollMode::fadeOnScroll);
    EXPECT_EQ(view->height(), fades ? int(TimelineHit::height) : int(TimelineHit::miniStripHeight));
}

INSTANTIATE_TEST_SUITE_P(Modes,
                         TimelineCollapseTest,
                         ::testing::Values(TimelineScrollMode::fadeOnScroll,
                                           TimelineScrollMode::alwaysShow));

// With a player attached the timeline's keys drive it while the film plays (and only then do
// Left and Right jump instead of selecting), and the playhead sits inside the playing clip.
TEST_F(SceneTimelineViewTest, PlayerKeysAndPlayhead)
{
    class HandClock final : public PlaybackClock
    {
    public:
        qint64 nowMs() const override { return 0; }
    } clock;
    PlayerViewModel player(clock);
    NarrationCache cache({});
    SceneNarrations narrations(cache);
    view->attachPlayback(player, narrations);
    QSignalSpy playRequests(view.get(), &SceneTimelineView::playRequested);
    editor->selectOnly(id("A"));

    QTest::keyClick(view.get(), Qt::Key_Space);
    EXPECT_EQ(playRequests.count(), 1);
    player.play(editor->project(), id("B"));
    EXPECT_EQ(TimelinePlayback::playheadX(view->layout(), player), 200.0);

    QTest::keyClick(view.get(), Qt::Key_Right);
    EXPECT_EQ(player.scene()->id, id("C"));
    EXPECT_EQ(editor->selectedSceneID(), id("A"));
    QTest::keyClick(view.get(), Qt::Key_Space);
    EXPECT_EQ(player.state(), PlayerViewModel::State::paused);
    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_EQ(player.state(), PlayerViewModel::State::stopped);
    EXPECT_EQ(TimelinePlayback::playheadX(view->layout(), player), std::nullopt);
    QTest::keyClick(view.get(), Qt::Key_Right);
    EXPECT_EQ(editor->selectedSceneID(), id("B"));
}

} // namespace
} // namespace veskel::test
