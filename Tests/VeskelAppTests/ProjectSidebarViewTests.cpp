#include "ActionTestSupport.h"
#include "WindowTestSupport.h"

#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Sidebar/ProjectSidebarDelegate.h"
#include "VeskelApp/Sidebar/ProjectSidebarModel.h"
#include "VeskelApp/Sidebar/ProjectSidebarView.h"
#include "VeskelApp/Sidebar/SidebarItemRoles.h"
#include "VeskelApp/Sidebar/SidebarTree.h"
#include "VeskelApp/Sidebar/TrashNotice.h"
#include "VeskelApp/Window/RootView.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QSignalSpy>
#include <QToolButton>

namespace veskel::test {
namespace {

class ProjectSidebarViewTest : public WindowFixture
{
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        showWindow();
        sidebar = window->rootView()->sidebar();
        tree = sidebar->tree();
    }

    QLineEdit *renameField() const
    {
        return tree->viewport()->findChild<QLineEdit *>("sidebarRenameField");
    }

    QStringList sectionTitles() const
    {
        QStringList titles;
        for (int i = 0; i < tree->model()->rowCount(); ++i)
            titles << section(i).data().toString();
        return titles;
    }

    QModelIndex section(int row) const { return tree->model()->index(row, 0); }
    QModelIndex lastSection() const { return section(tree->model()->rowCount() - 1); }

    ProjectSidebarView *sidebar = nullptr;
    SidebarTree *tree = nullptr;
};

struct RenameCase
{
    const char *typed;
    Qt::Key finish;
    const char *expectedTitle;

    friend void PrintTo(const RenameCase &c, std::ostream *os)
    {
        *os << '"' << c.typed << "\" then " << (c.finish == Qt::Key_Escape ? "Escape" : "Return");
    }
};

class InlineRenameTest : public ProjectSidebarViewTest,
                         public ::testing::WithParamInterface<RenameCase>
{
};

TEST_P(InlineRenameTest, DoubleClickRenamesOnlyWithARealNewName)
{
    const ProjectSummary alpha = stored("Alpha");
    const QString package = alpha.packagePath;
    const QModelIndex row = sidebar->projectIndex(alpha.id);
    ASSERT_TRUE(row.isValid());
    // A double click: a first click (which opens the project), then the second one.
    const QPoint center = tree->visualRect(row).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, center);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, center);
    QLineEdit *field = renameField();
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(), "Alpha");
    EXPECT_EQ(field->placeholderText(), "Project name");

    field->selectAll();
    QTest::keyClicks(field, GetParam().typed);
    QTest::keyClick(field, GetParam().finish);
    QTRY_VERIFY(renameField() == nullptr || !renameField()->isVisible());

    const auto summary = model->summary(alpha.id);
    ASSERT_TRUE(summary.has_value());
    EXPECT_EQ(summary->title, GetParam().expectedTitle);
    EXPECT_FALSE(model->errorMessage().has_value());
    if (summary->title == "Alpha") {
        EXPECT_EQ(summary->packagePath, package);
    }
    QTRY_COMPARE(sidebar->projectIndex(alpha.id).data().toString(),
                 QString(GetParam().expectedTitle));
    EXPECT_FALSE(sidebar->sidebarModel().renamingProjectID().has_value());
}

INSTANTIATE_TEST_SUITE_P(Titles,
                         InlineRenameTest,
                         ::testing::Values(RenameCase{"   ", Qt::Key_Return, "Alpha"},
                                           RenameCase{"", Qt::Key_Return, "Alpha"},
                                           RenameCase{"  Beta  ", Qt::Key_Escape, "Alpha"},
                                           RenameCase{"  Beta  ", Qt::Key_Return, "Beta"}));

TEST_F(ProjectSidebarViewTest, ANewFolderStartsRenamingAtOnce)
{
    sidebar->findChild<QToolButton *>("newFolder")->click();
    EXPECT_EQ(model->folders(), QStringList{"New Folder"});
    QLineEdit *field = renameField();
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(), "New Folder");
    EXPECT_EQ(field->placeholderText(), "Folder name");
    QCoreApplication::processEvents();
    EXPECT_TRUE(field->isVisible());
    EXPECT_TRUE(field->hasFocus());
    field->selectAll();
    QTest::keyClicks(field, "Drafts");
    QTest::keyClick(field, Qt::Key_Return);
    QTRY_COMPARE(model->folders(), QStringList{"Drafts"});
    QTRY_VERIFY(sidebar->folderIndex("Drafts").isValid());
}

TEST_F(ProjectSidebarViewTest, SectionsFollowPinningAndTheFilter)
{
    const ProjectSummary alpha = stored("Alpha plan");
    stored("Beta");
    model->createFolder("Archive");
    const ProjectSummary archived = stored("Old alpha");
    model->moveProject(archived, QString("Archive"));
    model->createFolder("Empty");

    EXPECT_EQ(sectionTitles(), (QStringList{"Archive", "Empty", "Projects"}));
    sidebar->sidebarModel().setPinFoldersToTop(false);
    EXPECT_EQ(sectionTitles(), (QStringList{"Projects", "Archive", "Empty"}));

    // Filtering leaves out folders without a match, never the root section.
    QTest::keyClicks(sidebar->filterField(), "ALPHA");
    EXPECT_EQ(sectionTitles(), (QStringList{"Projects", "Archive"}));
    const QModelIndex root = section(0);
    ASSERT_EQ(tree->model()->rowCount(root), 1);
    EXPECT_EQ(tree->model()->index(0, 0, root).data(SidebarItemRoles::key).toString(), alpha.id);
}

TEST_F(ProjectSidebarViewTest, AFilterHidingTheOpenRowOpensNoOtherProject)
{
    stored("Alpha");
    const ProjectSummary beta = stored("Beta");
    stored("Gamma");
    model->createFolder("Clients");
    model->openProject(beta);
    // Its section goes with it.
    model->moveProject(*model->summary(beta.id), QStringLiteral("Clients"));
    QTest::keyClicks(sidebar->filterField(), "mm");
    EXPECT_EQ(sectionTitles(), QStringList({"Projects"}));
    ASSERT_FALSE(sidebar->projectIndex(beta.id).isValid());
    EXPECT_EQ(model->selectedProject()->id, beta.id);
    EXPECT_TRUE(tree->selectionModel()->selectedIndexes().isEmpty());
    sidebar->filterField()->clear();
    EXPECT_EQ(model->selectedProject()->id, beta.id);
    EXPECT_EQ(tree->currentIndex(), sidebar->projectIndex(beta.id));
}

TEST_F(ProjectSidebarViewTest, ClickingAFolderHeaderCollapsesIt)
{
    model->createFolder("Archive");
    const ProjectSummary inside = stored("Inside");
    model->moveProject(inside, QString("Archive"));
    const QModelIndex header = sidebar->folderIndex("Archive");
    ASSERT_TRUE(tree->isExpanded(header));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(header).center());
    EXPECT_FALSE(tree->isExpanded(header));
    EXPECT_FALSE(sidebar->sidebarModel().isFolderExpanded("Archive"));
}

TEST_F(ProjectSidebarViewTest, ChoosingARowOpensTheProject)
{
    const ProjectSummary first = stored("First");
    stored("Second");
    const QModelIndex row = sidebar->projectIndex(first.id);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(row).center());
    ASSERT_TRUE(model->selectedProject().has_value());
    EXPECT_EQ(model->selectedProject()->id, first.id);
    EXPECT_EQ(tree->currentIndex(), sidebar->projectIndex(first.id));
}

TEST_F(ProjectSidebarViewTest, DroppingARowOnAFolderMovesTheProject)
{
    model->createFolder("Archive");
    const ProjectSummary film = stored("Film");

    const auto drop = [this](const QString &text, const QModelIndex &target) {
        QMimeData data;
        data.setText(text);
        const QPoint at = tree->visualRect(target).center();
        QDragEnterEvent enter(at, Qt::MoveAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(tree->viewport(), &enter);
        QDragMoveEvent move(at, Qt::MoveAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(tree->viewport(), &move);
        EXPECT_TRUE(move.isAccepted());
        QDropEvent dropped(at, Qt::MoveAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(tree->viewport(), &dropped);
    };

    drop(film.id, sidebar->folderIndex("Archive"));
    QTRY_COMPARE(model->summary(film.id)->folderName, std::optional<QString>("Archive"));

    // Onto the root section: out of the folder again.
    drop(film.id, lastSection());
    QTRY_COMPARE(model->summary(film.id)->folderName, std::optional<QString>());

    // Text that names no project moves nothing and reports nothing.
    drop("not a project", sidebar->folderIndex("Archive"));
    QCoreApplication::processEvents();
    EXPECT_FALSE(model->summary(film.id)->folderName.has_value());
    EXPECT_FALSE(model->errorMessage().has_value());
}

TEST_F(ProjectSidebarViewTest, RowContextMenuMovesDuplicatesAndDeletes)
{
    model->createFolder("Archive");
    const ProjectSummary film = stored("Film");

    std::unique_ptr<QMenu> menu = sidebar->contextMenu(sidebar->projectIndex(film.id));
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (QAction *action : menu->actions()) {
        if (!action->isSeparator())
            texts << action->text();
    }
    EXPECT_EQ(texts, (QStringList{"Export", "Rename", "Duplicate", "Move To", "Delete"}));
    // No scenes, nothing to export.
    EXPECT_FALSE(action(menu.get(), "Export")->isEnabled());

    QMenu *move = action(menu.get(), "Move To")->menu();
    ASSERT_NE(move, nullptr);
    EXPECT_FALSE(action(move, "Root (no folder)")->isEnabled());
    action(move, "Archive")->trigger();
    EXPECT_EQ(model->summary(film.id)->folderName, std::optional<QString>("Archive"));

    menu = sidebar->contextMenu(sidebar->projectIndex(film.id));
    action(menu.get(), "Duplicate")->trigger();
    ASSERT_TRUE(model->selectedProject().has_value());
    EXPECT_EQ(model->selectedProject()->title, "Film (copy)");
    EXPECT_EQ(model->projects().size(), 2);

    menu = sidebar->contextMenu(sidebar->projectIndex(film.id));
    action(menu.get(), "Delete")->trigger();
    EXPECT_FALSE(model->summary(film.id).has_value());
    EXPECT_FALSE(sidebar->projectIndex(film.id).isValid());

    // "Moved to Trash", with Undo for a while.
    auto *notice = sidebar->findChild<TrashNotice *>();
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisibleTo(sidebar));
    notice->undoButton()->click();
    EXPECT_TRUE(sidebar->projectIndex(film.id).isValid());
    EXPECT_FALSE(notice->isVisibleTo(sidebar));
    model->deleteProject(*model->summary(film.id));
    QMetaObject::invokeMethod(notice->expiry(), "timeout");
    EXPECT_FALSE(notice->isVisibleTo(sidebar));
    EXPECT_FALSE(model->summary(film.id).has_value());
}

TEST_F(ProjectSidebarViewTest, AFailureShowsAboveTheFilterUntilTheNextSuccess)
{
    const ProjectSummary film = stored("Film");
    EXPECT_FALSE(sidebar->errorLine()->isVisibleTo(sidebar));
    model->createFolder("bad/name");
    ASSERT_TRUE(model->errorMessage().has_value());
    EXPECT_TRUE(sidebar->errorLine()->isVisibleTo(sidebar));
    EXPECT_EQ(sidebar->errorLine()->text(), *model->errorMessage());
    model->openProject(film);
    EXPECT_FALSE(sidebar->errorLine()->isVisibleTo(sidebar));
}

TEST_F(ProjectSidebarViewTest, RowsChangeInPlaceAndKeepTheirIndexesAcrossReloads)
{
    const ProjectSummary oldest = stored("Oldest");
    const ProjectSummary middle = stored("Middle");
    stored("Newest");
    const QAbstractItemModel *shown = tree->model();
    const QPersistentModelIndex root = sidebar->projectIndex(oldest.id).parent();
    ASSERT_EQ(shown->rowCount(root), 3);
    const QList<QPersistentModelIndex> rows{shown->index(0, 0, root), shown->index(1, 0, root),
                                            shown->index(2, 0, root)};
    ASSERT_EQ(rows[2], sidebar->projectIndex(oldest.id));

    // The save moves the same row to the top, newest first, with its new counts.
    model->openProject(oldest);
    window->editorModel()->applyDocumentText("# One\n\nSome words here.\n\n> "
                                             + QString(300, u'x'));
    window->editorModel()->persist();
    EXPECT_EQ(shown->index(0, 0, root), rows[2]);
    EXPECT_EQ(rows[2].data(SidebarItemRoles::detail).toString(), "1 scene · 00:02");
    EXPECT_EQ(rows[2].data(SidebarItemRoles::sceneCount).toInt(), 1);
    EXPECT_EQ(rows[2].data(SidebarItemRoles::warningCount).toInt(), 1);
    EXPECT_EQ(tree->currentIndex(), rows[2]);

    // A reload, and a move into a folder, keep the rows they still show.
    model->createFolder("Clients");
    model->moveProject(*model->summary(middle.id), QStringLiteral("Clients"));
    EXPECT_EQ(sidebar->projectIndex(middle.id), rows[1]);
    EXPECT_EQ(rows[1].parent(), sidebar->folderIndex("Clients"));
    EXPECT_EQ(sectionTitles(), QStringList({"Clients", "Projects"}));
    EXPECT_EQ(shown->rowCount(root), 2);
    EXPECT_EQ(shown->index(1, 0, root), rows[0]);
    EXPECT_EQ(tree->currentIndex(), rows[2]);
}

TEST_F(ProjectSidebarViewTest, OnlyAShortenedTitleHasATip)
{
    QStyleOptionViewItem option;
    option.font = tree->font();
    option.rect = QRect(0, 0, ProjectSidebarView::idealWidth, ProjectSidebarDelegate::rowHeight);
    EXPECT_FALSE(ProjectSidebarDelegate::isTitleShortened(option, "Intro"));
    EXPECT_TRUE(ProjectSidebarDelegate::isTitleShortened(
        option, "A rather long title for an explanatory video about storyboards"));
}

TEST_F(ProjectSidebarViewTest, TheRowExportButtonAsksForTheExportOfThatProject)
{
    const ProjectSummary empty = stored("Empty");
    const ProjectSummary film = stored("Film");
    model->openProject(film);
    window->editorModel()->applyDocumentText("# One\n\nSome words here.");
    window->editorModel()->persist();
    QSignalSpy exports(sidebar, &ProjectSidebarView::exportRequested);

    const auto clickExport = [this](const QString &id) {
        const QRect row = tree->visualRect(sidebar->projectIndex(id));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          ProjectSidebarDelegate::exportButtonRect(row).center());
    };
    clickExport(empty.id);
    EXPECT_EQ(exports.count(), 0);
    // The button does not open the row it sits on.
    EXPECT_EQ(model->selectedProject()->id, film.id);
    clickExport(film.id);
    ASSERT_EQ(exports.count(), 1);
    EXPECT_EQ(exports.first().first().toString(), film.id);
    EXPECT_NE(window->rootView()->exportSheet(), nullptr);
}

} // namespace
} // namespace veskel::test
