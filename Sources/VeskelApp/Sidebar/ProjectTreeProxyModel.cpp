#include "VeskelApp/Sidebar/ProjectTreeProxyModel.h"

#include "StoryboardCore/Localization/L10nRuntime.h"
#include "VeskelApp/Sidebar/ProjectSidebarModel.h"
#include "VeskelApp/Sidebar/ProjectTreeModel.h"

namespace veskel {

ProjectTreeProxyModel::ProjectTreeProxyModel(ProjectTreeModel &tree,
                                             const ProjectSidebarModel &rules,
                                             QObject *parent)
    : QSortFilterProxyModel(parent)
    , m_tree(&tree)
    , m_rules(&rules)
{
    // A folder is shown while filtering when one of its rows is.
    setRecursiveFilteringEnabled(true);
    setSourceModel(&tree);
    sort(0);
    for (auto signal :
         {&ProjectSidebarModel::sortKeyChanged, &ProjectSidebarModel::sortOldestFirstChanged,
          &ProjectSidebarModel::pinFoldersToTopChanged})
        connect(&rules, signal, this, &ProjectTreeProxyModel::invalidate);
    connect(&rules, &ProjectSidebarModel::filterTextChanged, this,
            &ProjectTreeProxyModel::invalidateRowsFilter);
}

QModelIndex ProjectTreeProxyModel::projectIndex(const QString &projectID) const
{
    return mapFromSource(m_tree->projectIndex(projectID));
}

QModelIndex ProjectTreeProxyModel::sectionIndex(const std::optional<QString> &folder) const
{
    return mapFromSource(m_tree->sectionIndex(folder));
}

bool ProjectTreeProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    const QModelIndex index = m_tree->index(sourceRow, 0, sourceParent);
    if (const ProjectSummary *row = m_tree->summary(index))
        return m_rules->matchesFilter(*row);
    // The "Projects" section stays; a folder stays unfiltered, or by its rows.
    return !m_tree->folderOf(index) || m_rules->filterText().isEmpty();
}

bool ProjectTreeProxyModel::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const ProjectSummary *a = m_tree->summary(left);
    const ProjectSummary *b = m_tree->summary(right);
    if (a && b) {
        if (m_rules->precedes(*a, *b, names()))
            return true;
        return !m_rules->precedes(*b, *a, names()) && left.row() < right.row();
    }
    const bool leftLoose = !m_tree->folderOf(left);
    const bool rightLoose = !m_tree->folderOf(right);
    if (leftLoose != rightLoose)
        return m_rules->pinFoldersToTop() ? rightLoose : leftLoose;
    return left.row() < right.row();
}

const NameCollator &ProjectTreeProxyModel::names() const
{
    const ResolvedLanguage language = L10nRuntime::lang();
    if (!m_names || language != m_namesLanguage) {
        m_names = NameCollator::forInterfaceLanguage();
        m_namesLanguage = language;
    }
    return *m_names;
}

} // namespace veskel
