#include "VeskelApp/AppModel.h"
#include "VeskelApp/Export/ExportViewModel.h"
#include "VeskelApp/Sidebar/ProjectSidebarModel.h"

#include "EditorTestSupport.h"
#include "ExportTestSupport.h"

#include <QFileInfo>
#include <QSettings>

using namespace veskel;
using namespace veskel::test;

namespace {

// A new project, one heading and a paragraph typed, the save, the sidebar row, a first export
// and, after an edit, an updated one.
TEST(TypicalPath, FromANewProjectToAnUpdatedExport)
{
    const ResolvedLanguage savedLanguage = L10nRuntime::lang();
    InterfaceTranslation::apply(ResolvedLanguage::english);
    QTemporaryDir dir(sandboxRoot() + "/typical-XXXXXX");
    LocalProjectStore store(dir.path() + "/Projects");
    QSettings settings(dir.path() + "/settings.ini", QSettings::IniFormat);
    AppModel app(store);
    ProjectSidebarModel sidebar(app, &settings);
    ManualEditorScheduler scheduler;
    app.refreshProjects();

    app.createProject("Intro video", VideoSettings::FormatPreset::horizontalHD);
    ASSERT_TRUE(app.selectedProject());
    ProjectEditorViewModel editor(*app.selectedProject(), store, app.editorCallback(), &scheduler);
    EXPECT_EQ(editor.documentText(), QString());

    // The text view hands over the whole text: a heading and a paragraph of 140 words.
    editor.applyDocumentText("# Opening\n\n" + words(140));

    ASSERT_EQ(editor.project().scenes.size(), 1);
    const QList<TimelineItem> timeline = editor.timelineItems();
    ASSERT_EQ(timeline.size(), 1);
    EXPECT_EQ(timeline.at(0).durationSeconds(), 60);

    // Nothing is written until 0.45 s after the last change.
    scheduler.advance(449);
    EXPECT_EQ(app.projects().constFirst().sceneCount, 0);
    scheduler.advance(1);
    ASSERT_EQ(app.projects().size(), 1);
    const ProjectSummary row = app.projects().constFirst();
    EXPECT_EQ(QFileInfo(row.packagePath).fileName(), "intro-video.veskel");
    EXPECT_EQ(row.sceneCount, 1);
    EXPECT_EQ(ProjectSidebarModel::rowDetail(row), "1 scene · 01:00");

    ExportViewModel first;
    first.startExport(editor.project(), store);
    waitForExport(first);
    ASSERT_EQ(first.phase().kind, ExportPhase::Kind::success)
        << first.phase().message.toStdString();
    const ExportResult result = first.phase().result;
    EXPECT_EQ(result.fcpxmlPath, row.packagePath + "/Exports/intro-video_fcp/intro-video.fcpxml");
    EXPECT_TRUE(QFileInfo::exists(result.mediaFolderPath + "/S001.png"));
    const QString fcpxml = QString::fromUtf8(readBytes(result.fcpxmlPath));
    EXPECT_TRUE(fcpxml.contains(QStringLiteral("name=\"S001 · Opening\" offset=\"0s\"")));
    EXPECT_EQ(ExportViewModel::guidance(result),
              "First export is ready. Import the FCPXML into Final Cut Pro.");

    editor.applyDocumentText(editor.documentText() + "\nOne more sentence.");
    scheduler.advance(450);
    ExportViewModel second;
    second.startExport(editor.project(), store);
    waitForExport(second);
    ASSERT_EQ(second.phase().kind, ExportPhase::Kind::success);
    EXPECT_EQ(second.phase().result.exportFolderPath, result.exportFolderPath);
    EXPECT_EQ(ExportViewModel::guidance(second.phase().result),
              "Export updated. Import the same FCPXML into Final Cut Pro and choose "
              "\u201CReplace\u201D.");
    InterfaceTranslation::apply(savedLanguage);
}

} // namespace
