#include "StoreTestSupport.h"

#include "StoryboardCore/Storage/ProjectJSONCodec.h"
#include "StoryboardCore/Storage/ProjectVersions.h"

#include <QDirIterator>
#include <QSet>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>

using namespace veskel;
using namespace veskel::test;

namespace {

QByteArray encoded(StoryboardProject project, const QString &title)
{
    project.title = title;
    return ProjectJSONCodec::encode(project).value_or(QByteArray());
}

// Written the way many editors save: aside, then renamed over the file.
void writeByRename(const QString &path, const QByteArray &bytes)
{
    const QString temporary = QFileInfo(path).path() + "/.writer-tmp";
    writeBytes(temporary, bytes);
    ASSERT_EQ(
        ::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()), 0);
}

// Every project file a package holds: project.json, conflict copies and versions.
QList<QByteArray> projectFiles(const QString &package)
{
    QList<QByteArray> files;
    QDirIterator it(package, {"*.json"}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!path.contains("/Media/"))
            files.append(readBytes(path));
    }
    return files;
}

// MARK: another program writes the file

struct OutsideWrite
{
    const char *name;
    // Writes `bytes` over project.json.
    std::function<void(const QString &path, const QByteArray &bytes)> write;
    // Whether the stamp alone shows the change.
    bool stampShowsIt;
};

class OutsideEdit : public StoreTest, public testing::WithParamInterface<OutsideWrite>
{
};

TEST_P(OutsideEdit, IsNeverOverwritten)
{
    StoryboardProject project = create("Intro");
    const QString path = json(package("intro"));
    EXPECT_FALSE(store().changedOutside(project));
    // The same length as the title it replaces, so that the file keeps its size.
    const QByteArray outsideBytes = encoded(project, "Outro");
    GetParam().write(path, outsideBytes);
    EXPECT_EQ(store().changedOutside(project), GetParam().stampShowsIt);
    const QStringList files = tree(package("intro"));

    project.scenes = {makeScene("S1", 0, "Mine")};
    const auto saved = store().saveProject(project);
    ASSERT_FALSE(saved.has_value());
    EXPECT_EQ(saved.error(), ProjectStoreError::changedOutside("intro.veskel"));
    EXPECT_EQ(readBytes(path), outsideBytes);
    // Nothing left behind but the empty versions folder the attempt made.
    QStringList expected = files + QStringList{".versions"};
    expected.sort();
    EXPECT_EQ(tree(package("intro")), expected);

    // Once read, it is the file the next save replaces.
    const auto reloaded = store().reloadProject(project);
    ASSERT_TRUE(reloaded.has_value());
    EXPECT_EQ(reloaded->title, "Outro");
    EXPECT_FALSE(store().changedOutside(project));
    ASSERT_TRUE(store().saveProject(project).has_value());
    EXPECT_TRUE(projectFiles(package("intro")).contains(outsideBytes));
}

INSTANTIATE_TEST_SUITE_P(
    Writers,
    OutsideEdit,
    testing::Values(
        OutsideWrite{"ByRename", &writeByRename, true},
        OutsideWrite{"InPlace",
                     [](const QString &path, const QByteArray &bytes) { writeBytes(path, bytes); },
                     true},
        // Within one tick of the file system's clock and of the same size, only
        // the bytes tell: the stamp is put back as it was.
        OutsideWrite{"InPlaceKeepingItsStamp",
                     [](const QString &path, const QByteArray &bytes) {
                         struct stat before
                         {
                         };
                         ASSERT_EQ(::stat(QFile::encodeName(path), &before), 0);
                         ASSERT_EQ(bytes.size(), before.st_size);
                         writeBytes(path, bytes);
                         const timespec times[2] = {before.st_atim, before.st_mtim};
                         ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path), times, 0), 0);
                     },
                     false}),
    [](const auto &info) { return std::string(info.param.name); });

// A program rewrites project.json over and over, by rename and in place, while the store
// saves: whatever it wrote is still on disk, or was read by the store before its save replaced
// it. The writer writes again only after the store has made a save attempt since, so that
// losing a version to the writer's own next write does not count.
TEST_F(StoreTest, ASaveNeverReplacesAFileWrittenMeanwhile)
{
    StoryboardProject project = create("Race");
    const QString path = json(package("race"));
    constexpr int writes = 150;
    std::atomic<int> attempts = 0;
    std::atomic<bool> writing = true;
    QList<QByteArray> written;
    for (int i = 0; i < writes; ++i)
        written.append(encoded(project, QStringLiteral("Writer %1").arg(i)));

    std::thread writer([&] {
        for (int i = 0; i < writes; ++i) {
            if (i % 2 == 0)
                writeByRename(path, written.at(i));
            else
                writeBytes(path, written.at(i));
            const int after = attempts.load();
            while (attempts.load() < after + 2)
                std::this_thread::yield();
        }
        writing = false;
    });

    QSet<QByteArray> seen;
    int refusals = 0;
    int saves = 0;
    for (int round = 0; writing.load() || round < 3; ++round) {
        project.title = QStringLiteral("Store %1").arg(round);
        const auto saved = store().saveProject(project);
        if (saved) {
            ++saves;
        } else {
            ASSERT_EQ(saved.error().kind, ProjectStoreError::Kind::changedOutside)
                << saved.error().description().toStdString();
            ++refusals;
            // What the editor does after taking the change in: read it, then save over it.
            for (int tries = 0; tries < 1000; ++tries) {
                const QByteArray before = readBytes(path);
                const auto reloaded = store().reloadProject(project);
                if (reloaded && readBytes(path) == before) {
                    seen.insert(before);
                    break;
                }
            }
        }
        ++attempts;
    }
    writer.join();

    const QList<QByteArray> kept = projectFiles(package("race"));
    for (int i = 0; i < writes; ++i) {
        EXPECT_TRUE(kept.contains(written.at(i)) || seen.contains(written.at(i)))
            << "lost: writer " << i;
    }
    EXPECT_GT(refusals, 0);
    EXPECT_GT(saves, 0);
    for (const QString &name : entries(package("race")))
        EXPECT_FALSE(name.endsWith(".new")) << name.toStdString();
}

// MARK: keeping the outside version

TEST_F(StoreTest, TheOutsideVersionIsKeptAsAPackageBesideTheOriginal)
{
    StoryboardProject project = create("Intro");
    StoryboardProject outside = project;
    outside.scenes = {makeScene("S1", 0, "Theirs")};
    const QByteArray outsideBytes = ProjectJSONCodec::encode(outside).value();
    writeByRename(json(package("intro")), outsideBytes);

    const auto copy = store().keepOutsideVersion(project, "Intro (changed outside)");
    ASSERT_TRUE(copy.has_value()) << copy.error().description().toStdString();
    EXPECT_NE(copy->id, project.id);
    ASSERT_EQ(copy->scenes.size(), 1);
    EXPECT_EQ(copy->scenes.first().title, "Theirs");
    EXPECT_NE(copy->scenes.first().id, "S1");
    EXPECT_EQ(readBytes(json(package("intro"))), outsideBytes);
    const auto rows = store().listProjects();
    ASSERT_TRUE(rows.has_value());
    EXPECT_EQ(rows->size(), 2);
    EXPECT_TRUE(std::any_of(rows->begin(), rows->end(), [](const ProjectSummary &row) {
        return row.title == "Intro (changed outside)";
    }));

    // The original's file counts as seen now: the editor's version replaces it, and it stays
    // a version byte for byte.
    project.scenes = {makeScene("S2", 0, "Mine")};
    ASSERT_TRUE(store().saveProject(project).has_value());
    EXPECT_EQ(store().loadProject(package("intro"))->scenes.first().title, "Mine");
    const auto versions = store().listVersions(package("intro"));
    ASSERT_EQ(versions->size(), 1);
    EXPECT_EQ(readBytes(package("intro") + "/.versions/" + versions->first().name + ".json"),
              outsideBytes);
}

// MARK: conflict copies

TEST_F(StoreTest, AConflictCopyIsOfferedLikeAVersion)
{
    StoryboardProject project = create("Intro");
    StoryboardProject theirs = project;
    theirs.scenes = {makeScene("S1", 0, "Theirs")};
    const QString copyName = "project (conflicted copy 2026-12-06)";
    writeBytes(package("intro") + "/" + copyName + ".json",
               ProjectJSONCodec::encode(theirs).value());

    const auto rows = store().listProjects();
    ASSERT_EQ(rows->size(), 1);
    EXPECT_TRUE(rows->first().hasConflictCopy);
    const auto versions = store().listVersions(package("intro"));
    ASSERT_EQ(versions->size(), 1);
    EXPECT_EQ(versions->first().name, copyName);
    EXPECT_TRUE(versions->first().conflictCopy);
    EXPECT_EQ(versions->first().sceneCount, 1);
    const auto read = store().readVersion(package("intro"), copyName);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->id, project.id);
    EXPECT_EQ(read->scenes.first().title, "Theirs");
}

TEST_F(StoreTest, APackageLeftWithOnlyAConflictCopyIsListedAndSavedBack)
{
    StoryboardProject project = create("Intro");
    project.scenes = {makeScene("S1", 0, "One")};
    ASSERT_TRUE(store().saveProject(project).has_value());
    const QString copy = package("intro") + "/project.sync-conflict-20261206-224304-ABCDEFG.json";
    ASSERT_TRUE(QFile::rename(json(package("intro")), copy));
    const QByteArray copyBytes = readBytes(copy);

    LocalProjectStore fresh(root(), std::make_shared<KnownPackages>());
    const auto rows = fresh.listProjects();
    ASSERT_EQ(rows->size(), 1);
    EXPECT_EQ(rows->first().sceneCount, 1);
    EXPECT_TRUE(rows->first().hasConflictCopy);
    auto loaded = fresh.loadProject(package("intro"));
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->id, project.id);
    loaded->title = "Saved back";
    ASSERT_TRUE(fresh.saveProject(*loaded).has_value());
    EXPECT_EQ(fresh.loadProject(package("intro"))->title, "Saved back");
    EXPECT_EQ(readBytes(copy), copyBytes);
}

// Versions folders are hidden: neither one in a package nor a stray one in the root is taken
// for a project or a sidebar folder.
TEST_F(StoreTest, VersionsFoldersAreNeverListed)
{
    StoryboardProject project = create("Intro");
    project.title = "Intro 2";
    ASSERT_TRUE(store().saveProject(project).has_value());
    ASSERT_TRUE(QDir().mkpath(root() + "/.versions/stray.veskel/Media"));
    writeBytes(root() + "/.versions/stray.veskel/project.json", readBytes(json(package("intro"))));
    const auto rows = store().listProjects();
    ASSERT_EQ(rows->size(), 1);
    EXPECT_EQ(rows->first().packagePath, package("intro"));
    EXPECT_TRUE(store().listFolders()->isEmpty());
}

} // namespace
