#include "StoryboardCore/Script/ScriptDocumentCodec.h"
#include "StoryboardCore/Script/ScriptDocumentEdit.h"
#include "StoryboardCore/Script/ScriptImport.h"

#include "Support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "BlockDescriptions.h"

#include <gtest/gtest.h>

using namespace veskel;

namespace {

Scene existingScene(const QString &id, int order, const QString &title)
{
    Scene scene;
    scene.id = id;
    scene.order = order;
    scene.title = title;
    scene.durationSeconds = 5;
    scene.marker.title = QStringLiteral("S00%1 · %2").arg(order + 1).arg(title);
    scene.createdAt = QDateTime(QDate(2025, 3, 1), QTime(10, 0), Qt::UTC);
    scene.updatedAt = scene.createdAt;
    return scene;
}

StoryboardProject twoSceneProject()
{
    StoryboardProject project;
    project.id = QStringLiteral("P");
    project.title = QStringLiteral("Ипотека");
    project.createdAt = QDateTime(QDate(2025, 3, 1), QTime(10, 0), Qt::UTC);
    project.updatedAt = project.createdAt;
    project.scenes = {existingScene(QStringLiteral("B"), 1, QStringLiteral("Финал")),
                      existingScene(QStringLiteral("A"), 0, QStringLiteral("Начало"))};
    project.scriptBlocks = {
        ScriptBlock{QStringLiteral("b1"), QStringLiteral("Привет"), ScriptBlockRole::voiceover,
                    QStringLiteral("A")},
        ScriptBlock{QStringLiteral("b2"), QStringLiteral("Пока"), ScriptBlockRole::voiceover,
                    QStringLiteral("B")},
    };
    return project;
}

class ScriptImportTest : public ::testing::Test
{
protected:
    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        return veskel::test::writeBytes(dir.filePath(name), bytes);
    }

    QTemporaryDir dir{veskel::test::sandboxRoot() + QStringLiteral("/import-XXXXXX")};
};

// The middle scene's only text is the on-slide text of its visuals entry; it still stands where
// its marker does: second in order, in blocks and in the document.
TEST_F(ScriptImportTest, AppendsScenesAfterTheProjectsOwnInMarkerOrder)
{
    StoryboardProject project = twoSceneProject();
    const StoryboardProject before = project;
    const auto imported = ScriptImport::importText(
        QStringLiteral("\n  ## Сценарий\n[визуал: Ставка]\nСтавка решает всё.\n\n"
                       "[визуал: Срок]\n[пауза]\n\n[визуал: Итог]\nВыбирайте с умом.\n\n"
                       "## Визуалы\n### Срок\n**Текст на слайде:** Тридцать лет\n  \n"),
        project);
    ASSERT_TRUE(imported.has_value());

    ASSERT_EQ(project.scenes.size(), 5);
    EXPECT_EQ(project.scenes.at(0).id, QStringLiteral("A"));
    EXPECT_EQ(project.scenes.at(1).id, QStringLiteral("B"));
    EXPECT_EQ(project.scenes.at(1).marker.title, before.scenes.at(0).marker.title);
    QStringList titles;
    QStringList markerTitles;
    QList<int> orders;
    for (const Scene &scene : *imported) {
        titles << scene.title;
        markerTitles << scene.marker.title;
        orders << scene.order;
    }
    EXPECT_EQ(titles, QStringList({"Ставка", "Тридцать лет", "Итог"}));
    EXPECT_EQ(markerTitles, QStringList({"S003 · Ставка", "S004 · Тридцать лет", "S005 · Итог"}));
    EXPECT_EQ(orders, QList<int>({2, 3, 4}));
    EXPECT_EQ(imported->at(0).durationSeconds, 2);
    EXPECT_EQ(imported->at(1).onScreenText, QStringLiteral("Тридцать лет"));
    EXPECT_EQ(*imported, project.scenes.mid(2));

    EXPECT_EQ(
        test::describeBlocks(project),
        QStringList({"Начало|voiceover|Привет", "Финал|voiceover|Пока",
                     "Ставка|voiceover|Ставка решает всё.", "Тридцать лет|onScreen|Тридцать лет",
                     "Итог|voiceover|Выбирайте с умом."}));
    EXPECT_EQ(ScriptDocumentCodec::serialize(project.scriptBlocks, project.orderedScenes()).text,
              QStringLiteral("# Начало\n\nПривет\n\n# Финал\n\nПока\n\n# Ставка\n\nСтавка решает "
                             "всё.\n\n# Тридцать лет\n\n> Тридцать лет\n\n# Итог\n\nВыбирайте с "
                             "умом.\n"));
    EXPECT_GT(project.updatedAt, before.updatedAt);
}

// A file may leave gaps in the numbering; an imported scene without text still comes last.
TEST_F(ScriptImportTest, ASceneWithoutTextGoesAfterAProjectWithGapsInItsNumbering)
{
    StoryboardProject project = twoSceneProject();
    project.scenes[1].order = 5;
    ASSERT_TRUE(ScriptImport::importText(QStringLiteral("[визуал: Пусто]\n[пауза]\n"), project)
                    .has_value());
    QStringList titles;
    for (const Scene &scene : project.orderedScenes())
        titles << scene.title;
    EXPECT_EQ(titles, QStringList({"Начало", "Финал", "Пусто"}));
}

// Whatever the Markdown held, the import is what its document text reads as: showing the
// document and reading it back (the next keystroke, `veskel-cli edit`) changes nothing.
class ImportRoundTrip : public ScriptImportTest, public ::testing::WithParamInterface<const char *>
{
};

TEST_P(ImportRoundTrip, DocumentReadsBackAsTheImport)
{
    StoryboardProject project = twoSceneProject();
    ASSERT_TRUE(ScriptImport::importText(QString::fromUtf8(GetParam()), project).has_value());
    StoryboardProject reread = project;
    ScriptDocumentEdit::apply(
        ScriptDocumentCodec::serialize(project.scriptBlocks, project.orderedScenes()).text, reread);
    EXPECT_EQ(test::describeBlocks(reread), test::describeBlocks(project));
    ASSERT_EQ(reread.scenes.size(), project.scenes.size());
    for (qsizetype i = 0; i < project.scenes.size(); ++i) {
        Scene settled = project.scenes.at(i);
        settled.updatedAt = reread.scenes.at(i).updatedAt;
        EXPECT_EQ(reread.scenes.at(i), settled);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts,
    ImportRoundTrip,
    ::testing::Values(
        "# Intro\nPlain words\n> quoted line\n\n// not a comment\n#hashtag stays\n\n## Two",
        "Voiceover\n>\n> \n\n//\n\n   #   \n",
        "[визуал: Кадр]\nТекст\n### Подзаголовок\n> цитата\n\n[визуал: Кадр]\n// заметка\n"
        "[b-roll: вид]",
        "## Сценарий\n[визуал: A\nB]\nline\n\n## Визуалы\n### A\n**Текст на слайде:** # x\n"
        "**Что на экране:** // y"));

TEST_F(ScriptImportTest, BlankTextIsRefusedAndTheProjectLeftAlone)
{
    for (const QString &blank : {QString(), QStringLiteral(" \n\t\r\n\u00A0\u2028")}) {
        StoryboardProject project = twoSceneProject();
        const auto result = ScriptImport::importText(blank, project);
        ASSERT_FALSE(result.has_value());
        EXPECT_EQ(result.error().kind, ScriptImportError::Kind::emptyText);
        EXPECT_EQ(project, twoSceneProject());
    }
}

TEST_F(ScriptImportTest, ReadsAUTF8FileWithWindowsLineEnds)
{
    const QString path
        = writeFile(QStringLiteral("сценарий.md"),
                    QByteArray("\xEF\xBB\xBF## Сценарий\r\n[визуал: Вступление]\r\nТекст.\r\n"));
    StoryboardProject project;
    const auto imported = ScriptImport::importFile(path, project);
    ASSERT_TRUE(imported.has_value());
    ASSERT_EQ(project.scenes.size(), 1);
    EXPECT_EQ(project.scenes.at(0).title, QStringLiteral("Вступление"));
    EXPECT_EQ(project.scenes.at(0).voiceoverText, QStringLiteral("Текст."));
}

TEST_F(ScriptImportTest, UnreadableFilesAreReportedWithTheirPath)
{
    const QStringList paths = {
        dir.filePath(QStringLiteral("missing.md")),
        dir.path(),
        // Latin-1 "é" is not UTF-8.
        writeFile(QStringLiteral("latin1.md"), QByteArray("caf\xE9 au lait")),
        // A truncated Cyrillic letter at the end.
        writeFile(QStringLiteral("cut.md"), QByteArray("\xD0\x9F\xD1\x80\xD0")),
    };
    for (const QString &path : paths) {
        StoryboardProject project = twoSceneProject();
        const auto result = ScriptImport::importFile(path, project);
        ASSERT_FALSE(result.has_value()) << path.toStdString();
        EXPECT_EQ(result.error(),
                  (ScriptImportError{ScriptImportError::Kind::unreadableFile, path}));
        EXPECT_EQ(project, twoSceneProject());
    }

    // An empty file reads fine and is then refused as empty text.
    StoryboardProject project;
    const auto empty = ScriptImport::importFile(writeFile(QStringLiteral("empty.md"), {}), project);
    ASSERT_FALSE(empty.has_value());
    EXPECT_EQ(empty.error().kind, ScriptImportError::Kind::emptyText);
}

} // namespace
