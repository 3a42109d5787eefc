#include "VeskelApp/Sidebar/ProjectSidebarView.h"

#include "VeskelApp/AppModel.h"
#include "VeskelApp/Commands/AppShortcuts.h"
#include "VeskelApp/Icons/IconProvider.h"
#include "VeskelApp/Sidebar/ProjectSidebarDelegate.h"
#include "VeskelApp/Sidebar/ProjectSidebarModel.h"
#include "VeskelApp/Sidebar/SidebarTree.h"
#include "VeskelApp/Widgets/SignalColors.h"

#include <QActionGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace veskel {

namespace {

using SidebarItemRoles::Kind;

Kind kindOf(const QTreeWidgetItem *item)
{
    return Kind(item->data(0, SidebarItemRoles::kind).toInt());
}

QString keyOf(const QTreeWidgetItem *item)
{
    return item->data(0, SidebarItemRoles::key).toString();
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

    m_tree = new SidebarTree;
    m_delegate = new ProjectSidebarDelegate(m_tree);
    m_tree->setItemDelegate(m_delegate);
    layout->addWidget(m_tree, 1);

    layout->addWidget(makeBottomBar());

    connect(m_model, &AppModel::projectsChanged, this, &ProjectSidebarView::scheduleRebuild);
    connect(m_model, &AppModel::projectSummaryChanged, this, &ProjectSidebarView::updateProjectRow);
    connect(m_model, &AppModel::foldersChanged, this, &ProjectSidebarView::scheduleRebuild);
    connect(m_model, &AppModel::selectedProjectChanged, this,
            &ProjectSidebarView::updateCurrentRow);
    connect(m_model, &AppModel::errorMessageChanged, this, &ProjectSidebarView::updateError);
    for (auto signal :
         {&ProjectSidebarModel::sortKeyChanged, &ProjectSidebarModel::sortOldestFirstChanged,
          &ProjectSidebarModel::pinFoldersToTopChanged, &ProjectSidebarModel::filterTextChanged,
          &ProjectSidebarModel::collapsedFoldersChanged})
        connect(m_sidebar.get(), signal, this, &ProjectSidebarView::scheduleRebuild);
    connect(m_sidebar.get(), &ProjectSidebarModel::renamingProjectChanged, this,
            &ProjectSidebarView::openEditorForRename);
    connect(m_sidebar.get(), &ProjectSidebarModel::renamingFolderChanged, this,
            &ProjectSidebarView::openEditorForRename);

    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { rowChosen(current); });
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        if (kindOf(item) == Kind::project)
            rowChosen(item);
        else
            headerClicked(item);
    });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        if (kindOf(item) == Kind::project)
            m_sidebar->beginProjectRename(keyOf(item));
    });
    connect(m_tree, &SidebarTree::projectDropped, m_sidebar.get(),
            &ProjectSidebarModel::dropProject);
    connect(m_tree, &QWidget::customContextMenuRequested, this, [this](const QPoint &position) {
        if (QTreeWidgetItem *item = m_tree->itemAt(position)) {
            if (std::unique_ptr<QMenu> menu = contextMenu(item))
                menu->exec(m_tree->viewport()->mapToGlobal(position));
        }
    });
    connect(m_tree, &SidebarTree::exportClicked, this, &ProjectSidebarView::exportRequested);
    connect(m_delegate, &QAbstractItemDelegate::commitData, this,
            &ProjectSidebarView::renameCommitted);
    connect(m_delegate, &QAbstractItemDelegate::closeEditor, this,
            &ProjectSidebarView::editorClosed);

    updateError();
    rebuild();
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

namespace {

const Qt::ItemFlags projectFlags
    = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsEditable;

void fillRow(QTreeWidgetItem *row, const ProjectSummary &summary)
{
    // QTreeWidgetItem::setData leaves an unchanged value alone: the view repaints what changed.
    row->setText(0, summary.title);
    row->setData(0, SidebarItemRoles::kind, int(Kind::project));
    row->setData(0, SidebarItemRoles::key, summary.id);
    row->setData(0, SidebarItemRoles::detail, ProjectSidebarModel::rowDetail(summary));
    row->setData(0, SidebarItemRoles::warningCount, summary.warningCount);
    row->setData(0, SidebarItemRoles::sceneCount, summary.sceneCount);
    if (row->flags() != projectFlags)
        row->setFlags(projectFlags);
}

// Takes the item out of wherever it is, the tree's top level or a section.
void detach(QTreeWidgetItem *item)
{
    if (QTreeWidgetItem *parent = item->parent()) {
        parent->removeChild(item);
    } else if (QTreeWidget *tree = item->treeWidget()) {
        tree->takeTopLevelItem(tree->indexOfTopLevelItem(item));
    }
}

std::optional<QString> folderOf(const QTreeWidgetItem *section)
{
    if (kindOf(section) == Kind::folderHeader)
        return keyOf(section);
    return std::nullopt;
}

} // namespace

void ProjectSidebarView::scheduleRebuild()
{
    if (m_editing) {
        // An open rename field would be destroyed with its row; the list follows once it
        // closes.
        m_rebuildPending = true;
        return;
    }
    rebuild();
}

void ProjectSidebarView::rebuild()
{
    m_rebuildPending = false;
    const int scroll = m_tree->verticalScrollBar() ? m_tree->verticalScrollBar()->value() : 0;
    m_updatingSelection = true;

    QHash<QString, QTreeWidgetItem *> headers;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *header = m_tree->topLevelItem(i);
        headers.insert(kindOf(header) == Kind::rootHeader ? QString() : u'/' + keyOf(header),
                       header);
    }
    QHash<QString, QTreeWidgetItem *> unplaced = std::exchange(m_rows, {});

    QList<std::optional<QString>> sections;
    for (const QString &folder : m_sidebar->visibleFolders())
        sections.append(folder);
    // The loose projects, below or above the folders.
    sections.insert(m_sidebar->pinFoldersToTop() ? sections.size() : 0, std::nullopt);

    for (int index = 0; index < sections.size(); ++index) {
        const std::optional<QString> &folder = sections.at(index);
        QTreeWidgetItem *header = headers.take(folder ? u'/' + *folder : QString());
        if (!header) {
            header = new QTreeWidgetItem;
            header->setData(0, SidebarItemRoles::kind,
                            int(folder ? Kind::folderHeader : Kind::rootHeader));
            header->setData(0, SidebarItemRoles::key, folder.value_or(QString()));
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsDropEnabled;
            if (folder)
                flags |= Qt::ItemIsEditable;
            header->setFlags(flags);
        }
        header->setText(0, folder ? *folder : tr("Projects"));
        if (m_tree->topLevelItem(index) != header) {
            detach(header);
            m_tree->insertTopLevelItem(index, header);
        }
        placeSection(header, folder, unplaced);
    }
    // Sections that went: their rows still wanted elsewhere have moved out already.
    for (QTreeWidgetItem *header : std::as_const(headers)) {
        header->takeChildren();
        detach(header);
        delete header;
    }
    for (QTreeWidgetItem *row : std::as_const(unplaced)) {
        detach(row);
        delete row;
    }

    m_updatingSelection = false;
    updateCurrentRow();
    m_tree->verticalScrollBar()->setValue(scroll);
    // A rename asked for before the row existed (a new folder) opens now.
    openEditorForRename();
}

void ProjectSidebarView::placeSection(QTreeWidgetItem *header,
                                      const std::optional<QString> &folder,
                                      QHash<QString, QTreeWidgetItem *> &unplaced)
{
    const bool expanded = !folder || m_sidebar->isFolderExpanded(*folder);
    header->setData(0, SidebarItemRoles::expanded, expanded);
    const QList<ProjectSummary> rows = m_sidebar->visibleProjects(folder);
    for (int i = 0; i < rows.size(); ++i) {
        const ProjectSummary &summary = rows.at(i);
        QTreeWidgetItem *row = unplaced.take(summary.id);
        if (!row)
            row = new QTreeWidgetItem;
        fillRow(row, summary);
        if (header->child(i) != row) {
            detach(row);
            header->insertChild(i, row);
        }
        m_rows.insert(summary.id, row);
    }
    // What is left below belongs elsewhere or nowhere; it stays in `unplaced` until the end.
    while (header->childCount() > rows.size())
        header->takeChild(rows.size());
    if (header->isExpanded() != expanded)
        header->setExpanded(expanded);
}

void ProjectSidebarView::updateProjectRow(const QString &projectID)
{
    QTreeWidgetItem *row = m_rows.value(projectID);
    const std::optional<ProjectSummary> summary = m_model->summary(projectID);
    QTreeWidgetItem *section = row ? row->parent() : nullptr;
    if (!summary || !section || folderOf(section) != summary->folderName)
        return scheduleRebuild();
    const std::optional<int> place = m_sidebar->visiblePosition(projectID);
    // Filtered out by its new title: the section changes as a whole.
    if (!place)
        return scheduleRebuild();
    fillRow(row, *summary);
    const int index = *place;
    if (section->indexOfChild(row) == index)
        return;
    if (m_editing) {
        // The open rename field stays on its row: the row moves once the field closes.
        m_rebuildPending = true;
        return;
    }
    m_updatingSelection = true;
    section->removeChild(row);
    section->insertChild(index, row);
    m_updatingSelection = false;
    updateCurrentRow();
}

QTreeWidgetItem *ProjectSidebarView::projectItem(const QString &projectID) const
{
    return m_rows.value(projectID);
}

QTreeWidgetItem *ProjectSidebarView::folderItem(const QString &folder) const
{
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *section = m_tree->topLevelItem(i);
        if (kindOf(section) == Kind::folderHeader && keyOf(section) == folder)
            return section;
    }
    return nullptr;
}

void ProjectSidebarView::updateCurrentRow()
{
    const auto &open = m_model->selectedProject();
    QTreeWidgetItem *row = open ? projectItem(open->id) : nullptr;
    const bool wasUpdating = m_updatingSelection;
    m_updatingSelection = true;
    if (row) {
        m_tree->setCurrentItem(row);
        m_tree->scrollToItem(row);
    } else {
        m_tree->setCurrentItem(nullptr);
        m_tree->clearSelection();
    }
    m_updatingSelection = wasUpdating;
}

void ProjectSidebarView::updateError()
{
    const auto &message = m_model->errorMessage();
    m_error->setText(message.value_or(QString()));
    m_error->setVisible(message.has_value());
}

void ProjectSidebarView::rowChosen(QTreeWidgetItem *item)
{
    if (m_updatingSelection || !item || kindOf(item) != Kind::project)
        return;
    const QString id = keyOf(item);
    const auto &open = m_model->selectedProject();
    if (open && open->id == id)
        return;
    m_sidebar->openProject(id);
    // A failed open leaves the row of the open project current.
    updateCurrentRow();
}

void ProjectSidebarView::headerClicked(QTreeWidgetItem *item)
{
    if (!item || kindOf(item) != Kind::folderHeader)
        return;
    const QString folder = keyOf(item);
    m_sidebar->setFolderExpanded(folder, !m_sidebar->isFolderExpanded(folder));
}

void ProjectSidebarView::openEditorForRename()
{
    const auto &project = m_sidebar->renamingProjectID();
    const auto &folder = m_sidebar->renamingFolder();
    // The signal also tells about each typed character; only a new target opens a field.
    if (project == m_editedProject && folder == m_editedFolder)
        return;
    QTreeWidgetItem *item = project  ? projectItem(*project)
                            : folder ? folderItem(*folder)
                                     : nullptr;
    if (!item)
        return;
    m_editedProject = project;
    m_editedFolder = folder;
    m_editing = true;
    m_tree->scrollToItem(item);
    m_tree->editItem(item);
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
    m_editing = false;
    m_editedProject.reset();
    m_editedFolder.reset();
    m_sidebar->cancelProjectRename();
    m_sidebar->cancelFolderRename();
    if (m_rebuildPending) {
        // Not from inside the item view's own handling of the closing field.
        QTimer::singleShot(0, this, [this] {
            if (!m_editing && m_rebuildPending)
                rebuild();
        });
    }
}

std::unique_ptr<QMenu> ProjectSidebarView::contextMenu(QTreeWidgetItem *item)
{
    auto menu = std::make_unique<QMenu>();
    const QString key = keyOf(item);
    switch (kindOf(item)) {
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
