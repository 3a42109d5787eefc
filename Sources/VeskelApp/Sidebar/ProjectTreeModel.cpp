#include "VeskelApp/Sidebar/ProjectTreeModel.h"

#include "VeskelApp/AppModel.h"
#include "VeskelApp/Sidebar/ProjectSidebarModel.h"
#include "VeskelApp/Sidebar/SidebarItemRoles.h"

#include <QMimeData>

#include <algorithm>

namespace veskel {

namespace {

using SidebarItemRoles::Kind;

// The positions in `sequence` of one of its longest increasing runs (not necessarily
// contiguous): the rows that can stay where they are while the others move around them.
std::vector<bool> longestIncreasing(const QList<int> &sequence)
{
    std::vector<int> tails; // positions ending the best run of each length
    std::vector<int> previous(sequence.size(), -1);
    for (int i = 0; i < sequence.size(); ++i) {
        const auto place = std::lower_bound(
            tails.begin(), tails.end(), sequence.at(i),
            [&](int position, int value) { return sequence.at(position) < value; });
        if (place != tails.begin())
            previous[i] = *(place - 1);
        if (place == tails.end())
            tails.push_back(i);
        else
            *place = i;
    }
    std::vector<bool> kept(sequence.size(), false);
    for (int i = tails.empty() ? -1 : tails.back(); i >= 0; i = previous[i])
        kept[i] = true;
    return kept;
}

} // namespace

int ProjectTreeModel::Section::rowOf(const QString &projectID) const
{
    for (int row = 0; row < rows.size(); ++row) {
        if (rows.at(row).id == projectID)
            return row;
    }
    return -1;
}

ProjectTreeModel::ProjectTreeModel(AppModel &model, ProjectSidebarModel &sidebar, QObject *parent)
    : QAbstractItemModel(parent)
    , m_model(&model)
    , m_sidebar(&sidebar)
{
    connect(m_model, &AppModel::projectsChanged, this, &ProjectTreeModel::sync);
    connect(m_model, &AppModel::foldersChanged, this, &ProjectTreeModel::sync);
    connect(m_model, &AppModel::projectSummaryChanged, this, &ProjectTreeModel::updateProject);
    connect(m_sidebar, &ProjectSidebarModel::collapsedFoldersChanged, this, [this] {
        if (!m_sections.empty())
            emit dataChanged(index(0, 0), index(int(m_sections.size()) - 1, 0),
                             {SidebarItemRoles::expanded});
    });
    sync();
}

ProjectTreeModel::~ProjectTreeModel() = default;

// MARK: structure

QModelIndex ProjectTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent))
        return {};
    // A row points at its section; a section at nothing.
    return createIndex(row, column, parent.isValid() ? m_sections.at(parent.row()).get() : nullptr);
}

QModelIndex ProjectTreeModel::parent(const QModelIndex &child) const
{
    const auto *section = static_cast<const Section *>(child.internalPointer());
    if (!child.isValid() || !section)
        return {};
    return createIndex(rowOfSection(section), 0, nullptr);
}

int ProjectTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return int(m_sections.size());
    if (parent.column() != 0 || parent.internalPointer())
        return 0;
    return int(m_sections.at(parent.row())->rows.size());
}

int ProjectTreeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

int ProjectTreeModel::rowOfSection(const Section *section) const
{
    const auto found
        = std::find_if(m_sections.cbegin(), m_sections.cend(),
                       [&](const auto &candidate) { return candidate.get() == section; });
    return found == m_sections.cend() ? -1 : int(found - m_sections.cbegin());
}

ProjectTreeModel::Section *ProjectTreeModel::sectionAt(const QModelIndex &index) const
{
    if (!index.isValid())
        return nullptr;
    if (auto *section = static_cast<Section *>(index.internalPointer()))
        return section;
    return m_sections.at(index.row()).get();
}

QModelIndex ProjectTreeModel::projectIndex(const QString &projectID) const
{
    const Section *section = m_sectionOfProject.value(projectID);
    if (!section)
        return {};
    return createIndex(section->rowOf(projectID), 0, section);
}

QModelIndex ProjectTreeModel::sectionIndex(const std::optional<QString> &folder) const
{
    for (int row = 0; row < int(m_sections.size()); ++row) {
        if (m_sections.at(row)->folder == folder)
            return index(row, 0);
    }
    return {};
}

const ProjectSummary *ProjectTreeModel::summary(const QModelIndex &index) const
{
    const auto *section = static_cast<const Section *>(index.internalPointer());
    if (!index.isValid() || !section)
        return nullptr;
    return &section->rows.at(index.row());
}

std::optional<QString> ProjectTreeModel::folderOf(const QModelIndex &index) const
{
    const Section *section = sectionAt(index);
    return section ? section->folder : std::nullopt;
}

// MARK: data

QVariant ProjectTreeModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    if (const ProjectSummary *row = summary(index)) {
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return row->title;
        case SidebarItemRoles::kind:
            return int(Kind::project);
        case SidebarItemRoles::key:
            return row->id;
        case SidebarItemRoles::detail:
            return ProjectSidebarModel::rowDetail(*row);
        case SidebarItemRoles::warningCount:
            return row->warningCount;
        case SidebarItemRoles::sceneCount:
            return row->sceneCount;
        default:
            return {};
        }
    }
    const Section &section = *m_sections.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return section.folder ? *section.folder : tr("Projects");
    case SidebarItemRoles::kind:
        return int(section.folder ? Kind::folderHeader : Kind::rootHeader);
    case SidebarItemRoles::key:
        return section.folder.value_or(QString());
    case SidebarItemRoles::expanded:
        return !section.folder || m_sidebar->isFolderExpanded(*section.folder);
    case SidebarItemRoles::dropTarget:
        return section.dropTarget;
    default:
        return {};
    }
}

bool ProjectTreeModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != SidebarItemRoles::dropTarget || summary(index)
        || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    Section &section = *m_sections.at(index.row());
    if (section.dropTarget == value.toBool())
        return true;
    section.dropTarget = value.toBool();
    emit dataChanged(index, index, {role});
    return true;
}

Qt::ItemFlags ProjectTreeModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (summary(index))
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsEditable
               | Qt::ItemNeverHasChildren;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsDropEnabled;
    if (m_sections.at(index.row())->folder)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QStringList ProjectTreeModel::mimeTypes() const
{
    return {QStringLiteral("text/plain")};
}

QMimeData *ProjectTreeModel::mimeData(const QModelIndexList &indexes) const
{
    for (const QModelIndex &index : indexes) {
        if (const ProjectSummary *row = summary(index)) {
            auto *data = new QMimeData;
            data->setText(row->id);
            return data;
        }
    }
    return nullptr;
}

Qt::DropActions ProjectTreeModel::supportedDragActions() const
{
    return Qt::MoveAction | Qt::CopyAction;
}

// MARK: following the application model

void ProjectTreeModel::sync()
{
    QList<std::optional<QString>> sections;
    QHash<QString, int> sectionOfFolder;
    for (const QString &folder : m_model->folders()) {
        sectionOfFolder.insert(folder, int(sections.size()));
        sections.append(folder);
    }
    const int loose = int(sections.size());
    sections.append(std::nullopt);

    QList<QList<ProjectSummary>> rows(sections.size());
    QHash<QString, int> wantedSection;
    for (const ProjectSummary &summary : m_model->projects()) {
        const int section
            = summary.folderName ? sectionOfFolder.value(*summary.folderName, -1) : loose;
        // In a folder not listed yet (the projects reload before the folders): it shows once
        // the folder does.
        if (section < 0)
            continue;
        rows[section].append(summary);
        wantedSection.insert(summary.id, section);
    }

    placeSections(sections);
    removeUnwantedRows(wantedSection);
    for (int section = 0; section < sections.size(); ++section)
        gatherRows(section, rows.at(section));
    for (int section = 0; section < sections.size(); ++section)
        orderRows(section, rows.at(section));
    // Sections that went are empty by now, at the end.
    if (int(m_sections.size()) > sections.size()) {
        beginRemoveRows({}, int(sections.size()), int(m_sections.size()) - 1);
        m_sections.resize(sections.size());
        endRemoveRows();
    }
}

void ProjectTreeModel::placeSections(const QList<std::optional<QString>> &wanted)
{
    for (int place = 0; place < wanted.size(); ++place) {
        const auto found = std::find_if(
            m_sections.begin() + std::min<qsizetype>(place, m_sections.size()), m_sections.end(),
            [&](const auto &section) { return section->folder == wanted.at(place); });
        if (found == m_sections.end()) {
            beginInsertRows({}, place, place);
            auto section = std::make_unique<Section>();
            section->folder = wanted.at(place);
            m_sections.insert(m_sections.begin() + place, std::move(section));
            endInsertRows();
            continue;
        }
        const int from = int(found - m_sections.begin());
        if (from == place)
            continue;
        beginMoveRows({}, from, from, {}, place);
        std::rotate(m_sections.begin() + place, found, found + 1);
        endMoveRows();
    }
}

void ProjectTreeModel::removeUnwantedRows(const QHash<QString, int> &wantedSection)
{
    for (int sectionRow = 0; sectionRow < int(m_sections.size()); ++sectionRow) {
        Section &section = *m_sections.at(sectionRow);
        // From the end, a run of neighbours at a time.
        for (int last = int(section.rows.size()) - 1; last >= 0; --last) {
            if (wantedSection.contains(section.rows.at(last).id))
                continue;
            int first = last;
            while (first > 0 && !wantedSection.contains(section.rows.at(first - 1).id))
                --first;
            beginRemoveRows(index(sectionRow, 0), first, last);
            for (int row = first; row <= last; ++row)
                m_sectionOfProject.remove(section.rows.at(row).id);
            section.rows.remove(first, last - first + 1);
            endRemoveRows();
            last = first;
        }
    }
}

void ProjectTreeModel::gatherRows(int sectionRow, const QList<ProjectSummary> &wanted)
{
    Section &section = *m_sections.at(sectionRow);
    // Where the next row would follow the one before it; the order is settled afterwards.
    int place = 0;
    for (const ProjectSummary &summary : wanted) {
        Section *from = m_sectionOfProject.value(summary.id);
        if (from == &section) {
            place = place < section.rows.size() && section.rows.at(place).id == summary.id
                        ? place + 1
                        : section.rowOf(summary.id) + 1;
            continue;
        }
        if (from) {
            moveRow(*from, from->rowOf(summary.id), sectionRow, place);
        } else {
            beginInsertRows(index(sectionRow, 0), place, place);
            section.rows.insert(place, summary);
            m_sectionOfProject.insert(summary.id, &section);
            endInsertRows();
        }
        ++place;
    }
}

void ProjectTreeModel::orderRows(int sectionRow, const QList<ProjectSummary> &wanted)
{
    Section &section = *m_sections.at(sectionRow);
    Q_ASSERT(section.rows.size() == wanted.size());
    const bool inOrder
        = std::equal(wanted.cbegin(), wanted.cend(), section.rows.cbegin(), section.rows.cend(),
                     [](const ProjectSummary &a, const ProjectSummary &b) { return a.id == b.id; });
    if (!inOrder) {
        // The fewest moves: rows on a longest run already in order stay; each other one goes
        // right after the row it should follow.
        QHash<QString, int> wantedPlace;
        for (int place = 0; place < wanted.size(); ++place)
            wantedPlace.insert(wanted.at(place).id, place);
        QList<int> sequence;
        for (const ProjectSummary &row : std::as_const(section.rows))
            sequence.append(wantedPlace.value(row.id));
        const std::vector<bool> kept = longestIncreasing(sequence);
        std::vector<bool> stays(wanted.size(), false);
        for (int row = 0; row < sequence.size(); ++row)
            stays[sequence.at(row)] = kept[row];
        for (int place = 0; place < wanted.size(); ++place) {
            if (stays[place])
                continue;
            const int after = place == 0 ? -1 : section.rowOf(wanted.at(place - 1).id);
            moveRow(section, section.rowOf(wanted.at(place).id), sectionRow, after + 1);
        }
    }
    for (int row = 0; row < wanted.size(); ++row)
        setSummary(sectionRow, row, wanted.at(row));
}

void ProjectTreeModel::moveRow(Section &from, int fromRow, int toSection, int destination)
{
    Section &to = *m_sections.at(toSection);
    const bool within = &from == &to;
    if (within && (destination == fromRow || destination == fromRow + 1))
        return;
    beginMoveRows(index(rowOfSection(&from), 0), fromRow, fromRow, index(toSection, 0),
                  destination);
    ProjectSummary row = from.rows.takeAt(fromRow);
    m_sectionOfProject.insert(row.id, &to);
    to.rows.insert(within && destination > fromRow ? destination - 1 : destination, std::move(row));
    endMoveRows();
}

void ProjectTreeModel::setSummary(int sectionRow, int row, const ProjectSummary &summary)
{
    ProjectSummary &shown = m_sections.at(sectionRow)->rows[row];
    if (shown == summary)
        return;
    shown = summary;
    const QModelIndex changed = index(row, 0, index(sectionRow, 0));
    emit dataChanged(changed, changed);
}

void ProjectTreeModel::updateProject(const QString &projectID)
{
    Section *section = m_sectionOfProject.value(projectID);
    const std::optional<ProjectSummary> summary = m_model->summary(projectID);
    if (!section || !summary || summary->folderName != section->folder)
        return sync();
    setSummary(rowOfSection(section), section->rowOf(projectID), *summary);
}

} // namespace veskel
