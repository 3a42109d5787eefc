#include "EditorTestSupport.h"

#include "StoryboardCore/Storage/ProjectPackagePaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>

#include <cmath>
#include <limits>

using namespace veskel;
using namespace veskel::test;

namespace {

using EditorTest = EditorFixture;

QSet<QString> set(std::initializer_list<QString> ids)
{
    return QSet<QString>(ids);
}

// MARK: opening

TEST_F(EditorTest, OpensWithTheFirstSceneSelectedAndTheDocumentGenerated)
{
    auto editor = openScript();
    const QString one = sceneID(*editor, "One");
    EXPECT_EQ(editor->selectedSceneIDs(), set({one}));
    EXPECT_EQ(editor->selectedSceneID(), one);
    EXPECT_EQ(editor->selectionAnchorID(), one);
    EXPECT_EQ(editor->documentText(), threeSceneScript());
    EXPECT_FALSE(editor->canUndo());
    EXPECT_FALSE(editor->hasPendingSave());

    auto empty = openScript(QString());
    EXPECT_TRUE(empty->selectedSceneIDs().isEmpty());
    EXPECT_FALSE(empty->selectedSceneID());
}

// MARK: typing

TEST_F(EditorTest, FiveKeystrokesWithinASecondAreOneUndoStep)
{
    auto editor = openScript();
    const EditorSnapshot before = editor->currentSnapshot();
    const QString textBefore = editor->documentText();
    QString text = textBefore;
    for (QChar c : QStringLiteral("Hello")) {
        text += c;
        editor->applyDocumentText(text);
        scheduler.advance(200);
    }
    EXPECT_TRUE(editor->isTypingRunOpen());
    scheduler.advance(1000);
    EXPECT_FALSE(editor->isTypingRunOpen());
    ASSERT_EQ(editor->undoStack().undoStack().size(), 1);

    editor->undo();
    EXPECT_EQ(editor->documentText(), textBefore);
    EXPECT_EQ(editor->currentSnapshot(), before);
    EXPECT_FALSE(editor->canUndo());
}

TEST_F(EditorTest, ARunOfTypingEndsOneSecondAfterTheLastKeystroke)
{
    auto editor = openScript();
    editor->applyDocumentText(editor->documentText() + "a");
    scheduler.advance(999);
    EXPECT_TRUE(editor->isTypingRunOpen());
    EXPECT_FALSE(editor->canUndo());
    scheduler.advance(1);
    EXPECT_FALSE(editor->isTypingRunOpen());
    EXPECT_TRUE(editor->canUndo());

    editor->applyDocumentText(editor->documentText() + "b");
    scheduler.advance(1000);
    EXPECT_EQ(editor->undoStack().undoStack().size(), 2);
}

TEST_F(EditorTest, TypingThenAddingASceneGivesTwoUndoSteps)
{
    auto editor = openScript();
    const QString textBefore = editor->documentText();
    editor->applyDocumentText(textBefore + "Typed.");
    scheduler.advance(300);
    editor->insertScene(sceneID(*editor, "Two"), SceneType::placeholder);
    EXPECT_EQ(editor->undoStack().undoStack().size(), 2);

    editor->undo();
    EXPECT_EQ(orderedTitles(*editor), QStringList({"One", "Two", "Three"}));
    EXPECT_TRUE(editor->documentText().endsWith("here.\nTyped.\n"));
    editor->undo();
    EXPECT_EQ(editor->documentText(), textBefore);
}

TEST_F(EditorTest, TheTypedTextIsKeptAsTypedAndNotRegenerated)
{
    auto editor = openScript(QString());
    // The generator would write one blank line between paragraphs and end with a line feed.
    const QString typed = QStringLiteral("# A\n\n\n\nbody   \n>  slide");
    QSignalSpy textChanges(editor.get(), &ProjectEditorViewModel::documentTextChanged);
    editor->applyDocumentText(typed);
    EXPECT_EQ(editor->documentText(), typed);
    EXPECT_EQ(textChanges.count(), 1);
    ASSERT_EQ(editor->project().scenes.size(), 1);
    EXPECT_EQ(editor->project().scenes.at(0).onScreenText, QStringLiteral("slide"));
    EXPECT_EQ(editor->project().scenes.at(0).marker.title, QStringLiteral("S001 · A"));
}

TEST_F(EditorTest, TheSameTextChangesNothing)
{
    auto editor = openScript();
    QSignalSpy projectChanges(editor.get(), &ProjectEditorViewModel::projectChanged);
    editor->applyDocumentText(editor->documentText());
    // Line ends are read as the codec reads them: CR LF is LF.
    QString crlf = editor->documentText();
    editor->applyDocumentText(crlf.replace("\n", "\r\n"));
    EXPECT_EQ(projectChanges.count(), 0);
    EXPECT_FALSE(editor->isTypingRunOpen());
    EXPECT_FALSE(editor->hasPendingSave());
}

TEST_F(EditorTest, RemovingTheSelectedHeadingSelectsTheFirstScene)
{
    auto editor = openScript();
    editor->selectOnly(sceneID(*editor, "Two"));
    editor->toggleSelection(sceneID(*editor, "Three"));
    QString text = editor->documentText();
    editor->applyDocumentText(text.replace("# Three\n", ""));
    // Three, the primary, is gone: the first scene is selected alone.
    const QString one = sceneID(*editor, "One");
    EXPECT_EQ(editor->selectedSceneIDs(), set({one}));
    EXPECT_EQ(editor->selectedSceneID(), one);
    EXPECT_EQ(editor->selectionAnchorID(), one);

    // A selected scene that stays keeps its place when the primary is not lost.
    editor->toggleSelection(sceneID(*editor, "Two"));
    text = editor->documentText();
    editor->applyDocumentText(text.replace("# One\n", ""));
    EXPECT_EQ(editor->selectedSceneIDs(), set({sceneID(*editor, "Two")}));
    EXPECT_EQ(editor->selectedSceneID(), sceneID(*editor, "Two"));

    editor->applyDocumentText("No headings at all.");
    EXPECT_TRUE(editor->selectedSceneIDs().isEmpty());
    EXPECT_FALSE(editor->selectedSceneID());
    editor->applyDocumentText("# Fresh\n\nText.");
    EXPECT_EQ(editor->selectedSceneID(), sceneID(*editor, "Fresh"));
}

// MARK: saving

TEST_F(EditorTest, ABurstOfEditsSavesOnce045SecondsAfterTheLast)
{
    auto editor = openScript();
    editor->applyDocumentText(editor->documentText() + "a");
    scheduler.advance(300);
    editor->setSelectedSceneType(SceneType::titleCard);
    scheduler.advance(449);
    EXPECT_TRUE(changes.isEmpty());
    scheduler.advance(1);
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes.at(0), editor->project());
    EXPECT_EQ(onDisk(editor->project()).scenes.size(), 3);
    EXPECT_EQ(onDisk(editor->project()).scriptBlocks.constLast().text,
              QStringLiteral("Third scene voiceover here.\na"));
    EXPECT_FALSE(editor->hasPendingSave());
}

TEST_F(EditorTest, AFailedSaveKeepsTheProjectAndTheNextSaveRetries)
{
    auto editor = openScript();
    const QString package = *store.packagePath(editor->project());
    const QString hidden = dir.path() + "/moved-away";
    ASSERT_TRUE(QDir().rename(package, hidden));

    editor->setSelectedSceneType(SceneType::summary);
    const StoryboardProject edited = editor->project();
    scheduler.advance(450);
    ASSERT_TRUE(editor->saveError());
    EXPECT_EQ(*editor->saveError(), QStringLiteral("Project not found: Film."));
    EXPECT_EQ(editor->project(), edited);
    EXPECT_TRUE(changes.isEmpty());

    ASSERT_TRUE(QDir().rename(hidden, package));
    editor->setSelectedSceneDuration(8);
    scheduler.advance(450);
    EXPECT_FALSE(editor->saveError());
    EXPECT_EQ(onDisk(editor->project()).scenes.at(0).type, SceneType::summary);
}

TEST_F(EditorTest, ClosingWritesThePendingSaveAndEndsTheTypingRun)
{
    auto editor = openScript();
    editor->applyDocumentText(editor->documentText() + "Last words.");
    editor->close();
    EXPECT_FALSE(editor->hasPendingSave());
    EXPECT_FALSE(editor->isTypingRunOpen());
    EXPECT_TRUE(editor->canUndo());
    EXPECT_EQ(scheduler.pendingCount(), 0);
    EXPECT_EQ(onDisk(editor->project()).scriptBlocks.constLast().text,
              QStringLiteral("Third scene voiceover here.\nLast words."));
}

TEST_F(EditorTest, DestroyingTheEditorFlushesAndLeavesNoTimerBehind)
{
    StoryboardProject project = savedProject(threeSceneScript());
    {
        auto editor = open(project);
        editor->applyDocumentText(editor->documentText() + "Gone.");
    }
    EXPECT_EQ(scheduler.pendingCount(), 0);
    EXPECT_EQ(changes.size(), 1);
    EXPECT_TRUE(onDisk(project).scriptBlocks.constLast().text.endsWith("Gone."));
    scheduler.advance(5000);
}

TEST_F(EditorTest, ClosingDuringADurationDragKeepsTheNewDuration)
{
    auto editor = openScript();
    editor->resizeScene(sceneID(*editor, "Two"), 12);
    editor->close();
    EXPECT_FALSE(editor->isDraggingDuration());
    EXPECT_EQ(onDisk(editor->project()).orderedScenes().at(1).durationSeconds, 12);
    EXPECT_TRUE(editor->canUndo());
}

// MARK: duration drags

TEST_F(EditorTest, ADragIsOneUndoStepAndNeitherRegeneratesNorSavesUntilReleased)
{
    auto editor = openScript();
    const QString two = sceneID(*editor, "Two");
    QSignalSpy textChanges(editor.get(), &ProjectEditorViewModel::documentTextChanged);
    for (double seconds : {3.0, 4.0, 6.5})
        editor->resizeScene(two, seconds);
    EXPECT_EQ(scheduler.pendingCount(), 0);
    EXPECT_TRUE(changes.isEmpty());
    EXPECT_FALSE(editor->canUndo());
    EXPECT_EQ(editor->project().orderedScenes().at(1).durationSeconds, 6.5);
    EXPECT_EQ(editor->project().orderedScenes().at(1).marker.title, QStringLiteral("S002 · Two"));

    editor->commitSceneDuration();
    EXPECT_EQ(changes.size(), 1);
    EXPECT_EQ(editor->undoStack().undoStack().size(), 1);
    EXPECT_EQ(textChanges.count(), 0);
    editor->undo();
    EXPECT_EQ(editor->project().orderedScenes().at(1).durationSeconds, 2);
}

TEST_F(EditorTest, ADragThatChangesNothingRecordsNoStepButStillSaves)
{
    auto editor = openScript();
    const QString two = sceneID(*editor, "Two");
    editor->resizeScene(two, 2.00005);
    editor->resizeScene(two, 1.99995);
    editor->commitSceneDuration();
    EXPECT_FALSE(editor->canUndo());
    EXPECT_EQ(changes.size(), 1);
    EXPECT_EQ(editor->project().orderedScenes().at(1).durationSeconds, 2);
}

// The values, dragged and typed: SceneDurationsTests.
TEST_F(EditorTest, ADraggedDurationIsBoundedAndNaNIsNone)
{
    auto editor = openScript();
    const QString one = sceneID(*editor, "One");
    editor->resizeScene(one, std::numeric_limits<double>::quiet_NaN());
    EXPECT_FALSE(editor->isDraggingDuration());
    editor->resizeScene(one, 5000);
    editor->commitSceneDuration();
    EXPECT_EQ(editor->project().orderedScenes().at(0).durationSeconds, 3600);
}

// MARK: selection

TEST_F(EditorTest, TogglingKeepsASelectionAndMovesThePrimaryInSceneOrder)
{
    auto editor = openScript();
    const QString one = sceneID(*editor, "One");
    const QString two = sceneID(*editor, "Two");
    const QString three = sceneID(*editor, "Three");

    editor->toggleSelection(three);
    editor->toggleSelection(two);
    EXPECT_EQ(editor->selectedSceneIDs(), set({one, two, three}));
    EXPECT_EQ(editor->selectedSceneID(), two);
    EXPECT_EQ(editor->orderedSelection(), QList<QString>({one, two, three}));

    editor->toggleSelection(two);
    EXPECT_EQ(editor->selectedSceneID(), one);
    EXPECT_EQ(editor->selectionAnchorID(), two);
    editor->toggleSelection(one);
    editor->toggleSelection(three);
    // The last selected scene stays selected.
    EXPECT_EQ(editor->selectedSceneIDs(), set({three}));
    EXPECT_EQ(editor->selectedSceneID(), three);
}

TEST_F(EditorTest, ShiftClickSelectsFromTheAnchorWhichStays)
{
    auto editor = openScript(threeSceneScript() + "\n# Four\n\nFour.\n");
    const QString one = sceneID(*editor, "One");
    const QString two = sceneID(*editor, "Two");
    const QString three = sceneID(*editor, "Three");
    const QString four = sceneID(*editor, "Four");

    editor->selectOnly(two);
    editor->selectRange(four);
    EXPECT_EQ(editor->selectedSceneIDs(), set({two, three, four}));
    EXPECT_EQ(editor->selectedSceneID(), four);
    editor->selectRange(one);
    EXPECT_EQ(editor->selectedSceneIDs(), set({one, two}));
    EXPECT_EQ(editor->selectionAnchorID(), two);

    editor->selectOnly("no such scene");
    EXPECT_EQ(editor->selectedSceneID(), one);
    // An anchor that is gone makes a range a plain click.
    editor->selectOnly(three);
    editor->selectRange(four);
    editor->deleteScene(three);
    EXPECT_EQ(editor->selectedSceneIDs(), set({four}));
    editor->selectRange(one);
    EXPECT_EQ(editor->selectedSceneIDs(), set({one}));
    EXPECT_EQ(editor->selectionAnchorID(), one);
}

// MARK: inserting, duplicating, deleting, moving

TEST_F(EditorTest, ANewSceneGoesBeforeItsTargetAndItsHeadingIsSelectedForTyping)
{
    auto editor = openScript();
    editor->insertScene(sceneID(*editor, "Two"), SceneType::titleCard);
    EXPECT_EQ(orderedTitles(*editor), QStringList({"One", "New scene", "Two", "Three"}));
    const Scene added = *editor->selectedScene();
    EXPECT_EQ(added.type, SceneType::titleCard);
    EXPECT_EQ(added.durationSeconds, 5);
    EXPECT_EQ(added.marker.title, QStringLiteral("S002 · New scene"));
    EXPECT_EQ(editor->selectedSceneIDs(), set({added.id}));
    ASSERT_TRUE(editor->documentReveal());
    EXPECT_TRUE(editor->documentReveal()->select);
    const TextRange range = editor->documentReveal()->range;
    EXPECT_EQ(editor->documentText().mid(range.location, range.length), "New scene");

    // Typing over the selection names the scene; it keeps its heading, its place and its type.
    QString typed = editor->documentText();
    typed.replace(range.location, range.length, "Milling");
    editor->applyDocumentText(typed);
    EXPECT_EQ(orderedTitles(*editor), QStringList({"One", "Milling", "Two", "Three"}));
    EXPECT_EQ(editor->selectedScene()->id, added.id);
    EXPECT_EQ(editor->selectedScene()->type, SceneType::titleCard);

    const QString firstToken = editor->documentReveal()->token;
    InterfaceTranslation::apply(ResolvedLanguage::russian);
    editor->insertSceneAfter(sceneID(*editor, "Three"), SceneType::placeholder);
    EXPECT_EQ(orderedTitles(*editor).constLast(), QStringLiteral("Новая сцена"));
    EXPECT_NE(editor->documentReveal()->token, firstToken);
}

TEST_F(EditorTest, ADuplicateGetsItsOwnImageFile)
{
    auto editor = openScript();
    ASSERT_TRUE(writePNG(dir.path() + "/ref.png"));
    editor->attachImage(dir.path() + "/ref.png");
    const Scene source = *editor->selectedScene();
    editor->duplicateScene(source.id);
    const Scene copy = *editor->selectedScene();
    EXPECT_EQ(orderedTitles(*editor), QStringList({"One", "One (copy)", "Two", "Three"}));
    ASSERT_TRUE(copy.image);
    EXPECT_EQ(copy.image->localPath, copy.id + ".png");

    // Taking the copy's image away leaves the source's file alone; the copy's own file goes
    // when the editor closes, as nothing can bring it back then.
    editor->removeAttachedImage();
    const QString media = ProjectPackagePaths::mediaPath(*store.packagePath(editor->project()));
    EXPECT_TRUE(QFileInfo::exists(media + "/" + source.image->localPath));
    EXPECT_EQ(*editor->sceneImagePath(source), media + "/" + source.image->localPath);
    editor->close();
    EXPECT_TRUE(QFileInfo::exists(media + "/" + source.image->localPath));
    EXPECT_FALSE(QFileInfo::exists(media + "/" + copy.image->localPath));
}

TEST_F(EditorTest, DeletingThePrimarySelectsTheFirstAndDeletingTheLastClears)
{
    auto editor = openScript();
    const QString one = sceneID(*editor, "One");
    const QString two = sceneID(*editor, "Two");
    editor->selectOnly(two);
    editor->toggleSelection(one);
    editor->deleteScene(one);
    EXPECT_EQ(editor->selectedSceneIDs(), set({two}));
    EXPECT_EQ(editor->selectedSceneID(), two);

    editor->selectOnly(sceneID(*editor, "Three"));
    editor->deleteScene(two);
    // Not the primary: the selection stays.
    EXPECT_EQ(editor->selectedSceneID(), sceneID(*editor, "Three"));
    editor->deleteSelectedScene();
    EXPECT_TRUE(editor->project().scenes.isEmpty());
    EXPECT_TRUE(editor->selectedSceneIDs().isEmpty());
    EXPECT_FALSE(editor->selectedSceneID());
    EXPECT_FALSE(editor->selectionAnchorID());
    EXPECT_TRUE(editor->documentText().contains("Third scene voiceover here."));
}

TEST_F(EditorTest, MovingLaterFromTheSecondToLastGoesToTheEnd)
{
    auto editor = openScript();
    editor->selectOnly(sceneID(*editor, "Two"));
    editor->moveSelectedSceneLater();
    EXPECT_EQ(orderedTitles(*editor), QStringList({"One", "Three", "Two"}));
    EXPECT_TRUE(
        editor->documentText().endsWith("# Two\n\nSecond scene voiceover.\n\n// note two\n"));
    // Already last; already first: nothing.
    editor->moveSelectedSceneLater();
    editor->selectOnly(sceneID(*editor, "One"));
    editor->moveSelectedSceneEarlier();
    EXPECT_EQ(editor->undoStack().undoStack().size(), 1);
    editor->moveSelectedSceneLater();
    EXPECT_EQ(orderedTitles(*editor), QStringList({"Three", "One", "Two"}));
    EXPECT_EQ(editor->project().orderedScenes().at(0).marker.title, "S001 · Three");
}

TEST_F(EditorTest, MovingASceneBeforeItselfOrAnUnknownSceneToTheEnd)
{
    auto editor = openScript();
    const QString one = sceneID(*editor, "One");
    editor->moveSceneBlocks(one, one);
    EXPECT_FALSE(editor->canUndo());
    editor->moveSceneBlocks(one, QStringLiteral("nowhere"));
    EXPECT_EQ(orderedTitles(*editor), QStringList({"Two", "Three", "One"}));
    editor->moveSceneBlocks("nowhere", one);
    EXPECT_EQ(editor->undoStack().undoStack().size(), 1);
}

TEST_F(EditorTest, RecalculatingTakesTheEstimateOfTheVoiceover)
{
    auto editor = openScript("# Long\n\n" + words(140) + "\n\n// a note that is not read\n");
    const QString id = sceneID(*editor, "Long");
    editor->updateScene(id, [](Scene &s) { s.durationSeconds = 3; });
    editor->recalculateDuration(id);
    EXPECT_EQ(editor->selectedSceneDuration(), 60);
    EXPECT_EQ(editor->selectedScene()->marker.title, "S001 · Long");
    editor->recalculateDuration("missing");
    EXPECT_EQ(editor->undoStack().undoStack().size(), 2);
}

TEST_F(EditorTest, EditsOfMissingScenesDoNothing)
{
    auto editor = openScript();
    const EditorSnapshot before = editor->currentSnapshot();
    editor->updateScene("missing", [](Scene &s) { s.title = "x"; });
    editor->deleteScene("missing");
    editor->duplicateScene("missing");
    editor->resizeScene("missing", 9);
    editor->commitSceneDuration();
    // Setting what is already there is no edit either.
    editor->setSelectedSceneType(SceneType::placeholder);
    EXPECT_EQ(editor->currentSnapshot(), before);
    EXPECT_FALSE(editor->canUndo());
}

// MARK: images

TEST_F(EditorTest, AFailedImageAttachReportsTheStoreAndChangesNothing)
{
    auto editor = openScript();
    const EditorSnapshot before = editor->currentSnapshot();
    editor->attachImage(writeBytes(dir.path() + "/notes.txt", "not an image"));
    EXPECT_EQ(
        editor->saveError(),
        QStringLiteral("Unsupported image format: .txt. Use PNG, JPEG, WebP, GIF, SVG, or PDF."));
    EXPECT_EQ(editor->currentSnapshot(), before);
    EXPECT_FALSE(editor->canUndo());

    ASSERT_TRUE(writePNG(dir.path() + "/ok.png", 64, 48));
    editor->attachImage(dir.path() + "/ok.png");
    EXPECT_FALSE(editor->saveError());
    EXPECT_EQ(changes.size(), 1);
    ASSERT_TRUE(editor->selectedScene()->image);
    EXPECT_EQ(editor->selectedScene()->image->width, 64);
    EXPECT_TRUE(onDisk(editor->project()).orderedScenes().at(0).image.has_value());
}

TEST_F(EditorTest, ImageFileNamesThatLeaveMediaAreNoImage)
{
    StoryboardProject project = savedProject(threeSceneScript());
    project.scenes[0].image
        = SceneImage{"I", "x.png", "../../outside.png", SceneImage::MimeType::png, 1, 1};
    auto editor = open(project);
    EXPECT_FALSE(editor->sceneImagePath(editor->project().scenes.at(0)));
    EXPECT_FALSE(editor->sceneImagePath(editor->project().scenes.at(1)));
}

// MARK: import

TEST_F(EditorTest, ImportingBlankTextOrAnUnreadableFileOnlySetsTheMessage)
{
    auto editor = openScript();
    const EditorSnapshot before = editor->currentSnapshot();
    editor->importScript(" \n\t ");
    EXPECT_EQ(editor->saveError(), QStringLiteral("The script text is empty."));
    InterfaceTranslation::apply(ResolvedLanguage::russian);
    editor->importScriptFile(dir.path() + "/missing.md");
    EXPECT_EQ(editor->saveError(), QStringLiteral("Не удалось прочитать файл сценария."));
    editor->importScript(QString());
    EXPECT_EQ(editor->saveError(), QStringLiteral("Текст сценария пуст."));
    editor->importScriptFile(writeBytes(dir.path() + "/latin1.md", "caf\xe9\n"));
    EXPECT_EQ(editor->saveError(), QStringLiteral("Не удалось прочитать файл сценария."));
    EXPECT_EQ(editor->currentSnapshot(), before);
    EXPECT_FALSE(editor->canUndo());
}

TEST_F(EditorTest, ImportedScenesContinueTheNumberingAndTheFirstIsSelected)
{
    auto editor = openScript();
    editor->importScript("[визуал: Intro]\nHello there.\n\n[визуал: Outro]\nGoodbye.\n");
    const QList<Scene> ordered = editor->project().orderedScenes();
    ASSERT_EQ(ordered.size(), 5);
    EXPECT_EQ(ordered.at(3).marker.title.left(5), "S004 ");
    EXPECT_EQ(editor->selectedSceneID(), ordered.at(3).id);
    EXPECT_TRUE(editor->hasPendingSave());
}

TEST_F(EditorTest, PastingBlankTextIsIgnored)
{
    auto editor = openScript();
    editor->pasteScript("  \n ");
    EXPECT_FALSE(editor->saveError());
    editor->pasteScript("  Pasted paragraph.  ");
    EXPECT_EQ(editor->project().scriptBlocks.constLast().text, "Pasted paragraph.");
}

// MARK: search and replace

TEST_F(EditorTest, AReplaceIsOneStepAndAStaleHitIsLeftAlone)
{
    auto editor = openScript();
    const auto matches = editor->searchMatches(SearchQuery{"scene"});
    ASSERT_EQ(matches.size(), 2);
    editor->replaceMatch(matches.at(0), SearchQuery{"scene"}, "SHOT");
    EXPECT_TRUE(editor->documentText().contains("Second SHOT voiceover."));
    EXPECT_FALSE(editor->isTypingRunOpen());
    EXPECT_EQ(editor->undoStack().undoStack().size(), 1);

    // The text at the old hit no longer matches; a hit past the end is ignored.
    const QString text = editor->documentText();
    editor->replaceMatch(matches.at(0), SearchQuery{"scene"}, "x");
    editor->replaceMatch(ScriptSearchMatch{TextRange{text.size() - 1, 10}}, SearchQuery{"scene"}, "x");
    editor->replaceMatch(ScriptSearchMatch{TextRange{-4, 2}}, SearchQuery{"scene"}, "x");
    EXPECT_EQ(editor->documentText(), text);
    EXPECT_EQ(editor->undoStack().undoStack().size(), 1);

    editor->applyDocumentText(text + "typing");
    editor->replaceMatch(editor->searchMatches(SearchQuery{"typing"}).at(0), SearchQuery{"TYPING"}, "typed");
    // The open run became its own step before the replacement.
    EXPECT_EQ(editor->undoStack().undoStack().size(), 3);
    editor->undo();
    EXPECT_TRUE(editor->documentText().endsWith("typing\n"));
}

// MARK: reveals and markup

TEST_F(EditorTest, RevealingABlockPutsTheCaretAtItsStart)
{
    auto editor = openScript();
    const ScriptBlock &block = editor->project().scriptBlocks.at(2);
    QSignalSpy reveals(editor.get(), &ProjectEditorViewModel::documentRevealChanged);
    editor->revealBlock(block.id);
    editor->revealBlock(block.id);
    editor->revealBlock("missing");
    ASSERT_EQ(reveals.count(), 2);
    const DocumentReveal reveal = *editor->documentReveal();
    EXPECT_EQ(reveal.range.length, 0);
    EXPECT_TRUE(reveal.select);
    EXPECT_TRUE(editor->documentText().mid(reveal.range.location).startsWith("> Slide one"));
}

TEST_F(EditorTest, MarkupNamesBecomeCommandsWithFreshTokens)
{
    auto editor = openScript();
    editor->applyMarkup("heading");
    ASSERT_TRUE(editor->markupCommand());
    EXPECT_TRUE(editor->markupCommand()->kind.isHeading());
    const QString token = editor->markupCommand()->token;
    editor->applyMarkup("onScreen");
    EXPECT_EQ(editor->markupCommand()->kind, MarkupCommand::Kind::role(ScriptBlockRole::onScreen));
    EXPECT_NE(editor->markupCommand()->token, token);
    const MarkupCommand last = *editor->markupCommand();
    editor->applyMarkup("Heading");
    editor->applyMarkup("title");
    EXPECT_EQ(editor->markupCommand(), last);
}

// MARK: views

TEST_F(EditorTest, TimelineGhostsCoverDraftTextAndScenesWithoutTextStandWhereTheyAre)
{
    StoryboardProject project = savedProject(threeSceneScript());
    Scene bare = project.scenes.at(0);
    bare.id = QStringLiteral("BARE");
    bare.title = QStringLiteral("Bare");
    bare.order = 1;
    bare.durationSeconds = 9;
    project.scenes[1].order = 2;
    project.scenes[2].order = 3;
    project.scenes.append(bare);
    // A draft paragraph of blanks only and a note: the blank one is left out.
    project.scriptBlocks.append(ScriptBlock{"B1", "   ", ScriptBlockRole::voiceover, std::nullopt});
    project.scriptBlocks.append(
        ScriptBlock{"B2", "just a note", ScriptBlockRole::note, std::nullopt});
    auto editor = open(project);

    const QList<TimelineItem> items = editor->timelineItems();
    QStringList ids;
    for (const TimelineItem &item : items)
        ids << item.id();
    const QList<ScriptBlock> &blocks = editor->project().scriptBlocks;
    EXPECT_EQ(ids, QStringList({"ghost-" + blocks.at(0).id, sceneID(*editor, "One"), "BARE",
                                sceneID(*editor, "Two"), sceneID(*editor, "Three"), "ghost-B2"}));
    EXPECT_EQ(items.at(0).asGhost(),
              (TimelineGhost{"ghost-" + blocks.at(0).id, {blocks.at(0).id}, 2}));
    EXPECT_EQ(items.at(2).durationSeconds(), 9);
    // Only voiceover is timed: a note alone gets the shortest estimate.
    EXPECT_EQ(items.at(5).asGhost().blockIDs, QList<QString>({"B2"}));
    EXPECT_EQ(items.at(5).durationSeconds(), 2);
    EXPECT_TRUE(editor->documentText().contains("# One\n\nFirst voiceover with five words.\n\n"
                                                "> Slide one\n\n# Bare\n\n# Two"));
}

TEST_F(EditorTest, DraftGhostsAreTimedByTheirJoinedVoiceover)
{
    auto editor = openScript(words(70) + "\n\n" + words(70) + "\n\n# Scene\n\nText.\n");
    const auto items = editor->timelineItems();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items.at(0).asGhost().blockIDs.size(), 2);
    EXPECT_EQ(items.at(0).durationSeconds(), 60);
}

TEST_F(EditorTest, FollowingAndContainingSceneLookups)
{
    auto editor = openScript();
    const QString one = sceneID(*editor, "One");
    const QString two = sceneID(*editor, "Two");
    const QString three = sceneID(*editor, "Three");
    EXPECT_EQ(editor->sceneFollowing(one), two);
    EXPECT_EQ(editor->sceneFollowing(three), std::nullopt);
    EXPECT_EQ(editor->sceneFollowing("missing"), std::nullopt);

    const QString text = editor->documentText();
    const auto at = [&](const QString &needle) {
        return editor->scene(TextRange{text.indexOf(needle), 1});
    };
    EXPECT_FALSE(at("Draft line"));
    EXPECT_EQ(at("# One")->id, one);
    EXPECT_EQ(at("// note two")->id, two);
    EXPECT_EQ(at("here.")->id, three);
    // The blank line between two scenes belongs to neither.
    EXPECT_FALSE(editor->scene(TextRange{text.indexOf("# Two") - 1, 0}));
}

struct PreviewCase
{
    int width;
    int height;
    int maxDimension;
    int expectedWidth;
    int expectedHeight;
};

void PrintTo(const PreviewCase &c, std::ostream *os)
{
    *os << c.width << 'x' << c.height << " at most " << c.maxDimension;
}

class CardPreview : public EditorFixture, public ::testing::WithParamInterface<PreviewCase>
{
};

TEST_P(CardPreview, ScalesTheLongerSideDownToTheMaximum)
{
    StoryboardProject project = savedProject(threeSceneScript());
    project.videoSettings.width = GetParam().width;
    project.videoSettings.height = GetParam().height;
    project.exportSettings.includeUploadedImagesInCards = false;
    auto editor = open(project);
    const Scene two = editor->project().orderedScenes().at(1);
    const CardRenderInput input = editor->cardPreviewInput(two, GetParam().maxDimension);
    EXPECT_EQ(input.videoSettings.width, GetParam().expectedWidth);
    EXPECT_EQ(input.videoSettings.height, GetParam().expectedHeight);
    EXPECT_EQ(input.videoSettings.fps, 25);
    EXPECT_EQ(input.sceneIndex, 1);
    EXPECT_EQ(input.scene, two);
    EXPECT_FALSE(input.includeUploadedImage);
    EXPECT_EQ(input.mediaBasePath,
              ProjectPackagePaths::mediaPath(*store.packagePath(editor->project())));
}

INSTANTIATE_TEST_SUITE_P(Sizes,
                         CardPreview,
                         ::testing::Values(PreviewCase{3840, 2160, 480, 480, 270},
                                           PreviewCase{1080, 1920, 1280, 720, 1280},
                                           PreviewCase{1000, 333, 480, 480, 160},
                                           PreviewCase{320, 180, 480, 320, 180},
                                           PreviewCase{480, 270, 480, 480, 270}));

} // namespace
