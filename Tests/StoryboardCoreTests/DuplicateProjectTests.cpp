#include "StoreTestSupport.h"

#include "StoryboardCore/Script/ScriptDocumentCodec.h"

using namespace veskel;
using namespace veskel::test;

namespace {

constexpr auto sceneA = "AAAAAAAA-0000-4000-8000-000000000001";
constexpr auto sceneB = "BBBBBBBB-0000-4000-8000-000000000002";

class DuplicateProject : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        ASSERT_TRUE(store().createFolder("Clients").has_value());
        m_source = create("Demo");
        ASSERT_TRUE(store().moveProject(package("demo"), QString("Clients")).has_value());
        Scene a = makeScene(sceneA, 0, "Opening");
        a.image = SceneImage{"IMG", "shot.PNG", QString(sceneA) + ".png", SceneImage::MimeType::png,
                             4,     3};
        m_source.scenes = {a, makeScene(sceneB, 1, "Details")};
        m_source.scriptBlocks = {
            {"B0", "Draft line", ScriptBlockRole::voiceover, std::nullopt},
            {"B1", "Hello there.", ScriptBlockRole::voiceover, QString(sceneA)},
            {"B2", "Big title", ScriptBlockRole::onScreen, QString(sceneA)},
            {"B3", "check the mic", ScriptBlockRole::note, QString(sceneB)},
        };
        ASSERT_TRUE(store().saveProject(m_source).has_value());
        writeBytes(sourceMedia() + "/" + sceneA + ".png", "png bytes");
        writeBytes(sourceMedia() + "/unreferenced.txt", "kept too");
        writeBytes(sourceMedia() + "/.DS_Store", "hidden");
        QDir().mkpath(sourceMedia() + "/sub");
    }

    QString sourceMedia() const { return package("demo", "Clients") + "/Media"; }

    StoryboardProject m_source;
};

} // namespace

TEST_F(DuplicateProject, CopiesMediaUnderTheNewSceneIdsBesideTheSource)
{
    const QStringList sourceTree = tree(package("demo", "Clients"));
    const auto copy = store().duplicateProject(m_source, "  Demo copy ");
    ASSERT_TRUE(copy.has_value()) << copy.error().description().toStdString();

    EXPECT_NE(copy->id, m_source.id);
    EXPECT_EQ(copy->title, "Demo copy");
    ASSERT_EQ(copy->scenes.size(), 2);
    const Scene &a = copy->scenes.at(0);
    EXPECT_NE(a.id, sceneA);
    EXPECT_NE(copy->scenes.at(1).id, sceneB);
    ASSERT_TRUE(a.image.has_value());
    EXPECT_EQ(a.image->localPath, a.id + ".png");
    EXPECT_EQ(a.image->id, "IMG");
    EXPECT_EQ(a.image->originalFileName, "shot.PNG");

    const QString media = package("demo-copy", "Clients") + "/Media";
    EXPECT_EQ(entries(media), QStringList({a.id + ".png", "unreferenced.txt"}));
    EXPECT_EQ(readBytes(media + "/" + a.id + ".png"), "png bytes");
    EXPECT_EQ(tree(package("demo", "Clients")), sourceTree);
    EXPECT_EQ(store().loadProject(package("demo-copy", "Clients")), *copy);
}

TEST_F(DuplicateProject, ScriptShowsTheSameTextUnderTheSameHeadings)
{
    const auto copy = store().duplicateProject(m_source, "Demo copy");
    ASSERT_TRUE(copy.has_value());
    // The same text under the new scene ids: every block followed its scene.
    EXPECT_EQ(ScriptDocumentCodec::serialize(copy->scriptBlocks, copy->scenes).text,
              ScriptDocumentCodec::serialize(m_source.scriptBlocks, m_source.scenes).text);
    EXPECT_EQ(copy->scriptBlocks.at(0).sceneID, std::nullopt);
    EXPECT_EQ(copy->scriptBlocks.at(3).sceneID, copy->scenes.at(1).id);
}

TEST_F(DuplicateProject, NumbersTheCopyAndRefusesABlankTitle)
{
    ASSERT_TRUE(store().duplicateProject(m_source, "Demo").has_value());
    EXPECT_TRUE(QFileInfo(package("demo-2", "Clients")).isDir());
    EXPECT_EQ(store().duplicateProject(m_source, " ").error(),
              ProjectStoreError::writeFailed("Project title cannot be empty."));
    EXPECT_EQ(entries(root() + "/Clients"), QStringList({"demo-2.veskel", "demo.veskel"}));
}
