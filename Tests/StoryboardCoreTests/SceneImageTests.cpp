#include "StoreTestSupport.h"

#include "StoryboardCore/Storage/ImageDimensionsReader.h"
#include "StoryboardCore/Storage/ProjectPackagePaths.h"
#include "StoryboardCore/Storage/SceneImageFormat.h"

#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

using namespace veskel;
using namespace veskel::test;
using MimeType = SceneImage::MimeType;

namespace {

void writeImage(const QString &path, QSize size, const char *format)
{
    QDir().mkpath(QFileInfo(path).path());
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    ASSERT_TRUE(image.save(path, format)) << path.toStdString();
}

// A GIF header (no encoder ships with Qt): logical screen and one image of the given size.
QByteArray gif(quint16 width, quint16 height)
{
    QByteArray bytes("GIF89a");
    const auto le = [&](quint16 v) {
        bytes.append(char(v & 0xff));
        bytes.append(char(v >> 8));
    };
    le(width);
    le(height);
    bytes.append("\x80\x00\x00", 3);             // 2-colour global table
    bytes.append("\x00\x00\x00\xff\xff\xff", 6); // black, white
    bytes.append('\x2c');                        // image descriptor
    le(0);
    le(0);
    le(width);
    le(height);
    bytes.append('\x00');
    bytes.append("\x02\x02\x44\x01\x00", 5); // LZW data of one pixel
    bytes.append('\x3b');
    return bytes;
}

void writePDF(const QString &path, QSizeF firstPage, QSizeF secondPage)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(firstPage, QPageSize::Point));
    writer.setPageMargins(QMarginsF());
    QPainter painter(&writer);
    painter.drawText(10, 10, "one");
    writer.setPageSize(QPageSize(secondPage, QPageSize::Point));
    writer.newPage();
    painter.drawText(10, 10, "two");
}

QByteArray svg(const char *attributes)
{
    return QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" ") + attributes
           + "><rect width=\"10\" height=\"10\"/></svg>";
}

} // namespace

// MARK: formats

struct FormatCase
{
    const char *fileName;
    std::optional<MimeType> mimeType;
};

class Formats : public testing::TestWithParam<FormatCase>
{
};

TEST_P(Formats, ExtensionDecidesInAnyCase)
{
    const FormatCase &c = GetParam();
    EXPECT_EQ(SceneImageFormat::isSupported(QString("/x/") + c.fileName), c.mimeType.has_value());
    EXPECT_EQ(SceneImageFormat::mimeType(QFileInfo(c.fileName).suffix()), c.mimeType);
}

INSTANTIATE_TEST_SUITE_P(Files,
                         Formats,
                         testing::Values(FormatCase{"a.PNG", MimeType::png},
                                         FormatCase{"a.Jpg", MimeType::jpeg},
                                         FormatCase{"a.jpeg", MimeType::jpeg},
                                         FormatCase{"a.WEBP", MimeType::webp},
                                         FormatCase{"a.gif", MimeType::gif},
                                         FormatCase{"a.svg", MimeType::svg},
                                         FormatCase{"a.pdf", MimeType::pdf},
                                         FormatCase{"a.txt", std::nullopt},
                                         FormatCase{"README", std::nullopt},
                                         FormatCase{"a.svgz", std::nullopt}),
                         [](const auto &info) { return std::to_string(info.index); });

// MARK: dimensions

class Dimensions : public testing::Test
{
protected:
    QString file(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

TEST_F(Dimensions, RasterFormatsByTheirHeader)
{
    writeImage(file("a.png"), {64, 48}, "PNG");
    writeImage(file("a.jpg"), {33, 17}, "JPEG");
    writeImage(file("a.webp"), {20, 30}, "WEBP");
    writeBytes(file("a.gif"), gif(7, 3));
    // The content decides, not the name.
    writeImage(file("jpeg-inside.png"), {5, 6}, "JPEG");
    EXPECT_EQ(ImageDimensionsReader::dimensions(file("a.png")), QSize(64, 48));
    EXPECT_EQ(ImageDimensionsReader::dimensions(file("a.jpg")), QSize(33, 17));
    EXPECT_EQ(ImageDimensionsReader::dimensions(file("a.webp")), QSize(20, 30));
    EXPECT_EQ(ImageDimensionsReader::dimensions(file("a.gif")), QSize(7, 3));
    EXPECT_EQ(ImageDimensionsReader::dimensions(file("jpeg-inside.png")), QSize(5, 6));
}

TEST_F(Dimensions, SVGByItsIntrinsicSize)
{
    writeBytes(file("sized.svg"), svg("width=\"320\" height=\"240\""));
    writeBytes(file("viewbox.svg"), svg("viewBox=\"0 0 50 40\""));
    EXPECT_EQ(ImageDimensionsReader::dimensions(file("sized.svg")), QSize(320, 240));
    EXPECT_EQ(ImageDimensionsReader::dimensions(file("viewbox.svg")), QSize(50, 40));
}

TEST_F(Dimensions, PDFByItsFirstPageInPoints)
{
    writePDF(file("doc.pdf"), {200, 100}, {595, 842});
    EXPECT_EQ(ImageDimensionsReader::dimensions(file("doc.pdf")), QSize(200, 100));
}

TEST_F(Dimensions, ReadableFileWithoutAUsableSizeFallsBackToFullHD)
{
    writeBytes(file("zero.svg"), svg("width=\"0.4\" height=\"300\""));
    writeBytes(file("zero.gif"), gif(0, 5));
    EXPECT_EQ(ImageDimensionsReader::dimensions(file("zero.svg")), QSize(1920, 1080));
    EXPECT_EQ(ImageDimensionsReader::dimensions(file("zero.gif")), QSize(1920, 1080));
}

TEST_F(Dimensions, UnreadableFilesFail)
{
    const ProjectStoreError unreadable
        = ProjectStoreError::imageImportFailed("Could not read image file.");
    for (const char *name :
         {"text.png", "text.jpg", "text.svg", "text.pdf", "text.gif", "text.webp"}) {
        writeBytes(file(name), "just some text");
        EXPECT_EQ(ImageDimensionsReader::dimensions(file(name)).error(), unreadable) << name;
    }
    EXPECT_EQ(ImageDimensionsReader::dimensions(file("missing.png")).error(), unreadable);
    QDir().mkpath(file("folder.png"));
    EXPECT_EQ(ImageDimensionsReader::dimensions(file("folder.png")).error().description(),
              "Could not import image: Could not read image file..");
}

// MARK: attach and remove

namespace {

constexpr auto sceneA = "3F2A0000-0000-4000-8000-0000000000C9";
constexpr auto sceneB = "7B1C0000-0000-4000-8000-000000000011";

class SceneImages : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        m_project = create("Demo");
        m_project.scenes = {makeScene(sceneA, 0, "One"), makeScene(sceneB, 1, "Two")};
        ASSERT_TRUE(store().saveProject(m_project).has_value());
    }

    QString media() const { return package("demo") + "/Media"; }
    QString source(const QString &name) const { return outside("src/" + name); }
    const Scene &scene(int index) const { return m_project.scenes.at(index); }

    StoryboardProject m_project;
};

} // namespace

TEST_F(SceneImages, CopiesUnderTheSceneIdAndRecordsTheImage)
{
    writeImage(source("Photo.JPEG"), {40, 30}, "JPEG");
    const QDateTime before = m_project.updatedAt;
    ASSERT_TRUE(store().attachSceneImage(source("Photo.JPEG"), sceneA, m_project).has_value());

    ASSERT_TRUE(scene(0).image.has_value());
    const SceneImage &image = *scene(0).image;
    EXPECT_EQ(image.localPath, QString(sceneA) + ".jpeg");
    EXPECT_EQ(image.originalFileName, "Photo.JPEG");
    EXPECT_EQ(image.mimeType, MimeType::jpeg);
    EXPECT_EQ(QSize(image.width, image.height), QSize(40, 30));
    EXPECT_EQ(image.id.size(), 36);
    EXPECT_GE(m_project.updatedAt, before);
    EXPECT_EQ(entries(media()), QStringList{QString(sceneA) + ".jpeg"});
    EXPECT_EQ(readBytes(media() + "/" + sceneA + ".jpeg"), readBytes(source("Photo.JPEG")));
    // Saved at once.
    EXPECT_EQ(store().loadProject(package("demo"))->scenes.at(0).image, image);
}

TEST_F(SceneImages, JpgKeepsItsOwnExtension)
{
    writeImage(source("icon.jpg"), {4, 4}, "JPEG");
    ASSERT_TRUE(store().attachSceneImage(source("icon.jpg"), sceneB, m_project).has_value());
    EXPECT_EQ(scene(1).image->localPath, QString(sceneB) + ".jpg");
    EXPECT_EQ(scene(1).image->mimeType, MimeType::jpeg);
}

TEST_F(SceneImages, UnsupportedFilesFailBeforeTouchingAnything)
{
    writeBytes(source("notes.txt"), "text");
    writeBytes(source("README"), "text");
    const StoryboardProject before = m_project;
    const QStringList treeBefore = tree(root());
    EXPECT_EQ(
        store().attachSceneImage(source("notes.txt"), sceneA, m_project).error().description(),
        "Unsupported image format: .txt. Use PNG, JPEG, WebP, GIF, SVG, or PDF.");
    EXPECT_EQ(store()
                  .attachSceneImage(source("README"), "no such scene", m_project)
                  .error()
                  .description(),
              "Unsupported image format: .unknown. Use PNG, JPEG, WebP, GIF, SVG, or PDF.");
    EXPECT_EQ(m_project, before);
    EXPECT_EQ(tree(root()), treeBefore);
}

TEST_F(SceneImages, UnknownSceneFailsEvenForAGoodImage)
{
    writeImage(source("a.png"), {4, 4}, "PNG");
    EXPECT_EQ(store().attachSceneImage(source("a.png"), "nope", m_project).error().description(),
              "Could not save project: Scene not found..");
    EXPECT_EQ(store().removeSceneImage("nope", m_project).error(),
              ProjectStoreError::writeFailed("Scene not found."));
    EXPECT_TRUE(entries(media()).isEmpty());
}

// Undo may bring the replaced image back, so its file stays until nothing refers to it.
TEST_F(SceneImages, AReplacementGetsAFileOfItsOwnAndTheFirstStaysUntilUnused)
{
    writeImage(source("a.png"), {4, 4}, "PNG");
    writeImage(source("c.png"), {6, 6}, "PNG");
    writeBytes(source("b.gif"), gif(9, 9));
    ASSERT_TRUE(store().attachSceneImage(source("a.png"), sceneA, m_project).has_value());
    const SceneImage first = *scene(0).image;
    ASSERT_TRUE(store().attachSceneImage(source("b.gif"), sceneA, m_project).has_value());
    EXPECT_EQ(scene(0).image->mimeType, MimeType::gif);
    EXPECT_EQ(scene(0).image->width, 9);
    // The same extension again: a new name, so the first picture is not overwritten.
    ASSERT_TRUE(store().attachSceneImage(source("c.png"), sceneA, m_project).has_value());
    EXPECT_EQ(scene(0).image->localPath, QString(sceneA) + "-2.png");
    EXPECT_NE(scene(0).image->id, first.id);
    EXPECT_EQ(entries(media()), QStringList({QString(sceneA) + "-2.png", QString(sceneA) + ".gif",
                                             QString(sceneA) + ".png"}));
    EXPECT_EQ(readBytes(media() + "/" + first.localPath), readBytes(source("a.png")));

    ASSERT_TRUE(store().removeUnusedMedia(m_project).has_value());
    EXPECT_EQ(entries(media()), QStringList{QString(sceneA) + "-2.png"});
}

TEST_F(SceneImages, ABrokenReplacementFailsAndLeavesTheSceneAndItsFileAsTheyWere)
{
    writeImage(source("a.png"), {4, 4}, "PNG");
    writeBytes(source("broken.png"), "not an image");
    ASSERT_TRUE(store().attachSceneImage(source("a.png"), sceneA, m_project).has_value());
    const StoryboardProject before = m_project;
    const auto attached = store().attachSceneImage(source("broken.png"), sceneA, m_project);
    EXPECT_EQ(attached.error().description(),
              "Could not import image: Could not read image file..");
    EXPECT_EQ(m_project, before);
    EXPECT_EQ(entries(media()), QStringList{QString(sceneA) + ".png"});
    EXPECT_EQ(readBytes(media() + "/" + sceneA + ".png"), readBytes(source("a.png")));
}

TEST_F(SceneImages, UnusedMediaKeepsFilesOthersNamedOrTheSavedFileRefersTo)
{
    writeImage(source("a.png"), {4, 4}, "PNG");
    writeBytes(media() + "/handmade.png", "mine");
    writeBytes(media() + "/" + sceneB + "-3.png", "orphan");
    // Another writer attached an image this copy of the project has not seen.
    StoryboardProject other = m_project;
    ASSERT_TRUE(store().attachSceneImage(source("a.png"), sceneA, other).has_value());
    ASSERT_TRUE(store().removeUnusedMedia(m_project).has_value());
    EXPECT_EQ(entries(media()), QStringList({QString(sceneA) + ".png", "handmade.png"}));
}

TEST_F(SceneImages, MissingSourceIsAnImportFailure)
{
    const auto attached = store().attachSceneImage(source("gone.png"), sceneA, m_project);
    ASSERT_FALSE(attached.has_value());
    EXPECT_EQ(attached.error().kind, ProjectStoreError::Kind::imageImportFailed);
    EXPECT_TRUE(entries(media()).isEmpty());
}

TEST_F(SceneImages, RemovingClearsTheRecordAndKeepsTheFileUntilUnused)
{
    writeImage(source("a.png"), {4, 4}, "PNG");
    ASSERT_TRUE(store().attachSceneImage(source("a.png"), sceneA, m_project).has_value());
    ASSERT_TRUE(store().removeSceneImage(sceneA, m_project).has_value());
    EXPECT_FALSE(scene(0).image.has_value());
    EXPECT_FALSE(store().loadProject(package("demo"))->scenes.at(0).image.has_value());
    EXPECT_EQ(entries(media()), QStringList{QString(sceneA) + ".png"});
    ASSERT_TRUE(store().removeUnusedMedia(m_project).has_value());
    EXPECT_TRUE(entries(media()).isEmpty());
}

TEST_F(SceneImages, RemovingAFileDeletedByHandOrNoImageStillSucceeds)
{
    writeImage(source("a.png"), {4, 4}, "PNG");
    ASSERT_TRUE(store().attachSceneImage(source("a.png"), sceneA, m_project).has_value());
    QFile::remove(media() + "/" + sceneA + ".png");
    EXPECT_TRUE(store().removeSceneImage(sceneA, m_project).has_value());
    EXPECT_FALSE(scene(0).image.has_value());
    EXPECT_TRUE(store().removeSceneImage(sceneB, m_project).has_value());
}

// MARK: hostile project files

class HostileLocalPaths : public SceneImages, public testing::WithParamInterface<const char *>
{
protected:
    void SetUp() override
    {
        SceneImages::SetUp();
        writeBytes(outside("victim.png"), "precious");
        writeBytes(package("demo") + "/Exports/victim.png", "precious too");
        QString localPath = QString::fromUtf8(GetParam());
        localPath.replace("$OUTSIDE", outside(""));
        m_project.scenes[0].image = SceneImage{"I", "victim.png", localPath, MimeType::png, 1, 1};
        ASSERT_TRUE(store().saveProject(m_project).has_value());
        m_before = tree(outside(""));
        m_before.removeAll("Projects/demo.veskel/project.json"); // rewritten by every operation
    }

    void expectOnlyMediaChanged(const QStringList &mediaAfter)
    {
        QStringList after = tree(outside(""));
        after.removeAll("Projects/demo.veskel/project.json");
        for (const QString &name : mediaAfter)
            after.removeAll("Projects/demo.veskel/Media/" + name);
        EXPECT_EQ(after, m_before);
        EXPECT_EQ(readBytes(outside("victim.png")), "precious");
        EXPECT_EQ(readBytes(package("demo") + "/Exports/victim.png"), "precious too");
    }

    QStringList m_before;
};

TEST_P(HostileLocalPaths, RemovingNeverDeletesThroughThePath)
{
    ASSERT_TRUE(store().removeSceneImage(sceneA, m_project).has_value());
    EXPECT_FALSE(scene(0).image.has_value());
    expectOnlyMediaChanged({});
}

TEST_P(HostileLocalPaths, ReplacingNeverDeletesThroughThePath)
{
    writeImage(source("new.png"), {2, 2}, "PNG");
    ASSERT_TRUE(store().attachSceneImage(source("new.png"), sceneA, m_project).has_value());
    EXPECT_EQ(scene(0).image->localPath, QString(sceneA) + ".png");
    m_before.append({"src", "src/new.png"});
    m_before.sort();
    expectOnlyMediaChanged({QString(sceneA) + ".png"});
}

TEST_P(HostileLocalPaths, DuplicatingNeverCopiesOrRenamesThroughThePath)
{
    const auto copy = store().duplicateProject(m_project, "Copy");
    ASSERT_TRUE(copy.has_value()) << copy.error().description().toStdString();
    EXPECT_EQ(readBytes(outside("victim.png")), "precious");
    EXPECT_EQ(readBytes(package("demo") + "/Exports/victim.png"), "precious too");
    EXPECT_TRUE(entries(package("copy") + "/Media").isEmpty());
    EXPECT_TRUE(entries(package("copy") + "/Exports").isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Paths,
                         HostileLocalPaths,
                         testing::Values("../../../victim.png",
                                         "$OUTSIDE/victim.png",
                                         "../Exports/victim.png",
                                         "..\\Exports\\victim.png",
                                         "..",
                                         ""),
                         [](const auto &info) { return std::to_string(info.index); });

class HostileSceneIDs : public StoreTest, public testing::WithParamInterface<const char *>
{
};

TEST_P(HostileSceneIDs, AreRefusedAsFileNames)
{
    StoryboardProject project = create("Demo");
    const QString id = QString::fromUtf8(GetParam()).replace("$OUTSIDE", outside(""));
    project.scenes = {makeScene(id, 0, "Evil")};
    ASSERT_TRUE(store().saveProject(project).has_value());
    writeImage(outside("src/a.png"), {2, 2}, "PNG");
    const QStringList before = tree(outside(""));

    const auto attached = store().attachSceneImage(outside("src/a.png"), id, project);
    ASSERT_FALSE(attached.has_value());
    EXPECT_EQ(attached.error(),
              ProjectStoreError::writeFailed("Scene id cannot be used as a file name: " + id));
    EXPECT_EQ(tree(outside("")), before);
    EXPECT_FALSE(project.scenes.at(0).image.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    IDs,
    HostileSceneIDs,
    testing::Values("../evil", "../../../../evil", "a/b", "$OUTSIDE/evil", "..", "..\\evil", ""),
    [](const auto &info) { return std::to_string(info.index); });
