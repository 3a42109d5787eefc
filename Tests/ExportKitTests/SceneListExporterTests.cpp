#include "ExportKit/SceneListExporter.h"

#include "ExportTestProjects.h"

#include <gtest/gtest.h>

using namespace veskel;

namespace {

const QString header = QStringLiteral(
    "scene_number,scene_title,duration,scene_type,on_screen_text,voiceover,note\n");

TEST(SceneListExporter, OneQuotedRowPerScene)
{
    EXPECT_EQ(
        SceneListExporter::csv(test::listsSampleProject()),
        header + QString::fromUtf8(R"csv(001,"Hello, ""World""",01:02:05,Talking head,   ,"Line one
Line two",
002,,01:00,Title card,"  Big words  
",,Check the logo
)csv"));
}

TEST(SceneListExporter, EmptyProjectIsTheHeaderOnly)
{
    EXPECT_EQ(SceneListExporter::csv(StoryboardProject{}), header);
}

struct FieldCase
{
    const char *title;
    const char *field;
};

void PrintTo(const FieldCase &c, std::ostream *out)
{
    PrintTo(QString::fromUtf8(c.title), out);
}

class SceneListField : public ::testing::TestWithParam<FieldCase>
{
};

TEST_P(SceneListField, QuotedOnlyWhenNeeded)
{
    StoryboardProject project;
    Scene scene;
    scene.title = QString::fromUtf8(GetParam().title);
    project.scenes = {scene};
    EXPECT_EQ(SceneListExporter::csv(project), header + QStringLiteral("001,")
                                                   + QString::fromUtf8(GetParam().field)
                                                   + QStringLiteral(",00:00,Placeholder,,,\n"));
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         SceneListField,
                         ::testing::Values(FieldCase{"say \"hi\"", "\"say \"\"hi\"\"\""},
                                           FieldCase{"\"", "\"\"\"\""},
                                           FieldCase{"cr\ronly", "cr\ronly"},
                                           FieldCase{"cr\r\nlf", "\"cr\r\nlf\""},
                                           FieldCase{"semi;colon 'single'", "semi;colon 'single'"},
                                           FieldCase{"Привет — 🎬", "Привет — 🎬"}));

} // namespace
