// Another writer (veskel-cli, a sync tool, another editor) changes the open project's file: a
// clean editor takes the change over, an editor with unsaved work keeps both versions.

#include "EditorTestSupport.h"

#include "StoryboardCore/Script/ScriptDocumentEdit.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"
#include "VeskelApp/Editor/Saving/ProjectFileWatcher.h"

#include <QSignalSpy>
#include <QTest>

using namespace veskel;
using namespace veskel::test;

namespace {

class OutsideChange : public EditorFixture
{
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        editor = openScript();
        package = *store.packagePath(editor->project());
    }

    // What `veskel-cli edit` does: another store reads the file, changes it and saves.
    QByteArray writeOutside(const QString &script)
    {
        LocalProjectStore other(store.rootDirectory(), std::make_shared<KnownPackages>());
        StoryboardProject project = other.loadProject(package).value();
        ScriptDocumentEdit::apply(script, project);
        EXPECT_TRUE(other.saveProject(project).has_value());
        return readBytes(ProjectPackagePaths::projectJSONPath(package));
    }

    std::unique_ptr<ProjectEditorViewModel> editor;
    QString package;
};

TEST_F(OutsideChange, ACleanEditorTakesTheChangeOverAsOneUndoStep)
{
    const QString before = editor->documentText();
    editor->selectOnly(sceneID(*editor, "Two"));
    writeOutside(threeSceneScript().replace("Second scene voiceover.", "Rewritten outside."));
    editor->projectFileChanged();

    EXPECT_TRUE(editor->documentText().contains("Rewritten outside."));
    EXPECT_EQ(editor->selectedScene()->title, "Two") << "the selection stays where it exists";
    EXPECT_FALSE(editor->outsideCopy());
    editor->undo();
    EXPECT_EQ(editor->documentText(), before);
    // Our own save that undo wrote is no outside change.
    editor->projectFileChanged();
    EXPECT_EQ(editor->documentText(), before);
}

TEST_F(OutsideChange, UnsavedTypingKeepsBothVersionsAndListsTheCopy)
{
    QString typed = editor->documentText();
    typed.replace("Third scene voiceover here.", "Typed in the window.");
    editor->applyDocumentText(typed);
    ASSERT_TRUE(editor->hasUnsavedEdits());
    const QByteArray outsideBytes
        = writeOutside(threeSceneScript().replace("First voiceover", "Outside voiceover"));

    editor->projectFileChanged();
    ASSERT_TRUE(editor->outsideCopy());
    EXPECT_EQ(editor->outsideCopy()->title, "Film (changed outside)");
    EXPECT_EQ(editor->documentText(), typed) << "the window's text is left as typed";

    // The original package now holds the window's version; the outside one lives on twice:
    // as a project of its own, and byte for byte among the original's versions.
    const StoryboardProject saved = onDisk(editor->project());
    EXPECT_EQ(saved.orderedScenes().at(2).voiceoverText, "Typed in the window.");
    const StoryboardProject copy = onDisk(*editor->outsideCopy());
    EXPECT_NE(copy.id, saved.id);
    EXPECT_TRUE(copy.orderedScenes().at(0).voiceoverText.startsWith("Outside voiceover"));
    const auto versions = store.listVersions(package).value();
    EXPECT_TRUE(std::ranges::any_of(versions, [&](const ProjectVersion &version) {
        return readBytes(package + "/.versions/" + version.name + ".json") == outsideBytes;
    }));
    const auto rows = store.listProjects().value();
    EXPECT_TRUE(std::ranges::any_of(
        rows, [&](const ProjectSummary &row) { return row.id == editor->outsideCopy()->id; }));
}

// No watcher event came in time: the save itself finds the file changed and keeps it first.
TEST_F(OutsideChange, ASaveNeverReplacesAFileItHasNotSeen)
{
    editor->updateScene(sceneID(*editor, "One"), [](Scene &s) { s.type = SceneType::summary; });
    const QByteArray outsideBytes = writeOutside("# Only outside\n\nText.\n");
    scheduler.runAll();
    ASSERT_TRUE(editor->outsideCopy());
    EXPECT_FALSE(editor->saveError());
    EXPECT_EQ(onDisk(*editor->outsideCopy()).scenes.at(0).title, "Only outside");
    EXPECT_EQ(onDisk(editor->project()).orderedScenes().at(0).type, SceneType::summary);
    editor->dismissOutsideCopy();
    EXPECT_FALSE(editor->outsideCopy());
}

TEST_F(OutsideChange, RestoringAVersionIsOneUndoStepAndKeepsTheStateItReplaces)
{
    editor->updateScene(sceneID(*editor, "One"), [](Scene &s) { s.title = "Renamed"; });
    scheduler.runAll();
    const auto versions = store.listVersions(package).value();
    ASSERT_FALSE(versions.isEmpty());
    const StoryboardProject version = store.readVersion(package, versions.last().name).value();
    EXPECT_EQ(version.id, editor->project().id);
    const QString before = editor->documentText();

    editor->restoreVersion(version);
    EXPECT_EQ(editor->project().scenes.size(), version.scenes.size());
    EXPECT_EQ(onDisk(editor->project()).scenes.size(), version.scenes.size());
    // Saved at once, and the state it replaced is a version now, however recent the last.
    EXPECT_EQ(store.listVersions(package).value().size(), versions.size() + 1);
    editor->undo();
    EXPECT_EQ(editor->documentText(), before);
}

TEST_F(OutsideChange, TheWatcherSeesARenameOverTheFile)
{
    ProjectFileWatcher watcher(package);
    QSignalSpy changed(&watcher, &ProjectFileWatcher::changed);
    writeOutside("# Watched\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !changed.isEmpty(); }, 5000));
    changed.clear();
    writeOutside("# Watched again\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !changed.isEmpty(); }, 5000));
}

} // namespace
