#include "CLITestSupport.h"

#include "Support/TestSupport.h"

#include "StoryboardCore/Storage/LocalProjectStore.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace veskel;

namespace {

using test::Outcome;

class ImportCommand : public test::CLITest
{
protected:
    void SetUp() override
    {
        CLITest::SetUp();
        ASSERT_EQ(run({"new", "Demo", "--script", "-"},
                      "# Opening\nHello there.\n> Big title\n\n# Details\n// check the mic\n")
                      .code,
                  0);
    }

    QString package() const { return root() + "/demo.veskel"; }

    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        return test::writeBytes(path(name), bytes);
    }

    QByteArray projectFile() const { return test::readBytes(package() + "/project.json"); }
};

const char *const markdown = "## Сценарий\n"
                             "[визуал: Вступление]\n"
                             "Привет всем.\n"
                             "[b-roll: улица]\n"
                             "\n"
                             "[визуал: Финал]\n"
                             "Спасибо!\n"
                             "\n"
                             "## Визуалы\n"
                             "### Вступление\n"
                             "**Текст на слайде:** Добро пожаловать\n";

TEST_F(ImportCommand, AppendsTheScriptAfterTheProjectsScenes)
{
    const Outcome imported = run({"import", "demo", writeFile("script.md", markdown)});
    ASSERT_EQ(imported.code, 0) << imported.err.toStdString();
    EXPECT_TRUE(imported.out.isEmpty());
    EXPECT_TRUE(imported.err.isEmpty());

    EXPECT_EQ(run({"show", "demo"}).out, QString::fromUtf8("# Opening\n"
                                                           "\n"
                                                           "Hello there.\n"
                                                           "\n"
                                                           "> Big title\n"
                                                           "\n"
                                                           "# Details\n"
                                                           "\n"
                                                           "// check the mic\n"
                                                           "\n"
                                                           "# Добро пожаловать\n"
                                                           "\n"
                                                           "> Добро пожаловать\n"
                                                           "\n"
                                                           "Привет всем.\n"
                                                           "\n"
                                                           "// улица\n"
                                                           "\n"
                                                           "# Финал\n"
                                                           "\n"
                                                           "Спасибо!\n"));
}

// Markup-looking lines of a plain text are imported as the document shows them
// (ScriptImportTests reads that back); here the text comes from standard input.
TEST_F(ImportCommand, ReadsStandardInput)
{
    const Outcome imported
        = run({"import", "demo", "-"}, "Просто абзац.\n\n# Новая сцена\n> цитата\n// заметка");
    ASSERT_EQ(imported.code, 0) << imported.err.toStdString();
    const auto project = LocalProjectStore(root()).loadProject(package());
    ASSERT_TRUE(project.has_value());
    ASSERT_EQ(project->scenes.size(), 3);
    EXPECT_EQ(project->scenes.at(1).voiceoverText, QString::fromUtf8("Просто абзац."));
    EXPECT_EQ(project->scenes.at(2).onScreenText, QString::fromUtf8("цитата"));
}

struct FailureCase
{
    const char *name;
    QByteArray bytes; // written to a file, or nothing for a missing file
    bool exists;
    const char *message;
};

void PrintTo(const FailureCase &c, std::ostream *os)
{
    *os << c.name;
}

class ImportFailure : public ImportCommand, public testing::WithParamInterface<FailureCase>
{
};

TEST_P(ImportFailure, ReportsTheEditorsMessageAndLeavesTheProject)
{
    const FailureCase &c = GetParam();
    const QByteArray before = projectFile();
    const QString file = c.exists ? writeFile("script.md", c.bytes) : path("missing.md");
    const Outcome result = run({"import", "demo", file});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_EQ(result.err, QString::fromUtf8(c.message) + "\n");
    EXPECT_EQ(projectFile(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    ImportFailure,
    testing::Values(FailureCase{"blank", " \n\t\r\n", true, "The script text is empty."},
                    FailureCase{"missing", {}, false, "Could not read the script file."},
                    FailureCase{"latin1", "caf\xE9", true, "Could not read the script file."}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
