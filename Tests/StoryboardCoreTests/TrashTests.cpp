#include "StoreTestSupport.h"

#include "StoryboardCore/Storage/FileOperations.h"

using namespace veskel;
using namespace veskel::test;

namespace {

// Points HOME (and optionally XDG_DATA_HOME) at a fresh folder, turns off the test mode of
// QStandardPaths so the real freedesktop rules apply, and runs in an empty current folder so
// that an item "trashed" relative to it would show up.
class TrashEnvironment : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_savedHome = qgetenv("HOME");
        m_hadXdg = qEnvironmentVariableIsSet("XDG_DATA_HOME");
        m_savedXdg = qgetenv("XDG_DATA_HOME");
        m_savedTestMode = QStandardPaths::isTestModeEnabled();
        m_savedCurrent = QDir::currentPath();

        QDir().mkpath(home());
        QDir().mkpath(current());
        qputenv("HOME", home().toUtf8());
        qunsetenv("XDG_DATA_HOME");
        QStandardPaths::setTestModeEnabled(false);
        QDir::setCurrent(current());
    }

    void TearDown() override
    {
        QDir::setCurrent(m_savedCurrent);
        QStandardPaths::setTestModeEnabled(m_savedTestMode);
        qputenv("HOME", m_savedHome);
        if (m_hadXdg)
            qputenv("XDG_DATA_HOME", m_savedXdg);
        else
            qunsetenv("XDG_DATA_HOME");
    }

    QString home() const { return m_dir.filePath("home"); }
    QString current() const { return m_dir.filePath("cwd"); }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;

private:
    QByteArray m_savedHome;
    QByteArray m_savedXdg;
    bool m_hadXdg = false;
    bool m_savedTestMode = false;
    QString m_savedCurrent;
};

} // namespace

TEST_F(TrashEnvironment, DeletedProjectLandsInTheHomeTrashEvenWithoutLocalShare)
{
    ASSERT_FALSE(QFileInfo::exists(home() + "/.local/share"));
    LocalProjectStore store(home() + "/Movies/Veskel/Projects");
    ASSERT_TRUE(store.createProject("Demo", hd25()).has_value());
    const QString package = store.rootDirectory() + "/demo.veskel";

    ASSERT_TRUE(store.deleteProject(package).has_value());
    EXPECT_FALSE(QFileInfo::exists(package));
    const QString trash = home() + "/.local/share/Trash";
    EXPECT_TRUE(QFileInfo(trash + "/files/demo.veskel/project.json").isFile());
    EXPECT_TRUE(QFileInfo(trash + "/info/demo.veskel.trashinfo").isFile());
    EXPECT_TRUE(entries(current()).isEmpty());
    EXPECT_TRUE(store.listProjects()->isEmpty());
}

TEST_F(TrashEnvironment, XDGDataHomeDecidesWhereTheTrashIs)
{
    const QString dataHome = path("xdg/data");
    qputenv("XDG_DATA_HOME", dataHome.toUtf8());
    LocalProjectStore store(path("Projects"));
    ASSERT_TRUE(store.createProject("Demo", hd25()).has_value());
    ASSERT_TRUE(store.createProject("Demo", hd25()).has_value());

    ASSERT_TRUE(store.deleteProject(path("Projects/demo.veskel")).has_value());
    ASSERT_TRUE(store.deleteProject(path("Projects/demo-2.veskel")).has_value());
    EXPECT_TRUE(entries(path("Projects")).isEmpty());
    EXPECT_EQ(entries(dataHome + "/Trash/files"), QStringList({"demo-2.veskel", "demo.veskel"}));
    EXPECT_FALSE(QFileInfo::exists(home() + "/.local/share/Trash"));
    EXPECT_TRUE(entries(current()).isEmpty());
}

TEST_F(TrashEnvironment, ADeletionIsTakenBackOnlyIntoAFreePlaceInTheLibrary)
{
    LocalProjectStore store(path("Projects"));
    ASSERT_TRUE(store.createProject("Demo", hd25()).has_value());
    const QString package = path("Projects/demo.veskel");
    const auto trashed = store.deleteProject(package);
    ASSERT_TRUE(trashed.has_value());
    const QString trash = home() + "/.local/share/Trash";
    EXPECT_EQ(trashed->trashedPath, trash + "/files/demo.veskel");

    // Nothing outside the Trash is taken, nothing is put outside the library.
    EXPECT_FALSE(store.restoreFromTrash({package, path("Projects")}).has_value());
    EXPECT_FALSE(store.restoreFromTrash({path("elsewhere/demo.veskel"), trashed->trashedPath}));
    // A new project in its place is never replaced.
    ASSERT_TRUE(store.createProject("Demo", hd25()).has_value());
    EXPECT_FALSE(store.restoreFromTrash(*trashed).has_value());
    EXPECT_TRUE(QFileInfo(trashed->trashedPath + "/project.json").isFile());
    ASSERT_TRUE(store.deleteProject(package).has_value());

    // The first Demo was trashed as demo.veskel, the second under another name.
    ASSERT_TRUE(store.restoreFromTrash(*trashed).has_value());
    EXPECT_TRUE(QFileInfo(package + "/project.json").isFile());
    EXPECT_FALSE(QFileInfo::exists(trash + "/info/demo.veskel.trashinfo"));
    EXPECT_EQ(store.listProjects()->size(), 1);
    EXPECT_FALSE(store.restoreFromTrash(*trashed).has_value());
}

TEST_F(TrashEnvironment, MissingPackageIsNotFound)
{
    LocalProjectStore store(path("Projects"));
    EXPECT_EQ(store.deleteProject(path("Projects/gone.veskel")).error().description(),
              "Project not found: gone.veskel.");
}

TEST_F(TrashEnvironment, ATrashThatCannotBeMadeFailsAndTheProjectStays)
{
    // A file where the data folder should be: no trash can be set up there.
    writeBytes(home() + "/.local", "in the way");
    LocalProjectStore store(path("Projects"));
    ASSERT_TRUE(store.createProject("Demo", hd25()).has_value());
    const auto deleted = store.deleteProject(path("Projects/demo.veskel"));
    ASSERT_FALSE(deleted.has_value());
    EXPECT_EQ(deleted.error().kind, ProjectStoreError::Kind::deleteFailed);
    EXPECT_TRUE(deleted.error().description().startsWith("Could not move project to Trash: "));
    EXPECT_TRUE(QFileInfo(path("Projects/demo.veskel/project.json")).isFile());
    EXPECT_TRUE(entries(current()).isEmpty());
}

TEST_F(TrashEnvironment, DeletingAFolderKeepsItsProjects)
{
    LocalProjectStore store(path("Projects"));
    ASSERT_TRUE(store.createFolder("Clients").has_value());
    for (const char *title : {"Alpha", "Beta"}) {
        ASSERT_TRUE(store.createProject(title, hd25()).has_value());
        ASSERT_TRUE(store
                        .moveProject(path("Projects/") + QString(title).toLower() + ".veskel",
                                     QString("Clients"))
                        .has_value());
    }
    ASSERT_TRUE(store.createProject("Alpha", hd25()).has_value());
    writeBytes(path("Projects/Clients/notes.txt"), "kept with the folder");

    ASSERT_TRUE(store.deleteFolder("Clients").has_value());
    EXPECT_EQ(entries(path("Projects")),
              QStringList({"alpha-2.veskel", "alpha.veskel", "beta.veskel"}));
    EXPECT_EQ(entries(home() + "/.local/share/Trash/files/Clients"), QStringList({"notes.txt"}));
    EXPECT_EQ(store.listProjects()->size(), 3);
}

TEST_F(TrashEnvironment, HomeTrashIsCreatedPrivate)
{
    const auto trash = FileOperations::ensureHomeTrash();
    ASSERT_TRUE(trash.has_value());
    EXPECT_EQ(*trash, home() + "/.local/share/Trash");
    EXPECT_EQ(entries(*trash), QStringList({"files", "info"}));
    EXPECT_EQ(QFileInfo(*trash).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
              QFileDevice::Permissions());
}
