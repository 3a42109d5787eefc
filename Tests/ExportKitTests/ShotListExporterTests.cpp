#include "ExportKit/ShotListExporter.h"

#include "ExportTestProjects.h"

#include <QTimeZone>

#include <gtest/gtest.h>

using namespace veskel;

namespace {

TEST(ShotListExporter, WritesHeaderThenEveryScene)
{
    // Given in another time zone: the shot list states it in UTC.
    const QDateTime exportDate(QDate(2026, 3, 1), QTime(12, 30, 0, 250), QTimeZone(3 * 3600));
    EXPECT_EQ(ShotListExporter::generate(test::listsSampleProject(), exportDate),
              QString::fromUtf8(R"md(# Intro video

- Total duration: 01:03:05
- Resolution: 1920×1080
- Frame rate: 25 fps
- Color space: Rec.709
- Export date: 2026-03-01T09:30:00.250Z

---

## 001 · Hello, "World"

- Duration: 01:02:05
- Type: Talking head
- On-screen text: —
- Voiceover:

Line one
Line two
- Note: —

## 002 · 

- Duration: 01:00
- Type: Title card
- On-screen text:

Big words
- Voiceover: —
- Note:

Check the logo
)md"));
}

TEST(ShotListExporter, EmptyProjectEndsAfterTheRule)
{
    StoryboardProject project;
    project.title = QStringLiteral("Empty");
    project.videoSettings.width = 1080;
    project.videoSettings.height = 1920;
    project.videoSettings.fps = 30;
    const QDateTime exportDate(QDate(2026, 3, 1), QTime(9, 30), QTimeZone::utc());
    EXPECT_EQ(ShotListExporter::generate(project, exportDate),
              QString::fromUtf8("# Empty\n\n- Total duration: 00:00\n- Resolution: 1080×1920\n"
                                "- Frame rate: 30 fps\n- Color space: Rec.709\n"
                                "- Export date: 2026-03-01T09:30:00.000Z\n\n---\n"));
}

} // namespace
