#include "VeskelApp/AppModel.h"
#include "VeskelApp/Sidebar/ProjectSidebarModel.h"
#include "VeskelApp/Sidebar/ProjectTreeModel.h"
#include "VeskelApp/Sidebar/ProjectTreeProxyModel.h"
#include "VeskelApp/Sidebar/SidebarItemRoles.h"

#include "EditorTestSupport.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QItemSelectionModel>
#include <QSettings>
#include <QSignalSpy>

#include <functional>

using namespace veskel;
using namespace veskel::test;

namespace {

// The sidebar's model with the tree it shows, sorted and filtered as shown.
class SidebarTest : public EditorFixture
{
public:
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

    // The titles of a section's rows as shown, top to bottom.
    QStringList titles(const std::optional<QString> &folder = std::nullopt) const
    {
        const QModelIndex section = shown.sectionIndex(folder);
        QStringList result;
        for (int row = 0; row < shown.rowCount(section); ++row)
            result << shown.index(row, 0, section).data().toString();
        return result;
    }

    // The folders shown, "Projects" aside.
    QStringList shownFolders() const
    {
        QStringList folders;
        for (int row = 0; row < shown.rowCount(); ++row) {
            const QModelIndex section = shown.index(row, 0);
            if (section.data(SidebarItemRoles::kind).toInt()
                == int(SidebarItemRoles::Kind::folderHeader))
                folders << section.data().toString();
        }
        return folders;
    }

    // Every section and row by key, as a model shows them.
    static QStringList layout(const QAbstractItemModel &tree)
    {
        QStringList lines;
        for (int row = 0; row < tree.rowCount(); ++row) {
            const QModelIndex section = tree.index(row, 0);
            QStringList rows;
            for (int child = 0; child < tree.rowCount(section); ++child)
                rows << tree.index(child, 0, section).data(SidebarItemRoles::key).toString();
            lines << section.data().toString() + u':' + rows.join(u',');
        }
        return lines;
    }

    // The same list built from scratch over the current state.
    QStringList freshLayout()
    {
        ProjectTreeModel fresh(model, sidebar);
        ProjectTreeProxyModel freshShown(fresh, sidebar);
        return layout(freshShown);
    }

    ProjectSummary byTitle(const QString &title) const
    {
        for (const ProjectSummary &row : model.projects()) {
            if (row.title == title)
                return row;
        }
        ADD_FAILURE() << "no project " << title.toStdString();
        return {};
    }

    // The project saved by its editor under a new title: its row changes in place.
    void saveUnderTitle(const QString &title, const QString &newTitle)
    {
        auto project = store.loadProject(byTitle(title).packagePath);
        ASSERT_TRUE(project.has_value());
        project->title = newTitle;
        model.projectDidChange(*project);
    }

    AppModel model{store};
    QSettings settings{dir.path() + QStringLiteral("/settings.ini"), QSettings::IniFormat};
    ProjectSidebarModel sidebar{model, &settings};
    ProjectTreeModel tree{model, sidebar};
    ProjectTreeProxyModel shown{tree, sidebar};
};

// Numbers by value, Ё among the Е, case aside; the reading order of the interface language.
TEST_F(SidebarTest, NamesSortAsPeopleReadThem)
{
    createProjects({"Яблоко", "Episode 10", "Жук", "Episode 2", "Ёлка", "episode 1", "Елена"},
                   {0, 1, 2, 3, 4, 5, 6});
    sidebar.setSortKey(ProjectSortKey::name);
    const ResolvedLanguage saved = L10nRuntime::lang();
    L10nRuntime::setLang(ResolvedLanguage::english);
    shown.invalidate();
    EXPECT_EQ(titles(), QStringList({"episode 1", "Episode 2", "Episode 10", "Елена", "Ёлка", "Жук",
                                     "Яблоко"}));
    L10nRuntime::setLang(ResolvedLanguage::russian);
    sidebar.setSortOldestFirst(true);
    EXPECT_EQ(titles(), QStringList({"Episode 10", "Episode 2", "episode 1", "Яблоко", "Жук",
                                     "Ёлка", "Елена"}));
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

    EXPECT_EQ(titles(), newer + older);
    sidebar.setSortOldestFirst(true);
    EXPECT_EQ(titles(), older + newer);
}

TEST_F(SidebarTest, TheFilterIgnoresCaseAndShowsMatchesWithTheirSections)
{
    createProjects({"My intro video", "Outro"}, {0, 1});
    createProjects({"Видео о дизайне", "Notes"}, {2, 3}, QStringLiteral("Work"));
    model.createFolder("Empty");
    EXPECT_EQ(shownFolders(), QStringList({"Empty", "Work"}));

    sidebar.setFilterText("INTRO");
    EXPECT_EQ(titles(), QStringList({"My intro video"}));
    EXPECT_TRUE(shownFolders().isEmpty());

    // The "Projects" section stays, empty.
    sidebar.setFilterText("ВИДЕО");
    EXPECT_TRUE(shown.sectionIndex(std::nullopt).isValid());
    EXPECT_TRUE(titles().isEmpty());
    EXPECT_EQ(titles(QStringLiteral("Work")), QStringList({"Видео о дизайне"}));
    EXPECT_EQ(shownFolders(), QStringList({"Work"}));

    // A row renamed into the filter brings its folder back.
    model.renameProject(byTitle("Notes"), "Video notes");
    sidebar.setFilterText("notes");
    EXPECT_EQ(shownFolders(), QStringList({"Work"}));
    model.renameProject(byTitle("Video notes"), "Memo");
    EXPECT_TRUE(shownFolders().isEmpty());
    sidebar.setFilterText({});
    EXPECT_EQ(shownFolders(), QStringList({"Empty", "Work"}));
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

// A row changed in place lands where a sort from scratch puts it, in every order, ties and
// filtering included.
class ChangedRowPlaceTest : public SidebarTest,
                            public ::testing::WithParamInterface<std::tuple<ProjectSortKey, bool>>
{
};

TEST_P(ChangedRowPlaceTest, MatchesASortFromScratch)
{
    createProjects({"Episode 10", "Episode 2", "Pilot", "Episode 2", "Trailer"},
                   {100, 0, 100, 50, 100});
    createProjects({"Elsewhere"}, {100}, QStringLiteral("Clients"));
    const auto [key, oldestFirst] = GetParam();
    sidebar.setSortKey(key);
    sidebar.setSortOldestFirst(oldestFirst);
    for (const QString &filter : {QString(), QStringLiteral("episode")}) {
        sidebar.setFilterText(filter);
        EXPECT_EQ(layout(shown), freshLayout());
    }
    // Into a tie with both "Episode 2" rows.
    saveUnderTitle("Trailer", "Episode 2");
    EXPECT_EQ(layout(shown), freshLayout());
    saveUnderTitle("Pilot", "Episode 1");
    EXPECT_EQ(layout(shown), freshLayout());
    EXPECT_EQ(titles().size(), 5);
}

INSTANTIATE_TEST_SUITE_P(Orders,
                         ChangedRowPlaceTest,
                         ::testing::Combine(::testing::Values(ProjectSortKey::dateModified,
                                                              ProjectSortKey::dateCreated,
                                                              ProjectSortKey::name),
                                            ::testing::Bool()));

// One change of the library or of the sidebar's settings, as the user makes it.
struct TreeChange
{
    const char *name;
    std::function<void(SidebarTest &)> apply;

    friend void PrintTo(const TreeChange &change, std::ostream *os) { *os << change.name; }
};

// The tree follows each change step by step, as a proper item model (the testers fail at once
// otherwise), without a reset, and ends as a tree built from scratch would be.
class TreeChangeTest : public SidebarTest, public ::testing::WithParamInterface<TreeChange>
{
};

TEST_P(TreeChangeTest, FollowsWithoutAResetAndEndsAsBuiltFromScratch)
{
    createProjects({"Alpha", "Beta", "Gamma"}, {0, 10, 20});
    createProjects({"Delta", "Echo"}, {30, 40}, QStringLiteral("Clients"));
    model.createFolder("Empty");
    QAbstractItemModelTester treeTester(&tree,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModelTester shownTester(&shown,
                                         QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy treeResets(&tree, &QAbstractItemModel::modelReset);
    QSignalSpy shownResets(&shown, &QAbstractItemModel::modelReset);

    GetParam().apply(*this);

    EXPECT_FALSE(model.errorMessage().has_value()) << model.errorMessage()->toStdString();
    EXPECT_EQ(layout(shown), freshLayout());
    EXPECT_EQ(treeResets.count(), 0);
    EXPECT_EQ(shownResets.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Changes,
    TreeChangeTest,
    ::testing::Values(
        TreeChange{"NewProject",
                   [](SidebarTest &t) {
                       t.model.createProject("Zulu", VideoSettings::FormatPreset::horizontalHD);
                   }},
        TreeChange{"DeletedProjects",
                   [](SidebarTest &t) {
                       t.model.deleteProject(t.byTitle("Beta"));
                       t.model.deleteProject(t.byTitle("Echo"));
                   }},
        TreeChange{"RenamedUnderNameSort",
                   [](SidebarTest &t) {
                       t.sidebar.setSortKey(ProjectSortKey::name);
                       t.model.renameProject(t.byTitle("Alpha"), "Omega");
                   }},
        TreeChange{"IntoAndOutOfFolders",
                   [](SidebarTest &t) {
                       t.model.moveProject(t.byTitle("Alpha"), QStringLiteral("Clients"));
                       t.model.moveProject(t.byTitle("Delta"), std::nullopt);
                       t.model.moveProject(t.byTitle("Gamma"), QStringLiteral("Empty"));
                   }},
        TreeChange{"RenamedAndDeletedFolders",
                   [](SidebarTest &t) {
                       t.model.renameFolder("Clients", "Archive");
                       t.model.deleteFolder("Empty");
                   }},
        TreeChange{"SavesReorderRows",
                   [](SidebarTest &t) {
                       t.saveUnderTitle("Alpha", "Alpha, saved");
                       t.saveUnderTitle("Delta", "Delta, saved");
                   }},
        TreeChange{"SortAndPinning",
                   [](SidebarTest &t) {
                       t.sidebar.setSortKey(ProjectSortKey::name);
                       t.sidebar.setSortOldestFirst(true);
                       t.sidebar.setPinFoldersToTop(false);
                   }},
        TreeChange{"FilteringWhileTheListChanges",
                   [](SidebarTest &t) {
                       t.sidebar.setFilterText("a");
                       t.model.moveProject(t.byTitle("Gamma"), QStringLiteral("Empty"));
                       t.model.renameProject(t.byTitle("Echo"), "Echoa");
                       t.sidebar.setFilterText("e");
                       t.model.createFolder("Later");
                   }}),
    [](const ::testing::TestParamInfo<TreeChange> &info) { return std::string(info.param.name); });

TEST_F(SidebarTest, MovesKeepTheRowsIndexAndSelection)
{
    createProjects({"Alpha", "Beta"}, {0, 10});
    model.createFolder("Clients");
    QItemSelectionModel selection(&shown);
    const QString alphaID = byTitle("Alpha").id;
    const QPersistentModelIndex alpha = shown.projectIndex(alphaID);
    selection.setCurrentIndex(alpha, QItemSelectionModel::ClearAndSelect);
    QSignalSpy moved(&tree, &QAbstractItemModel::rowsMoved);
    QSignalSpy removed(&tree, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&tree, &QAbstractItemModel::dataChanged);

    const auto stillAlpha = [&](const std::optional<QString> &folder) {
        ASSERT_TRUE(alpha.isValid());
        EXPECT_EQ(alpha.data(SidebarItemRoles::key).toString(), alphaID);
        EXPECT_EQ(alpha.parent(), shown.sectionIndex(folder));
        EXPECT_EQ(selection.currentIndex(), alpha);
        EXPECT_TRUE(selection.isSelected(alpha));
    };
    model.moveProject(byTitle("Alpha"), QStringLiteral("Clients"));
    EXPECT_GE(moved.count(), 1);
    stillAlpha(QStringLiteral("Clients"));
    sidebar.setSortKey(ProjectSortKey::name);
    sidebar.setPinFoldersToTop(false);
    stillAlpha(QStringLiteral("Clients"));
    // A save changes the row's data, nothing else.
    changed.clear();
    saveUnderTitle("Alpha", "Alpha 2");
    EXPECT_EQ(changed.count(), 1);
    stillAlpha(QStringLiteral("Clients"));
    model.moveProject(byTitle("Alpha 2"), std::nullopt);
    stillAlpha(std::nullopt);
    EXPECT_EQ(removed.count(), 0);
}

} // namespace
