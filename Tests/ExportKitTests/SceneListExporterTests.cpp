#include "ExportKit/SceneListExporter.h"

#include "ExportTestProjects.h"

#include <gtest/gtest.h>

#include <utility>

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

// Rows of fields as a spreadsheet reads them: quotes enclose a field and a doubled quote is
// one; outside quotes a comma ends a field and a line feed, a carriage return or both end a row.
QList<QStringList> readCSV(const QString &text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    const auto followedBy
        = [&](qsizetype i, QChar c) { return i + 1 < text.size() && text.at(i + 1) == c; };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c != u'"')
                field += c;
            else if (followedBy(i, u'"'))
                field += text.at(++i);
            else
                quoted = false;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << std::exchange(field, {});
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && followedBy(i, u'\n'))
                ++i;
            row << std::exchange(field, {});
            rows << std::exchange(row, {});
        } else {
            field += c;
        }
    }
    if (!row.isEmpty() || !field.isEmpty())
        rows << (row << field);
    return rows;
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

TEST_P(SceneListField, QuotedOnlyWhenNeededAndReadBackWhole)
{
    StoryboardProject project;
    Scene scene;
    scene.title = QString::fromUtf8(GetParam().title);
    project.scenes = {scene};
    const QString csv = SceneListExporter::csv(project);
    EXPECT_EQ(csv, header + QStringLiteral("001,") + QString::fromUtf8(GetParam().field)
                       + QStringLiteral(",00:00,Placeholder,,,\n"));
    const QList<QStringList> rows = readCSV(csv);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.at(1), QStringList({"001", scene.title, "00:00", "Placeholder", "", "", ""}));
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         SceneListField,
                         ::testing::Values(FieldCase{"say \"hi\"", "\"say \"\"hi\"\"\""},
                                           FieldCase{"\"", "\"\"\"\""},
                                           FieldCase{"a, b", "\"a, b\""},
                                           FieldCase{"cr\ronly", "\"cr\ronly\""},
                                           FieldCase{"cr\r\nlf", "\"cr\r\nlf\""},
                                           FieldCase{"semi;colon 'single'", "semi;colon 'single'"},
                                           FieldCase{"Привет — 🎬", "Привет — 🎬"}));

} // namespace
