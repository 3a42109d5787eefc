#include "VeskelApp/Sidebar/ProjectSidebarView.h"

#include "VeskelApp/AppModel.h"
#include "VeskelApp/Commands/AppShortcuts.h"
#include "VeskelApp/Icons/IconProvider.h"
#include "VeskelApp/Sidebar/ProjectSidebarDelegate.h"
#include "VeskelApp/Sidebar/ProjectSidebarModel.h"
#include "VeskelApp/Sidebar/ProjectTreeModel.h"
#include "VeskelApp/Sidebar/ProjectTreeProxyModel.h"
#include "VeskelApp/Sidebar/SidebarItemRoles.h"
#include "VeskelApp/Sidebar/SidebarTree.h"
#include "VeskelApp/Sidebar/TrashNotice.h"
#include "VeskelApp/Widgets/SignalColors.h"

#include <QActionGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScopedValueRollback>
#include <QToolButton>
#include <QVBoxLayout>

namespace veskel {

namespace {

using SidebarItemRoles::Kind;

Kind kindOf(const QModelIndex &index)
{
    return Kind(index.data(SidebarItemRoles::kind).toInt());
}

QString keyOf(const QModelIndex &index)
{
    return index.data(SidebarItemRoles::key).toString();
}

QToolButton *barButton(const QString &symbol, const QString &help)
{
    auto *button = new QToolButton;
    button->setIcon(IconProvider::icon(symbol));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(help);
    button->setAutoRaise(true);
    return button;
}

} // namespace

ProjectSidebarView::ProjectSidebarView(AppModel &model, QSettings &settings, QWidget *parent)
    : QWidget(parent)
    , m_model(&model)
    , m_sidebar(std::make_unique<ProjectSidebarModel>(model, &settings))
{
    setObjectName(QStringLiteral("ProjectSidebarView"));
    setMinimumWidth(minimumWidth);
    setMaximumWidth(maximumWidth);
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 6, 0, 0);
    layout->setSpacing(4);

    m_error = new QLabel;
    m_error->setObjectName(QStringLiteral("sidebarError"));
    m_error->setWordWrap(true);
    m_error->setContentsMargins(12, 2, 12, 2);
    QPalette errorPalette = m_error->palette();
    errorPalette.setColor(QPalette::WindowText, SignalColors::error());
    m_error->setPalette(errorPalette);
    QFont caption = m_error->font();
    caption.setPointSizeF(caption.pointSizeF() * 0.85);
    m_error->setFont(caption);
    layout->addWidget(m_error);

    layout->addWidget(makeFilterBar());

    // Where the open row stands before a save moves it: connected ahead of the tree model,
    // which follows the save.
    connect(m_model, &AppModel::projectSummaryChanged, this,
            [this](const QString &id) { m_placeBeforeSave = placeOf(projectIndex(id)); });
    m_treeModel = new ProjectTreeModel(model, *m_sidebar, this);
    m_proxy = new ProjectTreeProxyModel(*m_treeModel, *m_sidebar, this);
    m_tree = new SidebarTree;
    // Ahead of the view, which makes a neighbour current when the current row goes: that is no
    // choice of the user's and opens nothing.
    connect(m_proxy, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this] { m_updatingSelection = true; });
    m_tree->setModel(m_proxy);
    m_delegate = new ProjectSidebarDelegate(m_tree);
    m_tree->setItemDelegate(m_delegate);
    layout->addWidget(m_tree, 1);

    layout->addWidget(new TrashNotice(model));
    layout->addWidget(makeBottomBar());

    // Once the list is whole again after a change (never amid the proxy's own updates): the
    // sections open as they were, the open project's row current, a rename asked for before
    // its row was shown opened.
    const auto followList = [this] {
        m_updatingSelection = false;
        applyExpansion();
        selectOpenProject(false);
        openEditorForRename();
    };
    connect(m_model, &AppModel::projectsChanged, this, followList);
    connect(m_model, &AppModel::foldersChanged, this, followList);
    for (auto signal :
         {&ProjectSidebarModel::sortKeyChanged, &ProjectSidebarModel::sortOldestFirstChanged,
          &ProjectSidebarModel::pinFoldersToTopChanged, &ProjectSidebarModel::filterTextChanged,
          &ProjectSidebarModel::collapsedFoldersChanged})
        connect(m_sidebar.get(), signal, this, followList);
    connect(m_model, &AppModel::projectSummaryChanged, this, [this](const QString &id) {
        m_updatingSelection = false;
        selectOpenProject(placeOf(projectIndex(id)) != m_placeBeforeSave);
    });
    connect(m_model, &AppModel::selectedProjectChanged, this, [this] { selectOpenProject(true); });
    connect(m_model, &AppModel::errorMessageChanged, this, &ProjectSidebarView::updateError);
    connect(m_sidebar.get(), &ProjectSidebarModel::renamingProjectChanged, this,
            &ProjectSidebarView::openEditorForRename);
    connect(m_sidebar.get(), &ProjectSidebarModel::renamingFolderChanged, this,
            &ProjectSidebarView::openEditorForRename);

    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &ProjectSidebarView::rowChosen);
    connect(m_tree, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        if (kindOf(index) == Kind::project)
            rowChosen(index);
        else
            headerClicked(index);
    });
    connect(m_tree, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (kindOf(index) == Kind::project)
            m_sidebar->beginProjectRename(keyOf(index));
    });
    connect(m_tree, &SidebarTree::projectDropped, m_sidebar.get(),
            &ProjectSidebarModel::dropProject);
    connect(m_tree, &QWidget::customContextMenuRequested, this, [this](const QPoint &position) {
        if (const QModelIndex index = m_tree->indexAt(position); index.isValid()) {
            if (std::unique_ptr<QMenu> menu = contextMenu(index))
                menu->exec(m_tree->viewport()->mapToGlobal(position));
        }
    });
    connect(m_tree, &SidebarTree::exportClicked, this, &ProjectSidebarView::exportRequested);
    connect(m_delegate, &QAbstractItemDelegate::commitData, this,
            &ProjectSidebarView::renameCommitted);
    connect(m_delegate, &QAbstractItemDelegate::closeEditor, this,
            &ProjectSidebarView::editorClosed);

    updateError();
    applyExpansion();
    selectOpenProject(true);
}

ProjectSidebarView::~ProjectSidebarView() = default;

QWidget *ProjectSidebarView::makeFilterBar()
{
    auto *bar = new QWidget;
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(8, 0, 6, 2);
    layout->setSpacing(2);

    m_filter = new QLineEdit(m_sidebar->filterText());
    m_filter->setObjectName(QStringLiteral("sidebarFilter"));
    m_filter->setPlaceholderText(tr("Filter"));
    m_filter->setClearButtonEnabled(true);
    m_filter->addAction(IconProvider::icon(QStringLiteral("magnifyingglass")),
                        QLineEdit::LeadingPosition);
    connect(m_filter, &QLineEdit::textChanged, m_sidebar.get(),
            &ProjectSidebarModel::setFilterText);
    layout->addWidget(m_filter, 1);

    QToolButton *newFolder = barButton(QStringLiteral("folder.badge.plus"), tr("New folder"));
    newFolder->setObjectName(QStringLiteral("newFolder"));
    connect(newFolder, &QToolButton::clicked, m_sidebar.get(),
            &ProjectSidebarModel::createNewFolder);
    layout->addWidget(newFolder);

    m_sort = barButton(QStringLiteral("arrow.up.arrow.down"), tr("Project sorting and order"));
    m_sort->setObjectName(QStringLiteral("sortMenu"));
    m_sort->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(m_sort);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { fillSortMenu(menu); });
    m_sort->setMenu(menu);
    layout->addWidget(m_sort);
    return bar;
}

void ProjectSidebarView::fillSortMenu(QMenu *menu)
{
    // Rebuilt on every opening: the order's labels depend on the key.
    menu->clear();
    menu->addSection(tr("Sort By"));
    auto *keys = new QActionGroup(menu);
    for (ProjectSortKey key : allCases<ProjectSortKey>()) {
        QAction *action = menu->addAction(displayName(key));
        action->setCheckable(true);
        action->setChecked(m_sidebar->sortKey() == key);
        keys->addAction(action);
        connect(action, &QAction::triggered, m_sidebar.get(),
                [sidebar = m_sidebar.get(), key] { sidebar->setSortKey(key); });
    }
    menu->addSection(tr("Order"));
    const bool byName = m_sidebar->sortKey() == ProjectSortKey::name;
    auto *order = new QActionGroup(menu);
    const std::array<std::pair<QString, bool>, 2> choices{{
        {byName ? tr("A → Z") : tr("Newest on Top"), false},
        {byName ? tr("Z → A") : tr("Oldest on Top"), true},
    }};
    for (const auto &[label, oldestFirst] : choices) {
        QAction *action = menu->addAction(label);
        action->setCheckable(true);
        action->setChecked(m_sidebar->sortOldestFirst() == oldestFirst);
        order->addAction(action);
        connect(
            action, &QAction::triggered, m_sidebar.get(),
            [sidebar = m_sidebar.get(), oldestFirst] { sidebar->setSortOldestFirst(oldestFirst); });
    }
    menu->addSeparator();
    QAction *pin = menu->addAction(tr("Pin Folders to Top"));
    pin->setCheckable(true);
    pin->setChecked(m_sidebar->pinFoldersToTop());
    connect(pin, &QAction::toggled, m_sidebar.get(), &ProjectSidebarModel::setPinFoldersToTop);
}

QWidget *ProjectSidebarView::makeBottomBar()
{
    auto *bar = new QWidget;
    auto *layout = new QVBoxLayout(bar);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(0);
    auto *divider = new QFrame;
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Plain);
    divider->setForegroundRole(QPalette::Mid);
    layout->addWidget(divider);
    layout->addSpacing(4);

    // Tool buttons, not style-sheeted push buttons: a style sheet keeps the palette it was
    // polished with, and the labels went unreadable after a switch of appearance.
    const auto flatButton = [](const QString &symbol, const QString &text) {
        auto *button = new QToolButton;
        button->setIcon(IconProvider::icon(symbol));
        button->setText(text);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setCursor(Qt::PointingHandCursor);
        return button;
    };
    m_newProject = flatButton(QStringLiteral("plus"),
                              tr("New project") + AppShortcuts::hint(AppShortcuts::newProject()));
    m_newProject->setObjectName(QStringLiteral("newProjectButton"));
    connect(m_newProject, &QToolButton::clicked, m_model,
            [model = m_model] { model->setShowNewProjectSheet(true); });
    layout->addWidget(m_newProject);

    QToolButton *settings = flatButton(QStringLiteral("gearshape"), tr("Settings"));
    settings->setObjectName(QStringLiteral("settingsButton"));
    connect(settings, &QToolButton::clicked, this, &ProjectSidebarView::settingsRequested);
    layout->addWidget(settings);
    return bar;
}

QModelIndex ProjectSidebarView::projectIndex(const QString &projectID) const
{
    return m_proxy->projectIndex(projectID);
}

QModelIndex ProjectSidebarView::folderIndex(const QString &folder) const
{
    return m_proxy->sectionIndex(folder);
}

std::pair<int, int> ProjectSidebarView::placeOf(const QModelIndex &row)
{
    return {row.parent().row(), row.row()};
}

void ProjectSidebarView::applyExpansion()
{
    for (int section = 0; section < m_proxy->rowCount(); ++section) {
        const QModelIndex header = m_proxy->index(section, 0);
        const bool expanded = header.data(SidebarItemRoles::expanded).toBool();
        if (m_tree->isExpanded(header) != expanded)
            m_tree->setExpanded(header, expanded);
    }
}

void ProjectSidebarView::selectOpenProject(bool reveal)
{
    const auto &open = m_model->selectedProject();
    const QModelIndex current = m_tree->currentIndex();
    // Mostly it is current already, and nothing is looked up.
    const QModelIndex row = !open ? QModelIndex()
                            : current.isValid() && keyOf(current) == open->id
                                ? current
                                : projectIndex(open->id);
    const QScopedValueRollback updating(m_updatingSelection, true);
    if (!row.isValid()) {
        if (current.isValid())
            m_tree->setCurrentIndex({});
        m_tree->clearSelection();
        return;
    }
    if (current != row || !m_tree->selectionModel()->isSelected(row))
        m_tree->setCurrentIndex(row);
    if (reveal)
        m_tree->scrollTo(row);
}

void ProjectSidebarView::updateError()
{
    const auto &message = m_model->errorMessage();
    m_error->setText(message.value_or(QString()));
    m_error->setVisible(message.has_value());
}

void ProjectSidebarView::rowChosen(const QModelIndex &index)
{
    if (m_updatingSelection || kindOf(index) != Kind::project)
        return;
    const QString id = keyOf(index);
    const auto &open = m_model->selectedProject();
    if (open && open->id == id)
        return;
    m_sidebar->openProject(id);
    // A failed open leaves the row of the open project current.
    selectOpenProject(true);
}

void ProjectSidebarView::headerClicked(const QModelIndex &index)
{
    if (kindOf(index) != Kind::folderHeader)
        return;
    const QString folder = keyOf(index);
    m_sidebar->setFolderExpanded(folder, !m_sidebar->isFolderExpanded(folder));
}

void ProjectSidebarView::openEditorForRename()
{
    const auto &project = m_sidebar->renamingProjectID();
    const auto &folder = m_sidebar->renamingFolder();
    // The signal also tells about each typed character; only a new target opens a field.
    if (project == m_editedProject && folder == m_editedFolder)
        return;
    const QModelIndex index = project  ? projectIndex(*project)
                              : folder ? folderIndex(*folder)
                                       : QModelIndex();
    // A row not shown yet (a new folder) opens its field once it is.
    if (!index.isValid())
        return;
    m_editedProject = project;
    m_editedFolder = folder;
    m_tree->scrollTo(index);
    m_tree->edit(index);
    if (!m_tree->isEditing())
        editorClosed();
}

void ProjectSidebarView::renameCommitted(QWidget *editor)
{
    const auto *field = qobject_cast<QLineEdit *>(editor);
    if (!field)
        return;
    if (m_editedProject && m_sidebar->renamingProjectID() == m_editedProject) {
        m_sidebar->setProjectRenameText(field->text());
        m_sidebar->commitProjectRename();
    } else if (m_editedFolder && m_sidebar->renamingFolder() == m_editedFolder) {
        m_sidebar->setFolderRenameText(field->text());
        m_sidebar->commitFolderRename();
    }
}

void ProjectSidebarView::editorClosed()
{
    // Escape commits nothing: whatever rename is still going on is abandoned.
    m_editedProject.reset();
    m_editedFolder.reset();
    m_sidebar->cancelProjectRename();
    m_sidebar->cancelFolderRename();
}

std::unique_ptr<QMenu> ProjectSidebarView::contextMenu(const QModelIndex &index)
{
    auto menu = std::make_unique<QMenu>();
    const QString key = keyOf(index);
    switch (kindOf(index)) {
    case Kind::rootHeader:
        return nullptr;
    case Kind::folderHeader: {
        QAction *rename
            = menu->addAction(IconProvider::icon(QStringLiteral("pencil")), tr("Rename Folder"));
        connect(rename, &QAction::triggered, m_sidebar.get(),
                [sidebar = m_sidebar.get(), key] { sidebar->beginFolderRename(key); });
        QAction *remove
            = menu->addAction(IconProvider::icon(QStringLiteral("trash")), tr("Delete Folder"));
        connect(remove, &QAction::triggered, m_model,
                [model = m_model, key] { model->deleteFolder(key); });
        return menu;
    }
    case Kind::project:
        break;
    }

    const std::optional<ProjectSummary> summary = m_model->summary(key);
    if (!summary)
        return nullptr;
    QAction *exportAction
        = menu->addAction(IconProvider::icon(QStringLiteral("square.and.arrow.up")), tr("Export"));
    exportAction->setEnabled(summary->sceneCount > 0);
    connect(exportAction, &QAction::triggered, this, [this, key] { emit exportRequested(key); });
    QAction *rename = menu->addAction(IconProvider::icon(QStringLiteral("pencil")), tr("Rename"));
    connect(rename, &QAction::triggered, m_sidebar.get(),
            [sidebar = m_sidebar.get(), key] { sidebar->beginProjectRename(key); });
    QAction *duplicate = menu->addAction(
        IconProvider::icon(QStringLiteral("plus.square.on.square")), tr("Duplicate"));
    connect(duplicate, &QAction::triggered, m_model,
            [model = m_model, summary = *summary] { model->duplicateProject(summary); });

    QMenu *move = menu->addMenu(IconProvider::icon(QStringLiteral("folder")), tr("Move To"));
    const auto addDestination = [&](const QString &label, const std::optional<QString> &folder) {
        QAction *action = move->addAction(label);
        // Where it already is, it cannot go.
        action->setEnabled(summary->folderName != folder);
        connect(action, &QAction::triggered, m_model,
                [model = m_model, s = *summary, folder] { model->moveProject(s, folder); });
    };
    addDestination(tr("Root (no folder)"), std::nullopt);
    if (!m_model->folders().isEmpty())
        move->addSeparator();
    for (const QString &folder : m_model->folders())
        addDestination(folder, folder);
    // Nowhere else to go: the whole submenu is off.
    move->setEnabled(summary->folderName.has_value() || !m_model->folders().isEmpty());

    menu->addSeparator();
    QAction *remove = menu->addAction(IconProvider::icon(QStringLiteral("trash")), tr("Delete"));
    connect(remove, &QAction::triggered, m_model,
            [model = m_model, summary = *summary] { model->deleteProject(summary); });
    return menu;
}

} // namespace veskel
