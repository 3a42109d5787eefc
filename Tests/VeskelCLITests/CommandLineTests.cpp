#include "CLITestSupport.h"

#include "Support/TestSupport.h"

#include "StoryboardCore/Storage/LocalProjectStore.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace veskel;

namespace {

using CommandLine = test::CLITest;
using test::Outcome;

const char *const script = "# Opening\n"
                           "Hello there.\n"
                           "> Big title\n"
                           "\n"
                           "# Details\n"
                           "// check the mic\n";

} // namespace

// MARK: usage

struct UsageCase
{
    QStringList arguments;
    const char *expectedInError;
};

class WrongUsage : public CommandLine, public testing::WithParamInterface<UsageCase>
{
};

TEST_P(WrongUsage, ExitsWithTwoAndAUsageLine)
{
    const Outcome result = run(GetParam().arguments);
    EXPECT_EQ(result.code, 2);
    EXPECT_TRUE(result.err.contains(GetParam().expectedInError)) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(root()));
}

INSTANTIATE_TEST_SUITE_P(
    Lines,
    WrongUsage,
    testing::Values(UsageCase{{}, "usage: veskel-cli [--root DIR] COMMAND"},
                    UsageCase{{"frobnicate"}, "unknown command frobnicate"},
                    // Every command's usage line comes from its entry in the command table.
                    UsageCase{{"new"}, "usage: veskel-cli [--root DIR] new TITLE"},
                    UsageCase{{"new", "A", "B"}, "too many arguments"},
                    UsageCase{{"new", "A", "--fps", "fast"}, "--fps needs a whole number"},
                    UsageCase{{"new", "A", "--format", "square"}, "unknown format square"},
                    UsageCase{{"new", "A", "--script"}, "--script needs a value"},
                    UsageCase{{"list", "--yaml"}, "unknown option --yaml"},
                    UsageCase{{"list", "--sort", "size"}, "unknown order size"}),
    [](const auto &info) { return std::to_string(info.index); });

// MARK: a project from a script

TEST_F(CommandLine, NewFromAScriptThenShowAndValidate)
{
    const Outcome created
        = run({"new", "Intro video", "--format", "horizontalHD", "--script", "-"}, script);
    ASSERT_EQ(created.code, 0) << created.err.toStdString();
    EXPECT_EQ(created.out, root() + "/intro-video.veskel\n");

    const Outcome shown = run({"show", "intro-video"});
    EXPECT_EQ(shown.code, 0);
    EXPECT_EQ(shown.out, "# Opening\n"
                         "\n"
                         "Hello there.\n"
                         "\n"
                         "> Big title\n"
                         "\n"
                         "# Details\n"
                         "\n"
                         "// check the mic\n");

    const Outcome validated = run({"validate", root() + "/intro-video.veskel"});
    EXPECT_EQ(validated.code, 0);
    EXPECT_TRUE(validated.out.isEmpty());
}

// What the edit and the validator make of the text: ScriptDocumentCodecTests and
// ProjectValidatorTests.
TEST_F(CommandLine, EditReplacesTheScriptAndValidatePrintsOneLinePerIssue)
{
    ASSERT_EQ(run({"new", "Demo", "--fps", "29", "--script", "-"}, script).code, 0);
    ASSERT_EQ(run({"edit", "demo", test::writeBytes(path("edited.txt"), "#\n")}).code, 0);
    EXPECT_EQ(run({"show", "demo"}).out, "#\n");

    const Outcome validated = run({"validate", "demo"});
    EXPECT_EQ(validated.code, 1);
    EXPECT_EQ(validated.out, "error: Unsupported frame rate: 29 fps.\n"
                             "error: S001 Untitled: missing scene title.\n");
}

TEST_F(CommandLine, ProjectWithoutScenesCannotBeExported)
{
    ASSERT_EQ(run({"new", "Empty"}).code, 0);
    const Outcome validated = run({"validate", "empty"});
    EXPECT_EQ(validated.code, 1);
    EXPECT_EQ(validated.out,
              QString::fromUtf8("error: No scenes in the project: start one with a line "
                                "\u201C# Title\u201D.\n"));
}

// A title or heading from someone else's file must not drive the terminal it is printed on.
TEST_F(CommandLine, ControlCharactersArePrintedEscaped)
{
    const QString title = QStringLiteral("Red\x1b[31m\u009B2J\rTitle");
    const Outcome created
        = run({"new", title, "--script", "-"}, "# Scene\x1b]0;owned\x07\n\tHello\x7f\n");
    ASSERT_EQ(created.code, 0);
    const auto hasRawControls = [](const QString &text) {
        return std::any_of(text.begin(), text.end(), [](QChar c) {
            return c.category() == QChar::Other_Control && c != u'\n' && c != u'\t';
        });
    };

    const Outcome listed = run({"list"});
    EXPECT_TRUE(listed.out.contains(R"(Red\x1b[31m\x9b2J\x0dTitle)")) << listed.out.toStdString();
    const Outcome shown = run({"show", created.out.trimmed()});
    EXPECT_EQ(shown.out, "# Scene\\x1b]0;owned\\x07\n\nHello\\x7f\n");
    const Outcome json = run({"list", "--json"});
    EXPECT_EQ(QJsonDocument::fromJson(json.out.toUtf8()).array().at(0)["title"].toString(), title);
    for (const Outcome &printed : {listed, shown, json})
        EXPECT_FALSE(hasRawControls(printed.out)) << printed.out.toStdString();
}

// MARK: failures carry the core's messages

struct FailureCase
{
    QStringList arguments;
    const char *message;
};

class Failures : public CommandLine, public testing::WithParamInterface<FailureCase>
{
};

TEST_P(Failures, ExitWithOneAndTheCoreMessage)
{
    ASSERT_EQ(run({"new", "Demo"}).code, 0);
    const Outcome result = run(GetParam().arguments);
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.err, QString::fromUtf8(GetParam().message) + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Commands,
    Failures,
    testing::Values(
        FailureCase{{"show", "nope"}, "Project not found: nope."},
        FailureCase{{"show", "../Projects/demo"}, "Project not found: ../Projects/demo."},
        FailureCase{{"new", "  "}, "Could not save project: Project title cannot be empty.."},
        FailureCase{{"folder-create", "a/b"},
                    "Could not save project: Folder name is not allowed: a/b.."},
        FailureCase{{"folder-delete", ".."},
                    "Could not save project: Folder name is not allowed: ...."},
        FailureCase{{"move", "demo", "Nowhere"}, "Project not found: Nowhere."},
        FailureCase{{"detach", "demo", "S009"}, "Could not save project: Scene not found.."},
        FailureCase{{"attach", "demo", "1", "notes.txt"},
                    "Unsupported image format: .txt. Use PNG, JPEG, WebP, GIF, SVG, or PDF."}),
    [](const auto &info) { return std::to_string(info.index); });

// MARK: store operations

TEST_F(CommandLine, FoldersMovesAndListing)
{
    ASSERT_EQ(run({"new", "Alpha"}).code, 0);
    ASSERT_EQ(run({"new", "Beta"}).code, 0);
    EXPECT_EQ(run({"folder-create", "  Folder 10 "}).out, "Folder 10\n");
    ASSERT_EQ(run({"folder-create", "Folder 2"}).code, 0);
    EXPECT_EQ(run({"folders"}).out, "Folder 2\nFolder 10\n");

    const Outcome moved = run({"move", "alpha", "Folder 2"});
    EXPECT_EQ(moved.code, 0);
    EXPECT_EQ(moved.out, root() + "/Folder 2/alpha.veskel\n");
    ASSERT_EQ(run({"folder-rename", "Folder 2", "Clients"}).code, 0);
    // A slug is found inside a sidebar folder too.
    EXPECT_EQ(run({"rename", "alpha", "Alpha Prime"}).code, 0);

    const Outcome listed = run({"list", "--json"});
    ASSERT_EQ(listed.code, 0);
    const QJsonArray rows = QJsonDocument::fromJson(listed.out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 2);
    QJsonObject alpha = rows.at(0).toObject().value("folderName").isString()
                            ? rows.at(0).toObject()
                            : rows.at(1).toObject();
    EXPECT_EQ(alpha.value("folderName").toString(), "Clients");
    EXPECT_EQ(alpha.value("slug").toString(), "alpha-prime");
    EXPECT_EQ(alpha.value("title").toString(), "Alpha Prime");
    EXPECT_EQ(alpha.value("packageURL").toString(), root() + "/Clients/alpha-prime.veskel");
    EXPECT_EQ(alpha.value("sceneCount").toInt(-1), 0);
    EXPECT_EQ(alpha.value("warningCount").toInt(-1), 0);
    EXPECT_TRUE(alpha.value("updatedAt").toString().endsWith('Z'));

    ASSERT_EQ(run({"folder-delete", "Clients"}).code, 0);
    EXPECT_EQ(run({"folders"}).out, "Folder 10\n");
    EXPECT_TRUE(QFileInfo(root() + "/alpha-prime.veskel").isDir());
}

// Titles in reading order under any locale of the process, the C locale of CI included.
TEST_F(CommandLine, ListSortsTitlesAsPeopleReadThem)
{
    m_environment.insert("LC_ALL", "C");
    m_environment.insert("LANG", "C");
    for (const char *title : {"Яблоко", "Video 10", "Ёлка", "video 2", "Жук", "Елена"})
        ASSERT_EQ(run({"new", QString::fromUtf8(title)}).code, 0);
    const Outcome listed = run({"list", "--sort", "name"});
    ASSERT_EQ(listed.code, 0) << listed.err.toStdString();
    QStringList titles;
    for (const QString &line : listed.out.split(u'\n', Qt::SkipEmptyParts))
        titles << line.section(u'\t', 1, 1);
    EXPECT_EQ(titles, QStringList({"video 2", "Video 10", "Елена", "Ёлка", "Жук", "Яблоко"}));
}

TEST_F(CommandLine, DuplicateDeleteAndImages)
{
    ASSERT_EQ(run({"new", "Demo", "--script", "-"}, script).code, 0);
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(path("ref.png")));

    EXPECT_EQ(run({"attach", "demo", "002", "ref.png"}).code, 0);
    auto project = LocalProjectStore(root()).loadProject(root() + "/demo.veskel");
    ASSERT_TRUE(project->scenes.at(1).image.has_value());
    EXPECT_EQ(project->scenes.at(1).image->width, 8);

    const Outcome duplicated = run({"duplicate", "demo", "Demo copy"});
    EXPECT_EQ(duplicated.code, 0);
    EXPECT_EQ(duplicated.out, root() + "/demo-copy.veskel\n");
    EXPECT_EQ(QDir(root() + "/demo-copy.veskel/Media").entryList(QDir::Files).size(), 1);

    EXPECT_EQ(run({"detach", "demo", project->scenes.at(1).id}).code, 0);
    EXPECT_TRUE(QDir(root() + "/demo.veskel/Media").isEmpty());

    EXPECT_EQ(run({"delete", "demo"}).code, 0);
    EXPECT_FALSE(QFileInfo::exists(root() + "/demo.veskel"));
    EXPECT_TRUE(QFileInfo(path("home/.local/share/Trash/files/demo.veskel")).isDir());
    EXPECT_EQ(run({"delete", "demo"}).code, 1);
}

TEST_F(CommandLine, SampleIsInstalledOnce)
{
    const Outcome first = run({"sample"});
    EXPECT_EQ(first.code, 0);
    EXPECT_EQ(first.out, root() + "/sample-what-is-interface-design.veskel\n");
    const Outcome second = run({"sample"});
    EXPECT_EQ(second.code, 0);
    EXPECT_TRUE(second.out.isEmpty());
    EXPECT_EQ(run({"validate", "sample-what-is-interface-design"}).code, 0);
}
