#include "StoreTestSupport.h"

#include "Support/FileSizeLimit.h"

#include <QImage>

#include <filesystem>

using namespace veskel;
using namespace veskel::test;

namespace {

void copyFolder(const QString &from, const QString &to)
{
    std::error_code error;
    std::filesystem::copy(from.toStdString(), to.toStdString(),
                          std::filesystem::copy_options::recursive, error);
    ASSERT_FALSE(error) << error.message();
}

// A mark that shows which package a save reached.
void markEdited(StoryboardProject &project)
{
    project.scenes.append(makeScene(QStringLiteral("EDITED"), int(project.scenes.size()), "Edit"));
}

bool isEdited(const QString &package)
{
    return readBytes(json(package)).contains("EDITED");
}

// What happened to a package between loading its project and saving it: the place the save
// must reach, or the error it must give.
struct Change
{
    const char *name;
    std::function<QString(LocalProjectStore &, const QString &root, const QString &package)> apply;
    std::optional<ProjectStoreError> error = std::nullopt;
};

class SaveAfter : public StoreTest, public testing::WithParamInterface<Change>
{
};

TEST_P(SaveAfter, ReachesThePackageWhereverItWent)
{
    ASSERT_TRUE(store().createFolder("Clients").has_value());
    create("Intro");
    const auto moved = store().moveProject(package("intro"), QStringLiteral("Clients"));
    ASSERT_TRUE(moved.has_value());
    auto project = store().loadProject(*moved);
    ASSERT_TRUE(project.has_value());
    // The open editor keeps asking where its package is; what it learnt must not outlast the
    // change.
    ASSERT_EQ(store().packagePath(*project), *moved);

    const QString expected = GetParam().apply(store(), root(), *moved);
    markEdited(*project);
    const auto saved = store().saveProject(*project);
    if (GetParam().error) {
        ASSERT_FALSE(saved.has_value());
        EXPECT_EQ(saved.error(), *GetParam().error);
        return;
    }
    ASSERT_TRUE(saved.has_value()) << saved.error().description().toStdString();
    EXPECT_TRUE(isEdited(expected)) << expected.toStdString();
    EXPECT_EQ(store().packagePath(*project), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Store,
    SaveAfter,
    testing::Values(
        Change{"Nothing", [](auto &, const QString &, const QString &package) { return package; }},
        Change{"RenamedByHand",
               [](auto &, const QString &root, const QString &package) {
                   const QString to = root + "/Clients/by hand.veskel";
                   EXPECT_TRUE(QDir().rename(package, to));
                   return to;
               }},
        // Its old place now holds another project, which must stay as it is.
        Change{"ReplacedByAnotherProject",
               [](LocalProjectStore &store, const QString &root, const QString &package) {
                   const QString to = root + "/moved.veskel";
                   EXPECT_TRUE(QDir().rename(package, to));
                   const auto other = store.createProject("Other", hd25());
                   EXPECT_TRUE(QDir().rename(root + "/other.veskel", package));
                   return to;
               }},
        // The same file written over in place: what was known of it no longer holds.
        Change{"OverwrittenInPlaceByAnotherProject",
               [](LocalProjectStore &store, const QString &, const QString &package) {
                   const auto other = store.createProject("Other", hd25());
                   QFile file(json(package));
                   EXPECT_TRUE(file.open(QIODevice::ReadWrite | QIODevice::Truncate));
                   file.write(readBytes(json(store.packagePath(*other).value_or(QString()))));
                   return QString();
               },
               ProjectStoreError::projectNotFound("Intro")},
        Change{"MovedByTheStore",
               [](LocalProjectStore &store, const QString &, const QString &package) {
                   return store.moveProject(package, std::nullopt).value_or(QString());
               }},
        Change{"FolderRenamedByTheStore",
               [](LocalProjectStore &store, const QString &root, const QString &) {
                   EXPECT_TRUE(store.renameFolder("Clients", "Customers").has_value());
                   return root + "/Customers/intro.veskel";
               }},
        Change{"FolderDeletedByTheStore",
               [](LocalProjectStore &store, const QString &root, const QString &) {
                   EXPECT_TRUE(store.deleteFolder("Clients").has_value());
                   return root + "/intro.veskel";
               }},
        Change{"Removed",
               [](auto &, const QString &, const QString &package) {
                   EXPECT_TRUE(QDir(package).removeRecursively());
                   return QString();
               },
               ProjectStoreError::projectNotFound("Intro")},
        // A package without Media cannot be read, so it is no longer found.
        Change{"MediaRemoved",
               [](auto &, const QString &, const QString &package) {
                   EXPECT_TRUE(QDir(package + "/Media").removeRecursively());
                   return QString();
               },
               ProjectStoreError::projectNotFound("Intro")}),
    [](const auto &info) { return std::string(info.param.name); });

// MARK: packages copied by hand

// How the copy (or the original) was opened before the edit.
struct Opening
{
    const char *name;
    bool loadOriginalFirst;
    bool listFirst;
    bool editCopy;
};

class CopiedPackage : public StoreTest, public testing::WithParamInterface<Opening>
{
protected:
    // A store as a new start of the application or of the command-line tool has it.
    LocalProjectStore newProcess() const
    {
        return LocalProjectStore(root(), std::make_shared<KnownPackages>());
    }
};

TEST_P(CopiedPackage, KeepsItsEditsApartFromTheOriginal)
{
    StoryboardProject original = create("Intro");
    original.scenes = {makeScene("S1", 0, "One")};
    ASSERT_TRUE(store().saveProject(original).has_value());
    const QString copy = package("intro copy");
    copyFolder(package("intro"), copy);

    LocalProjectStore session = newProcess();
    if (GetParam().loadOriginalFirst) {
        ASSERT_TRUE(session.loadProject(package("intro")).has_value());
    }
    if (GetParam().listFirst) {
        const auto rows = session.listProjects();
        ASSERT_TRUE(rows.has_value());
        ASSERT_EQ(rows->size(), 2);
        EXPECT_NE(rows->at(0).id, rows->at(1).id);
        if (GetParam().loadOriginalFirst) {
            const auto originalRow = std::find_if(rows->begin(), rows->end(), [&](const auto &row) {
                return row.packagePath == package("intro");
            });
            ASSERT_NE(originalRow, rows->end());
            EXPECT_EQ(originalRow->id, original.id);
        }
    }
    const QString edited = GetParam().editCopy ? copy : package("intro");
    const QString untouched = GetParam().editCopy ? package("intro") : copy;
    const QByteArray untouchedBytes = readBytes(json(untouched));
    auto project = session.loadProject(edited);
    ASSERT_TRUE(project.has_value());
    markEdited(*project);
    ASSERT_TRUE(session.saveProject(*project).has_value());

    EXPECT_TRUE(isEdited(edited));
    EXPECT_EQ(readBytes(json(untouched)), untouchedBytes);
    // Once listed, the two are told apart for good.
    const auto rows = newProcess().listProjects();
    ASSERT_TRUE(rows.has_value());
    ASSERT_EQ(rows->size(), 2);
    EXPECT_NE(rows->at(0).id, rows->at(1).id);
}

INSTANTIATE_TEST_SUITE_P(Store,
                         CopiedPackage,
                         testing::Values(Opening{"CopyOpenedFromTheList", false, true, true},
                                         Opening{"CopyOpenedByPath", false, false, true},
                                         Opening{"OriginalOpenWhenTheCopyIsListed", true, true,
                                                 false}),
                         [](const auto &info) { return std::string(info.param.name); });

// The application lists on a worker thread with a store of its own.
TEST_F(CopiedPackage, StoresOnOneRootAgreeOnTheIdsTheyGive)
{
    create("Intro");
    copyFolder(package("intro"), package("intro copy"));
    const auto rows = LocalProjectStore(root()).listProjects();
    ASSERT_TRUE(rows.has_value());
    ASSERT_EQ(rows->size(), 2);
    for (const ProjectSummary &row : *rows)
        EXPECT_EQ(store().loadProject(row.packagePath)->id, row.id);
    EXPECT_EQ(LocalProjectStore(root()).listProjects(), rows);
}

// The package its title's slug names is only a guess: it may hold another project, which a save
// must not overwrite.
TEST_F(StoreTest, ATitleNamingAnotherPackageFindsItsOwnPackage)
{
    create("Alpha");
    create("Beta");
    auto alpha = store().loadProject(package("alpha"));
    ASSERT_TRUE(alpha.has_value());
    alpha->title = QStringLiteral("Beta");
    markEdited(*alpha);

    const QByteArray beta = readBytes(json(package("beta")));
    LocalProjectStore unaware(root(), std::make_shared<KnownPackages>());
    EXPECT_EQ(unaware.packagePath(*alpha), package("alpha"));
    // Neither file was read by that store, so it replaces neither.
    EXPECT_EQ(unaware.saveProject(*alpha).error().kind, ProjectStoreError::Kind::changedOutside);
    ASSERT_TRUE(store().saveProject(*alpha).has_value());
    EXPECT_TRUE(isEdited(package("alpha")));
    EXPECT_EQ(readBytes(json(package("beta"))), beta);
}

// MARK: a full disk

using FullDisk = StoreTest;

TEST_F(FullDisk, AFailedSaveLeavesTheFileAndSucceedsOnceThereIsRoom)
{
    StoryboardProject project = create("Intro");
    const QByteArray before = readBytes(json(package("intro")));
    const QStringList files = entries(package("intro"));
    markEdited(project);

    std::optional<ProjectStore::Result<void>> saved;
    {
        const FileSizeLimit full(64);
        saved = store().saveProject(project);
    }
    ASSERT_FALSE(saved->has_value());
    EXPECT_EQ(saved->error().kind, ProjectStoreError::Kind::writeFailed);
    EXPECT_TRUE(saved->error().description().startsWith(
        "Could not save project: Could not save project.json: "))
        << saved->error().description().toStdString();
    EXPECT_EQ(readBytes(json(package("intro"))), before);
    EXPECT_EQ(entries(package("intro")), files);

    ASSERT_TRUE(store().saveProject(project).has_value());
    EXPECT_TRUE(isEdited(package("intro")));
}

TEST_F(FullDisk, AnImageCopyThatRunsOutOfRoomLeavesNoPartOfIt)
{
    StoryboardProject project = create("Intro");
    project.scenes = {makeScene("S1", 0, "One")};
    ASSERT_TRUE(store().saveProject(project).has_value());
    QImage image(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 4, y * 4, (x * y) % 256));
    }
    const QString picked = outside("picked.png");
    ASSERT_TRUE(image.save(picked));

    std::optional<ProjectStore::Result<void>> attached;
    {
        const FileSizeLimit full(64);
        attached = store().attachSceneImage(picked, "S1", project);
    }
    ASSERT_FALSE(attached->has_value());
    EXPECT_EQ(attached->error().kind, ProjectStoreError::Kind::imageImportFailed);
    EXPECT_TRUE(entries(package("intro") + "/Media").isEmpty());

    ASSERT_TRUE(store().attachSceneImage(picked, "S1", project).has_value());
    EXPECT_EQ(entries(package("intro") + "/Media"), QStringList{"S1.png"});
}

} // namespace
