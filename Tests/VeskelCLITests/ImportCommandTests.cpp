#include "CLITestSupport.h"

#include "Support/TestSupport.h"

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

// What an import makes of a script: ScriptImportTests. Here: the file or standard input is read
// and the result appended after the project's scenes.
TEST_F(ImportCommand, AppendsAFileOrStandardInputAfterTheProjectsScenes)
{
    const Outcome imported
        = run({"import", "demo", writeFile("script.md", "[визуал: Финал]\nСпасибо!\n")});
    ASSERT_EQ(imported.code, 0) << imported.err.toStdString();
    EXPECT_TRUE(imported.out.isEmpty());
    EXPECT_TRUE(imported.err.isEmpty());
    ASSERT_EQ(run({"import", "demo", "-"}, "# Новая сцена\n").code, 0);

    const QString shown = run({"show", "demo"}).out;
    EXPECT_TRUE(shown.startsWith("# Opening\n")) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QString::fromUtf8("// check the mic\n\n# Финал\n\nСпасибо!\n\n"
                                                 "# Новая сцена\n")))
        << shown.toStdString();
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
