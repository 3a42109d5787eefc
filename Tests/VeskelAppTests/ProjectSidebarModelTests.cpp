#include "VeskelApp/AppModel.h"
#include "VeskelApp/Sidebar/ProjectSidebarModel.h"

#include "EditorTestSupport.h"

#include <QFile>
#include <QSettings>

using namespace veskel;
using namespace veskel::test;

namespace {

class SidebarTest : public EditorFixture
{
protected:
    // Projects created in this order; each project file then gets the given modification
    // time (seconds after a fixed moment), which is the date the list sorts by.
    void createProjects(const QStringList &titles,
                        const QList<int> &modifiedAt,
                        const std::optional<QString> &folder = std::nullopt)
    {
        if (folder && !model.folders().contains(*folder))
            model.createFolder(*folder);
        for (qsizetype i = 0; i < titles.size(); ++i) {
            auto project = store.createProject(
                titles.at(i), VideoSettings::preset(VideoSettings::FormatPreset::horizontalHD, 25));
            ASSERT_TRUE(project.has_value());
            QString package = *store.packagePath(*project);
            if (folder)
                package = *store.moveProject(package, folder);
            QFile file(package + "/project.json");
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            const QDateTime time
                = QDateTime::fromSecsSinceEpoch(1700000000 + modifiedAt.at(i), Qt::UTC);
            ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
        }
        model.refreshProjects();
    }

    static QStringList titles(const QList<ProjectSummary> &rows)
    {
        QStringList result;
        for (const ProjectSummary &row : rows)
            result << row.title;
        return result;
    }

    AppModel model{store};
    QSettings settings{dir.path() + QStringLiteral("/settings.ini"), QSettings::IniFormat};
    ProjectSidebarModel sidebar{model, &settings};
};

// Numbers by value, Ё among the Е, case aside; the reading order of the interface language.
TEST_F(SidebarTest, NamesSortAsPeopleReadThem)
{
    createProjects({"Яблоко", "Episode 10", "Жук", "Episode 2", "Ёлка", "episode 1", "Елена"},
                   {0, 1, 2, 3, 4, 5, 6});
    sidebar.setSortKey(ProjectSortKey::name);
    const ResolvedLanguage saved = L10nRuntime::lang();
    L10nRuntime::setLang(ResolvedLanguage::english);
    EXPECT_EQ(
        titles(sidebar.visibleProjects(std::nullopt)),
        QStringList({"episode 1", "Episode 2", "Episode 10", "Елена", "Ёлка", "Жук", "Яблоко"}));
    L10nRuntime::setLang(ResolvedLanguage::russian);
    sidebar.setSortOldestFirst(true);
    EXPECT_EQ(
        titles(sidebar.visibleProjects(std::nullopt)),
        QStringList({"Episode 10", "Episode 2", "episode 1", "Яблоко", "Жук", "Ёлка", "Елена"}));
    L10nRuntime::setLang(saved);
}

// Newest first unless reversed; equal dates keep the store's order.
TEST_F(SidebarTest, DatesSortNewestFirstAndEqualDatesKeepTheStoresOrder)
{
    // Enough rows that an unstable sort would visibly reorder them.
    QStringList names;
    QList<int> times;
    for (int i = 0; i < 40; ++i) {
        names << QStringLiteral("Project %1").arg(i);
        times << (i % 2) * 60;
    }
    createProjects(names, times);
    QStringList newer;
    QStringList older;
    for (const ProjectSummary &row : model.projects())
        (row.updatedAt.toSecsSinceEpoch() == 1700000060 ? newer : older) << row.title;

    EXPECT_EQ(titles(sidebar.visibleProjects(std::nullopt)), newer + older);
    sidebar.setSortOldestFirst(true);
    EXPECT_EQ(titles(sidebar.visibleProjects(std::nullopt)), older + newer);
}

TEST_F(SidebarTest, TheFilterIgnoresCaseAndHidesFoldersWithoutMatches)
{
    createProjects({"My intro video", "Outro"}, {0, 1});
    createProjects({"Видео о дизайне", "Notes"}, {2, 3}, QStringLiteral("Work"));
    model.createFolder("Empty");
    EXPECT_EQ(sidebar.visibleFolders(), QStringList({"Empty", "Work"}));

    sidebar.setFilterText("INTRO");
    EXPECT_EQ(titles(sidebar.visibleProjects(std::nullopt)), QStringList({"My intro video"}));
    EXPECT_TRUE(sidebar.visibleFolders().isEmpty());

    sidebar.setFilterText("ВИДЕО");
    EXPECT_TRUE(sidebar.visibleProjects(std::nullopt).isEmpty());
    EXPECT_EQ(titles(sidebar.visibleProjects(QStringLiteral("Work"))),
              QStringList({"Видео о дизайне"}));
    EXPECT_EQ(sidebar.visibleFolders(), QStringList({"Work"}));
}

TEST_F(SidebarTest, ANewFolderTakesTheFirstFreeNumberAndIsRenamedAtOnce)
{
    model.createFolder("New Folder");
    sidebar.createNewFolder();
    EXPECT_EQ(sidebar.renamingFolder(), "New Folder 2");
    sidebar.cancelFolderRename();
    EXPECT_EQ(sidebar.newFolderName(), "New Folder 3");
    sidebar.createNewFolder();
    EXPECT_TRUE(model.folders().contains("New Folder 3"));
    EXPECT_EQ(sidebar.renamingFolder(), "New Folder 3");
    EXPECT_EQ(sidebar.folderRenameText(), "New Folder 3");

    sidebar.setFolderRenameText("  Clients ");
    sidebar.commitFolderRename();
    EXPECT_FALSE(sidebar.renamingFolder());
    EXPECT_EQ(model.folders(), QStringList({"Clients", "New Folder", "New Folder 2"}));

    InterfaceTranslation::apply(ResolvedLanguage::russian);
    EXPECT_EQ(sidebar.newFolderName(), "Новая папка");
}

TEST_F(SidebarTest, FoldersCollapseForTheSessionOnly)
{
    EXPECT_TRUE(sidebar.isFolderExpanded("Work"));
    sidebar.setFolderExpanded("Work", false);
    EXPECT_FALSE(sidebar.isFolderExpanded("Work"));
    ProjectSidebarModel again(model, &settings);
    EXPECT_TRUE(again.isFolderExpanded("Work"));
}

TEST_F(SidebarTest, SortingAndPinningPersistUnderTheirKeys)
{
    EXPECT_EQ(sidebar.sortKey(), ProjectSortKey::dateModified);
    EXPECT_FALSE(sidebar.sortOldestFirst());
    EXPECT_TRUE(sidebar.pinFoldersToTop());

    sidebar.setSortKey(ProjectSortKey::name);
    sidebar.setSortOldestFirst(true);
    sidebar.setPinFoldersToTop(false);
    settings.sync();
    QSettings reread(dir.path() + "/settings.ini", QSettings::IniFormat);
    EXPECT_EQ(reread.value("projectSortKey").toString(), "name");
    EXPECT_TRUE(reread.value("projectSortOldestFirst").toBool());
    EXPECT_FALSE(reread.value("pinFoldersToTop").toBool());
    ProjectSidebarModel again(model, &reread);
    EXPECT_EQ(again.sortKey(), ProjectSortKey::name);
    EXPECT_TRUE(again.sortOldestFirst());
    EXPECT_FALSE(again.pinFoldersToTop());

    reread.setValue("projectSortKey", "size");
    EXPECT_EQ(ProjectSidebarModel(model, &reread).sortKey(), ProjectSortKey::dateModified);
}

TEST(ProjectSortKey, RawValuesAndLabels)
{
    const ResolvedLanguage saved = L10nRuntime::lang();
    InterfaceTranslation::apply(ResolvedLanguage::russian);
    EXPECT_EQ(displayName(ProjectSortKey::dateCreated), "По дате создания");
    InterfaceTranslation::apply(ResolvedLanguage::english);
    EXPECT_EQ(displayName(ProjectSortKey::name), "Name");
    InterfaceTranslation::apply(saved);
    for (ProjectSortKey key : allCases<ProjectSortKey>())
        EXPECT_EQ(projectSortKeyFromSetting(rawValue(key)), key);
}

} // namespace

namespace {

// A single row's place, found without sorting, agrees with the sorted list in every order,
// ties and filtering included.
class VisiblePositionTest : public SidebarTest,
                            public ::testing::WithParamInterface<std::tuple<ProjectSortKey, bool>>
{
};

TEST_P(VisiblePositionTest, MatchesTheSortedList)
{
    createProjects({"Episode 10", "Episode 2", "Pilot", "Episode 2", "Trailer"},
                   {100, 0, 100, 50, 100});
    createProjects({"Elsewhere"}, {100}, QStringLiteral("Clients"));
    const auto [key, oldestFirst] = GetParam();
    sidebar.setSortKey(key);
    sidebar.setSortOldestFirst(oldestFirst);
    for (const QString &filter : {QString(), QStringLiteral("episode")}) {
        sidebar.setFilterText(filter);
        const QList<ProjectSummary> rows = sidebar.visibleProjects(std::nullopt);
        for (int i = 0; i < rows.size(); ++i)
            EXPECT_EQ(sidebar.visiblePosition(rows.at(i).id), i) << rows.at(i).title.toStdString();
    }
    for (const ProjectSummary &row : model.projects()) {
        if (row.title == "Pilot") {
            EXPECT_FALSE(sidebar.visiblePosition(row.id)) << "filtered out";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Orders,
                         VisiblePositionTest,
                         ::testing::Combine(::testing::Values(ProjectSortKey::dateModified,
                                                              ProjectSortKey::dateCreated,
                                                              ProjectSortKey::name),
                                            ::testing::Bool()));

} // namespace
