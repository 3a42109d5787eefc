#include "VeskelApp/Editor/History/EditorUndoStack.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace veskel;

namespace {

// A distinct state per number: a project title plus a selection.
EditorSnapshot state(int n)
{
    EditorSnapshot snapshot;
    snapshot.project.id = QStringLiteral("P");
    snapshot.project.title = QStringLiteral("State %1").arg(n);
    Scene scene;
    scene.id = QStringLiteral("S%1").arg(n);
    scene.title = snapshot.project.title;
    snapshot.project.scenes = {scene};
    snapshot.selectedSceneIDs = {scene.id};
    snapshot.selectedSceneID = scene.id;
    snapshot.selectionAnchorID = scene.id;
    return snapshot;
}

QStringList titles(const QList<EditorSnapshot> &snapshots)
{
    QStringList result;
    for (const EditorSnapshot &s : snapshots)
        result << s.project.title;
    return result;
}

TEST(EditorUndoStack, RecordingTheSameStateTwiceKeepsOneEntry)
{
    EditorUndoStack stack;
    stack.record(state(1));
    stack.record(state(1));
    EXPECT_EQ(titles(stack.undoStack()), QStringList({"State 1"}));
}

TEST(EditorUndoStack, KeepsTheNewestFiftyStates)
{
    EditorUndoStack stack;
    for (int i = 1; i <= 51; ++i)
        stack.record(state(i));
    ASSERT_EQ(stack.undoStack().size(), 50);
    EXPECT_EQ(stack.undoStack().constFirst(), state(2));
    EXPECT_EQ(stack.undoStack().constLast(), state(51));
}

TEST(EditorUndoStack, UndoOrRedoWithoutHistoryGivesNothingAndKeepsTheOtherSide)
{
    EditorUndoStack stack;
    stack.record(state(1));
    EXPECT_FALSE(stack.redo(state(2)).has_value());
    ASSERT_EQ(stack.undo(state(2)), state(1));
    EXPECT_FALSE(stack.undo(state(1)).has_value());
    EXPECT_EQ(titles(stack.redoStack()), QStringList({"State 2"}));
    EXPECT_TRUE(stack.undoStack().isEmpty());
}

TEST(EditorUndoStack, UndoThenRedoReturnsToTheStateBeforeTheUndo)
{
    EditorUndoStack stack;
    stack.record(state(1));
    stack.record(state(2));
    const EditorSnapshot current = state(3);
    const auto undone = stack.undo(current);
    ASSERT_EQ(undone, state(2));
    const auto redone = stack.redo(*undone);
    ASSERT_EQ(redone, current);
    EXPECT_EQ(titles(stack.undoStack()), QStringList({"State 1", "State 2"}));
    EXPECT_TRUE(stack.redoStack().isEmpty());
}

TEST(EditorUndoStack, ANewRecordingAfterUndoForgetsTheRedoHistory)
{
    EditorUndoStack stack;
    stack.record(state(1));
    ASSERT_TRUE(stack.undo(state(2)));
    ASSERT_TRUE(stack.canRedo());
    stack.record(state(3));
    EXPECT_FALSE(stack.canRedo());
    EXPECT_EQ(titles(stack.undoStack()), QStringList({"State 3"}));
}

TEST(EditorUndoStack, RecordingTheLastStateAgainKeepsTheRedoHistory)
{
    EditorUndoStack stack;
    stack.record(state(1));
    stack.record(state(2));
    ASSERT_TRUE(stack.undo(state(3)));
    stack.record(state(1));
    EXPECT_EQ(titles(stack.redoStack()), QStringList({"State 3"}));
    EXPECT_EQ(titles(stack.undoStack()), QStringList({"State 1"}));
}

TEST(EditorUndoStack, RedoMayGrowTheHistoryPastTheLimitUntilTheNextRecording)
{
    EditorUndoStack stack(2);
    stack.record(state(1));
    stack.record(state(2));
    ASSERT_TRUE(stack.undo(state(3)));
    stack.record(state(4));
    ASSERT_TRUE(stack.undo(state(5)));
    ASSERT_TRUE(stack.redo(state(4)));
    EXPECT_EQ(titles(stack.undoStack()), QStringList({"State 1", "State 4"}));
    stack.record(state(6));
    EXPECT_EQ(titles(stack.undoStack()), QStringList({"State 4", "State 6"}));
}

TEST(EditorUndoStack, AnnouncesOnlyFlagsThatFlip)
{
    EditorUndoStack stack;
    QSignalSpy undoFlags(&stack, &EditorUndoStack::canUndoChanged);
    QSignalSpy redoFlags(&stack, &EditorUndoStack::canRedoChanged);

    stack.record(state(1));
    stack.record(state(2));
    EXPECT_EQ(undoFlags.count(), 1);
    EXPECT_EQ(redoFlags.count(), 0);

    ASSERT_TRUE(stack.undo(state(3))); // one left to undo, redo becomes possible
    EXPECT_EQ(undoFlags.count(), 1);
    ASSERT_EQ(redoFlags.count(), 1);
    EXPECT_TRUE(redoFlags.at(0).at(0).toBool());

    ASSERT_TRUE(stack.undo(state(2))); // history exhausted
    ASSERT_EQ(undoFlags.count(), 2);
    EXPECT_FALSE(undoFlags.at(1).at(0).toBool());

    stack.record(state(7)); // redo history dropped
    EXPECT_EQ(undoFlags.count(), 3);
    ASSERT_EQ(redoFlags.count(), 2);
    EXPECT_FALSE(redoFlags.at(1).at(0).toBool());
}

} // namespace
