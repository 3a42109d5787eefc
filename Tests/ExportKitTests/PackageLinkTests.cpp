#include "ExportKit/ExportOrchestrator.h"
#include "StoryboardCore/Storage/LocalProjectStore.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"

#include "Support/FileSizeLimit.h"
#include "Support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QUuid>

#include <gtest/gtest.h>

#include <filesystem>

namespace veskel {
namespace {

namespace fs = std::filesystem;

using test::readBytes;

void writeImage(const QString &path, Qt::GlobalColor color)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(color);
    ASSERT_TRUE(image.save(path, "PNG")) << path.toStdString();
}

// Every item below a folder with its bytes and modification time (to the nanosecond); the
// times of folders, which change as entries come and go, only when asked for.
QMap<QString, std::pair<QByteArray, qint64>> snapshot(const QString &folder,
                                                      bool folderTimes = true)
{
    QMap<QString, std::pair<QByteArray, qint64>> items;
    for (const auto &entry : fs::recursive_directory_iterator(folder.toStdString())) {
        const QString path = QString::fromStdString(entry.path().string());
        const bool file = entry.is_regular_file();
        const qint64 time = qint64(entry.last_write_time().time_since_epoch().count());
        items.insert(path, {file ? readBytes(path) : QByteArray(), file || folderTimes ? time : 0});
    }
    return items;
}

// "Intro" with one scene and its image, exported once, in a root beside a folder of canary
// files that no operation on the package may touch.
class PackageWithLinks : public testing::Test
{
protected:
    void SetUp() override
    {
        const QString base = QDir(test::sandboxRoot())
                                 .filePath(QUuid::createUuid().toString(QUuid::WithoutBraces));
        outside = base + "/outside";
        ASSERT_TRUE(QDir().mkpath(outside + "/folder"));
        store.emplace(base + "/Projects");

        auto created = store->createProject(
            "Intro", VideoSettings::preset(VideoSettings::FormatPreset::horizontalHD, 25));
        ASSERT_TRUE(created.has_value());
        project = *created;
        project.videoSettings.width = 320;
        project.videoSettings.height = 180;
        Scene scene;
        scene.id = "5CE0E000-0000-4000-8000-000000000001";
        scene.title = "Opening";
        scene.durationSeconds = 5;
        scene.voiceoverText = "Welcome.";
        scene.createdAt = project.createdAt;
        scene.updatedAt = project.createdAt;
        project.scenes = {scene};
        package = store->packagePath(project).value_or(QString());
        writeImage(base + "/picked.png", Qt::red);
        picked = base + "/picked.png";
        ASSERT_TRUE(store->attachSceneImage(picked, scene.id, project).has_value());
        ASSERT_TRUE(ExportOrchestrator().exportProject(project, package).has_value());

        // Canaries named as the package's own files would be.
        const QString image = scene.id + ".png";
        for (const QString &name : {QStringLiteral("S001.png"), QStringLiteral("S009.png"), image,
                                    QStringLiteral("scenes.csv")})
            writeImage(outside + "/folder/" + name, Qt::blue);
        writeImage(outside + "/image.png", Qt::green);
        test::writeBytes(outside + "/project.json",
                         readBytes(ProjectPackagePaths::projectJSONPath(package)));
    }

    // Puts a link at `inside` (relative to the package) to `target` (relative to the canaries).
    void link(const QString &inside, const QString &target) const
    {
        const QString at = package + u'/' + inside;
        std::error_code error;
        fs::remove_all(at.toStdString(), error);
        fs::create_symlink((outside + u'/' + target).toStdString(), at.toStdString(), error);
        ASSERT_FALSE(error) << error.message();
    }

    QString outside;
    QString package;
    QString picked;
    std::optional<LocalProjectStore> store;
    StoryboardProject project;
};

struct Link
{
    const char *name;
    const char *inside;
    const char *target;
};

struct Operation
{
    const char *name;
    std::function<QString(LocalProjectStore &,
                          StoryboardProject &,
                          const QString &package,
                          const QString &picked)>
        run; // the error's description, empty on success
};

template<typename T, typename E>
QString failure(const std::expected<T, E> &result)
{
    return result ? QString() : result.error().description();
}

class LinkInPackage : public PackageWithLinks,
                      public testing::WithParamInterface<std::tuple<Link, Operation>>
{
};

TEST_P(LinkInPackage, NeverTouchesWhatLiesOutside)
{
    const auto &[where, operation] = GetParam();
    link(QString::fromUtf8(where.inside), QString::fromUtf8(where.target));
    const auto before = snapshot(outside);
    const QString error = operation.run(*store, project, package, picked);
    EXPECT_EQ(snapshot(outside), before) << error.toStdString();
}

const QString sceneID = QStringLiteral("5CE0E000-0000-4000-8000-000000000001");

INSTANTIATE_TEST_SUITE_P(
    StoreAndExport,
    LinkInPackage,
    testing::Combine(
        testing::Values(Link{"ExportMedia", "Exports/intro_fcp/Media", "folder"},
                        Link{"Exports", "Exports", "folder"},
                        Link{"Media", "Media", "folder"},
                        Link{"ProjectFile", "project.json", "project.json"},
                        Link{"Image", "Media/5CE0E000-0000-4000-8000-000000000001.png",
                             "image.png"},
                        Link{"Card", "Exports/intro_fcp/Media/S001.png", "image.png"},
                        Link{"SceneList", "Exports/intro_fcp/scenes.csv", "folder/scenes.csv"}),
        testing::Values(Operation{"Export",
                                  [](auto &,
                                     auto &project,
                                     const QString &package,
                                     const QString &) {
                                      return failure(
                                          ExportOrchestrator().exportProject(project, package));
                                  }},
                        Operation{
                            "Attach",
                            [](auto &store, auto &project, const QString &, const QString &picked) {
                                return failure(store.attachSceneImage(picked, sceneID, project));
                            }},
                        Operation{"Detach",
                                  [](auto &store, auto &project, const QString &, const QString &) {
                                      return failure(store.removeSceneImage(sceneID, project));
                                  }},
                        Operation{"Duplicate",
                                  [](auto &store, auto &project, const QString &, const QString &) {
                                      return failure(store.duplicateProject(project, "Copy"));
                                  }},
                        Operation{"Rename",
                                  [](auto &store, auto &project, const QString &, const QString &) {
                                      return failure(store.renameProject(project, "Renamed"));
                                  }},
                        Operation{"Edit",
                                  [](auto &store, auto &project, const QString &, const QString &) {
                                      project.scenes[0].voiceoverText = "Changed.";
                                      return failure(store.saveProject(project));
                                  }})),
    [](const auto &info) {
        return std::string(std::get<0>(info.param).name) + std::get<1>(info.param).name;
    });

// The refusals say which link stopped them.
TEST_F(PackageWithLinks, RefusalsNameTheLink)
{
    link("Exports/intro_fcp/Media", "folder");
    EXPECT_EQ(failure(ExportOrchestrator().exportProject(project, package)),
              "Export failed: Exports/intro_fcp/Media is a symbolic link; links inside a project "
              "package are not followed");
    link("Media", "folder");
    EXPECT_EQ(failure(store->attachSceneImage(picked, sceneID, project)),
              "Could not import image: Media is a symbolic link; links inside a project package "
              "are not followed.");
    link("project.json", "project.json");
    EXPECT_EQ(failure(store->loadProject(package)),
              "Could not read project.json: intro.veskel: project.json is a symbolic link; links "
              "inside a project package are not followed.");
}

TEST_F(PackageWithLinks, ALinkedImageIsNeitherDrawnNorCopied)
{
    StoryboardProject withoutImage = project;
    withoutImage.scenes[0].image.reset();
    const QString card = package + "/Exports/intro_fcp/Media/S001.png";
    ASSERT_TRUE(ExportOrchestrator().exportProject(withoutImage, package).has_value());
    const QByteArray plainCard = readBytes(card);

    link("Media/" + sceneID + ".png", "image.png");
    ASSERT_TRUE(ExportOrchestrator().exportProject(project, package).has_value());
    EXPECT_EQ(readBytes(card), plainCard);
    const auto copy = store->duplicateProject(project, "Copy");
    ASSERT_TRUE(copy.has_value());
    EXPECT_TRUE(QDir(store->packagePath(*copy).value_or(QString()) + "/Media").isEmpty());
}

// MARK: a full disk

TEST_F(PackageWithLinks, AnExportThatRunsOutOfRoomLeavesThePreviousFilesAndSucceedsLater)
{
    const QString folder = package + "/Exports/intro_fcp";
    const auto before = snapshot(folder, false);
    project.scenes[0].voiceoverText = "A new line for the card.";
    project.scenes[0].image.reset();

    std::optional<std::expected<ExportResult, ExportError>> exported;
    {
        const test::FileSizeLimit full(64);
        exported = ExportOrchestrator().exportProject(project, package);
    }
    ASSERT_FALSE(exported->has_value());
    EXPECT_EQ(exported->error().kind, ExportError::Kind::cannotRenderCard);
    EXPECT_EQ(snapshot(folder, false), before);

    exported = ExportOrchestrator().exportProject(project, package);
    ASSERT_TRUE(exported->has_value()) << exported->error().description().toStdString();
    EXPECT_NE(readBytes(folder + "/Media/S001.png"),
              before.value(folder + "/Media/S001.png").first);
}

} // namespace
} // namespace veskel
