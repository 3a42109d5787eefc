#include "StoreTestSupport.h"

#include "StoryboardCore/Storage/ProjectJSONCodec.h"

using namespace veskel;
using namespace veskel::test;
using ErrorKind = ProjectStoreError::Kind;

namespace {

void setModified(const QString &path, const QDateTime &time)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
}

QStringList slugs(const QList<ProjectSummary> &rows)
{
    QStringList result;
    for (const ProjectSummary &row : rows)
        result << (row.folderName ? *row.folderName + u'/' : QString()) + row.slug;
    return result;
}

} // namespace

// MARK: create

using CreateProject = StoreTest;

TEST_F(CreateProject, WritesThePackageAndTheProjectFile)
{
    const StoryboardProject project = create("  Intro / video \n");
    EXPECT_EQ(project.title, "Intro / video");
    EXPECT_EQ(entries(package("intro-video")), QStringList({"Exports", "Media", "project.json"}));

    EXPECT_EQ(project.videoSettings, hd25());
    EXPECT_EQ(project.exportSettings, ExportSettings::defaultSettings());
    EXPECT_EQ(project.version, 1);
    // The file's form itself is pinned by the codec's tests.
    EXPECT_EQ(readBytes(json(package("intro-video"))), ProjectJSONCodec::encode(project).value());
    EXPECT_EQ(store().loadProject(package("intro-video")), project);
}

TEST_F(CreateProject, NumbersPackagesWhoseSlugIsTaken)
{
    create("Intro video");
    create("Intro  video");
    create("intro-video");
    EXPECT_EQ(entries(root()),
              QStringList({"intro-video-2.veskel", "intro-video-3.veskel", "intro-video.veskel"}));
}

TEST_F(CreateProject, AnyItemTakesTheNameNotOnlyPackages)
{
    writeBytes(package("notes"), "a plain file named like a package");
    create("Notes");
    EXPECT_TRUE(QFileInfo(package("notes-2")).isDir());
}

TEST_F(CreateProject, BlankTitleIsRefusedBeforeAnythingIsCreated)
{
    const auto created = store().createProject(" \n\t ", hd25());
    ASSERT_FALSE(created.has_value());
    EXPECT_EQ(created.error().description(),
              "Could not save project: Project title cannot be empty..");
    EXPECT_TRUE(entries(root()).isEmpty());
}

// MARK: save and load

using SaveProject = StoreTest;

TEST_F(SaveProject, StampsTheFileButLeavesTheCallersValue)
{
    StoryboardProject project = create("Demo");
    project.updatedAt = QDateTime::fromSecsSinceEpoch(1000, Qt::UTC);
    project.scenes = {makeScene("S1", 0, "One")};
    ASSERT_TRUE(store().saveProject(project).has_value());
    EXPECT_EQ(project.updatedAt, QDateTime::fromSecsSinceEpoch(1000, Qt::UTC));
    const auto loaded = store().loadProject(package("demo"));
    ASSERT_TRUE(loaded.has_value());
    EXPECT_GT(loaded->updatedAt, project.updatedAt);
    EXPECT_EQ(loaded->scenes.size(), 1);
}

TEST_F(SaveProject, AnotherProjectUnderTheSameSlugIsNotMistakenForIt)
{
    StoryboardProject first = create("Demo");
    ASSERT_TRUE(QDir().rename(package("demo"), package("first")));
    const StoryboardProject impostor = create("Demo");
    first.title = "Changed";
    ASSERT_TRUE(store().saveProject(first).has_value());
    EXPECT_EQ(store().loadProject(package("first"))->title, "Changed");
    EXPECT_EQ(store().loadProject(package("demo")), impostor);
}

using LoadProject = StoreTest;

TEST_F(LoadProject, MalformedJSONNamesThePackage)
{
    create("Demo");
    writeBytes(json(package("demo")), "{ \"id\": ");
    const auto loaded = store().loadProject(package("demo"));
    ASSERT_FALSE(loaded.has_value());
    EXPECT_EQ(loaded.error().kind, ErrorKind::corruptedProjectJSON);
    EXPECT_TRUE(loaded.error().payload.startsWith("demo.veskel: "))
        << loaded.error().payload.toStdString();
    EXPECT_TRUE(
        loaded.error().description().startsWith("Could not read project.json: demo.veskel: "));
}

TEST_F(LoadProject, MissingProjectFileOrMediaFolderIsReported)
{
    QDir().mkpath(package("empty") + "/Media");
    EXPECT_EQ(store().loadProject(package("empty")).error().description(),
              "Could not read project.json: empty.veskel.");
    create("Demo");
    ASSERT_TRUE(QDir(package("demo") + "/Media").removeRecursively());
    EXPECT_EQ(store().loadProject(package("demo")).error().description(),
              "Media folder is missing in demo.veskel.");
}

TEST_F(LoadProject, RepairsScenesWithoutBlocksButDoesNotWriteBack)
{
    StoryboardProject project = create("Demo");
    Scene scene = makeScene("S1", 0, "One");
    scene.voiceoverText = "Hello";
    project.scenes = {scene};
    ASSERT_TRUE(store().saveProject(project).has_value());
    const QByteArray before = readBytes(json(package("demo")));
    const auto loaded = store().loadProject(package("demo"));
    ASSERT_TRUE(loaded.has_value());
    ASSERT_EQ(loaded->scriptBlocks.size(), 1);
    EXPECT_EQ(loaded->scriptBlocks.first().text, "Hello");
    EXPECT_EQ(loaded->scriptBlocks.first().sceneID, "S1");
    EXPECT_EQ(readBytes(json(package("demo"))), before);
}

// MARK: list

using ListProjects = StoreTest;

TEST_F(ListProjects, FreshMachineGetsAnEmptyListAndARoot)
{
    const auto rows = store().listProjects();
    ASSERT_TRUE(rows.has_value());
    EXPECT_TRUE(rows->isEmpty());
    EXPECT_TRUE(QFileInfo(root()).isDir());
}

TEST_F(ListProjects, NewestFirstByFileTimeAcrossRootAndFolders)
{
    create("Old");
    create("New");
    ASSERT_TRUE(store().createFolder("Clients").has_value());
    create("Middle");
    ASSERT_TRUE(store().moveProject(package("middle"), QString("Clients")).has_value());

    const QDateTime base = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);
    setModified(json(package("old")), base);
    setModified(json(package("middle", "Clients")), base.addSecs(60));
    setModified(json(package("new")), base.addSecs(120));

    const auto rows = store().listProjects();
    ASSERT_TRUE(rows.has_value());
    EXPECT_EQ(slugs(*rows), QStringList({"new", "Clients/middle", "old"}));
    EXPECT_EQ(rows->at(2).updatedAt, base);
    EXPECT_EQ(rows->at(1).folderName, QString("Clients"));
    EXPECT_EQ(rows->at(0).folderName, std::nullopt);
}

TEST_F(ListProjects, EqualTimesKeepRootBeforeFolders)
{
    ASSERT_TRUE(store().createFolder("A").has_value());
    create("In folder");
    ASSERT_TRUE(store().moveProject(package("in-folder"), QString("A")).has_value());
    create("In root");
    const QDateTime same = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);
    setModified(json(package("in-folder", "A")), same);
    setModified(json(package("in-root")), same);
    EXPECT_EQ(slugs(*store().listProjects()), QStringList({"in-root", "A/in-folder"}));
}

TEST_F(ListProjects, SummaryFieldsComeFromTheFileAndItsFolder)
{
    StoryboardProject project = create("Demo");
    Scene longText = makeScene("S1", 0, "One", 2.5);
    longText.onScreenText = QString(281, u'x');
    // Other findings do not count as warnings of the row.
    Scene broken = makeScene("S2", 1, "", 0);
    Scene fine = makeScene("S3", 2, "Three", 4.25);
    project.scenes = {longText, broken, fine};
    ASSERT_TRUE(store().saveProject(project).has_value());
    ASSERT_TRUE(QDir().rename(package("demo"), package("hand-named")));

    const auto rows = store().listProjects();
    ASSERT_TRUE(rows.has_value());
    ASSERT_EQ(rows->size(), 1);
    const ProjectSummary &row = rows->first();
    EXPECT_EQ(row.id, project.id);
    EXPECT_EQ(row.title, "Demo");
    EXPECT_EQ(row.slug, "hand-named");
    EXPECT_EQ(row.createdAt, project.createdAt);
    EXPECT_EQ(row.sceneCount, 3);
    EXPECT_DOUBLE_EQ(row.totalDurationSeconds, 6.75);
    EXPECT_EQ(row.warningCount, 1);
    EXPECT_EQ(row.packagePath, package("hand-named"));
    EXPECT_EQ(row.folderName, std::nullopt);
}

TEST_F(ListProjects, SkipsUnreadablePackagesHiddenEntriesAndPlainFiles)
{
    create("Good");
    create("Broken");
    writeBytes(json(package("broken")), "not json");
    create("No media");
    QDir(package("no-media") + "/Media").removeRecursively();
    QDir().mkpath(root() + "/.hidden.veskel/Media");
    QFile::copy(json(package("good")), root() + "/.hidden.veskel/project.json");
    writeBytes(root() + "/stray.veskel", "file");
    // Nested folders are not looked into.
    QDir().mkpath(root() + "/A/B");
    QFile::copy(json(package("good")), root() + "/A/B/x.json");

    EXPECT_EQ(slugs(*store().listProjects()), QStringList({"good"}));
}

// MARK: rename

using RenameProject = StoreTest;

TEST_F(RenameProject, SameSlugRewritesInPlace)
{
    const StoryboardProject project = create("Demo");
    const auto renamed = store().renameProject(project, "  DEMO ");
    ASSERT_TRUE(renamed.has_value());
    EXPECT_EQ(renamed->title, "DEMO");
    EXPECT_EQ(entries(root()), QStringList({"demo.veskel"}));
    EXPECT_EQ(store().loadProject(package("demo")), *renamed);
}

TEST_F(RenameProject, MovesThePackageToTheNewSlugNumberedWhenTaken)
{
    create("Taken");
    const StoryboardProject project = create("Demo");
    const auto renamed = store().renameProject(project, "Taken");
    ASSERT_TRUE(renamed.has_value());
    EXPECT_EQ(entries(root()), QStringList({"taken-2.veskel", "taken.veskel"}));
    EXPECT_EQ(store().loadProject(package("taken-2"))->id, project.id);
    EXPECT_EQ(renamed->id, project.id);
}

TEST_F(RenameProject, StaysInItsSidebarFolder)
{
    ASSERT_TRUE(store().createFolder("Clients").has_value());
    const StoryboardProject project = create("Demo");
    ASSERT_TRUE(store().moveProject(package("demo"), QString("Clients")).has_value());
    ASSERT_TRUE(store().renameProject(project, "Final cut").has_value());
    EXPECT_EQ(entries(root() + "/Clients"), QStringList({"final-cut.veskel"}));
}

TEST_F(RenameProject, BlankTitleChangesNothing)
{
    const StoryboardProject project = create("Demo");
    const QByteArray before = readBytes(json(package("demo")));
    EXPECT_EQ(store().renameProject(project, "\n").error(),
              ProjectStoreError::writeFailed("Project title cannot be empty."));
    EXPECT_EQ(readBytes(json(package("demo"))), before);
}

// MARK: move

using MoveProject = StoreTest;

TEST_F(MoveProject, IntoAFolderAndBackNumberingClashes)
{
    ASSERT_TRUE(store().createFolder("Clients").has_value());
    create("Demo");
    const auto moved = store().moveProject(package("demo"), QString("Clients"));
    ASSERT_TRUE(moved.has_value());
    EXPECT_EQ(*moved, package("demo", "Clients"));
    create("Demo");
    const auto back = store().moveProject(*moved, std::nullopt);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, package("demo-2"));
    EXPECT_TRUE(entries(root() + "/Clients").isEmpty());
}

TEST_F(MoveProject, SameParentIsANoOp)
{
    create("Demo");
    EXPECT_EQ(store().moveProject(package("demo") + "/", std::nullopt), package("demo"));
    EXPECT_EQ(entries(root()), QStringList({"demo.veskel"}));
}

TEST_F(MoveProject, MissingPackageOrFolderIsNotFound)
{
    create("Demo");
    EXPECT_EQ(store().moveProject(package("nope"), std::nullopt).error(),
              ProjectStoreError::projectNotFound("nope.veskel"));
    EXPECT_EQ(store().moveProject(package("demo"), QString("Nowhere")).error().description(),
              "Project not found: Nowhere.");
}

// MARK: sidebar folders

using Folders = StoreTest;

struct FolderNameCase
{
    const char *given;
    const char *result;  // the name used, or nullptr
    const char *message; // the failure, or nullptr
};

class FolderNames : public StoreTest, public testing::WithParamInterface<FolderNameCase>
{
};

TEST_P(FolderNames, AreTrimmedAndChecked)
{
    const FolderNameCase &c = GetParam();
    const auto created = store().createFolder(QString::fromUtf8(c.given));
    if (c.result) {
        ASSERT_TRUE(created.has_value()) << created.error().description().toStdString();
        EXPECT_EQ(*created, QString::fromUtf8(c.result));
        EXPECT_EQ(entries(root()), QStringList{QString::fromUtf8(c.result)});
    } else {
        ASSERT_FALSE(created.has_value());
        EXPECT_EQ(created.error().description(), QString::fromUtf8(c.message));
        EXPECT_TRUE(entries(root()).isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names,
    FolderNames,
    testing::Values(
        FolderNameCase{"  Clients  ", "Clients", nullptr},
        FolderNameCase{"Клиенты 2025", "Клиенты 2025", nullptr},
        FolderNameCase{"Part 1..3", "Part 1..3", nullptr},
        FolderNameCase{" \n ", nullptr, "Could not save project: Folder name cannot be empty.."},
        FolderNameCase{"a/b", nullptr, "Could not save project: Folder name is not allowed: a/b.."},
        FolderNameCase{" .hidden", nullptr,
                       "Could not save project: Folder name is not allowed: .hidden.."},
        FolderNameCase{"..", nullptr, "Could not save project: Folder name is not allowed: ...."},
        FolderNameCase{"a\\b", nullptr,
                       "Could not save project: Folder name is not allowed: a\\b.."},
        FolderNameCase{"Clients.veskel", nullptr,
                       "Could not save project: Folder name is not allowed: Clients.veskel.."}),
    [](const auto &info) { return std::to_string(info.index); });

TEST_F(Folders, AnExistingItemOfThatNameIsRefused)
{
    ASSERT_TRUE(store().createFolder("Clients").has_value());
    EXPECT_EQ(store().createFolder(" Clients").error().description(),
              "Could not save project: Folder \"Clients\" already exists..");
    writeBytes(root() + "/notes", "x");
    EXPECT_EQ(store().createFolder("notes").error(),
              ProjectStoreError::writeFailed("Folder \"notes\" already exists."));
}

TEST_F(Folders, ListedInReadingOrderWithoutPackagesOrHiddenFolders)
{
    for (const char *name :
         {"Folder 10", "folder 3", "Folder 2", "Archive", "b", "Folder 02b", "Ёлка", "Ель"})
        ASSERT_TRUE(store().createFolder(name).has_value());
    create("Demo");
    QDir().mkpath(root() + "/.cache");
    writeBytes(root() + "/file.txt", "x");
    EXPECT_EQ(store().listFolders(), QStringList({"Archive", "b", "Folder 2", "Folder 02b",
                                                  "folder 3", "Folder 10", "Ёлка", "Ель"}));
}

TEST_F(Folders, RenameChecksBothNames)
{
    ASSERT_TRUE(store().createFolder("A").has_value());
    ASSERT_TRUE(store().createFolder("B").has_value());
    EXPECT_TRUE(store().renameFolder("A", " A ").has_value());
    EXPECT_EQ(store().renameFolder("A", "B").error(),
              ProjectStoreError::writeFailed("Folder \"B\" already exists."));
    EXPECT_EQ(store().renameFolder("Missing", "C").error(),
              ProjectStoreError::projectNotFound("Missing"));
    EXPECT_EQ(store().renameFolder("A", "x/y").error().kind, ErrorKind::writeFailed);
    create("Demo");
    ASSERT_TRUE(store().moveProject(package("demo"), QString("A")).has_value());
    ASSERT_TRUE(store().renameFolder("A", " Clients ").has_value());
    EXPECT_EQ(store().listFolders(), QStringList({"B", "Clients"}));
    EXPECT_EQ(slugs(*store().listProjects()), QStringList({"Clients/demo"}));
}

TEST_F(Folders, MissingFolderCannotBeDeleted)
{
    EXPECT_EQ(store().deleteFolder("Nope").error().description(), "Project not found: Nope.");
}

// MARK: hostile names

class HostileFolderNames : public StoreTest, public testing::WithParamInterface<const char *>
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        // A victim folder beside the root, holding a package that looks like ours.
        QDir().mkpath(outside("victim/keep.veskel/Media"));
        writeBytes(outside("victim/keep.veskel/project.json"), "{}");
        ASSERT_TRUE(store().createFolder("Clients").has_value());
        create("Demo");
        m_before = tree(outside(""));
    }

    QStringList m_before;
};

TEST_P(HostileFolderNames, NeverReachOutsideTheRoot)
{
    const QString name = QString::fromUtf8(GetParam());
    const auto refused = [](const auto &result) {
        return !result.has_value() && result.error().kind == ErrorKind::writeFailed
               && result.error().payload.startsWith("Folder name is not allowed: ");
    };
    EXPECT_TRUE(refused(store().deleteFolder(name)));
    EXPECT_TRUE(refused(store().renameFolder(name, "Renamed")));
    EXPECT_TRUE(refused(store().moveProject(package("demo"), name)));
    EXPECT_EQ(tree(outside("")), m_before);
}

INSTANTIATE_TEST_SUITE_P(
    Names,
    HostileFolderNames,
    testing::Values(
        "..", "../victim", "Clients/../../victim", "/tmp", "..\\victim", ".", "", "demo.veskel"));

TEST_F(Folders, AnAbsoluteFolderNameIsRefusedEvenWhenItExists)
{
    create("Demo");
    QDir().mkpath(outside("elsewhere"));
    const auto moved = store().moveProject(package("demo"), outside("elsewhere"));
    ASSERT_FALSE(moved.has_value());
    EXPECT_TRUE(entries(outside("elsewhere")).isEmpty());
    EXPECT_TRUE(QFileInfo(package("demo")).isDir());
}

// MARK: root folder

class RootAccess : public testing::Test
{
protected:
    QTemporaryDir home;
};

TEST_F(RootAccess, AFileInTheWayMakesTheRootInaccessible)
{
    writeBytes(home.filePath("Movies"), "not a folder");
    LocalProjectStore store(home.filePath("Movies/Veskel/Projects"));
    EXPECT_EQ(store.listProjects().error(), ProjectStoreError::rootFolderNotAccessible());
    EXPECT_EQ(
        store.createProject("Demo", hd25()).error().description(),
        "The Veskel projects folder is not accessible. Check permissions for ~/Movies/Veskel/.");
    // The root itself a file.
    EXPECT_EQ(LocalProjectStore(home.filePath("Movies")).listFolders().error(),
              ProjectStoreError::rootFolderNotAccessible());
}

TEST(ProjectPackagePaths, DefaultRootFollowsHome)
{
    const QByteArray saved = qgetenv("HOME");
    qputenv("HOME", "/somewhere/else");
    EXPECT_EQ(ProjectPackagePaths::defaultRootDirectory(),
              "/somewhere/else/Movies/Veskel/Projects");
    EXPECT_EQ(LocalProjectStore().rootDirectory(), "/somewhere/else/Movies/Veskel/Projects");
    qputenv("HOME", saved);
}

TEST(ProjectPackagePaths, MediaFilesMustBePlainNames)
{
    namespace P = ProjectPackagePaths;
    EXPECT_EQ(P::mediaFilePath("/p.veskel", "A.png"), QString("/p.veskel/Media/A.png"));
    for (const char *bad :
         {"", ".", "..", "../x.png", "a/b.png", "/etc/passwd", "a\\b.png", "x..png"})
        EXPECT_EQ(P::mediaFilePath("/p.veskel", QString::fromUtf8(bad)), std::nullopt) << bad;
    EXPECT_EQ(P::mediaFilePath("/p.veskel", QString("a") + QChar() + "b"), std::nullopt);
}
