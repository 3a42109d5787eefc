#pragma once

#include "StoryboardCore/Localization/NameCollator.h"
#include "StoryboardCore/Localization/ResolvedLanguage.h"

#include <QSortFilterProxyModel>

#include <optional>

namespace veskel {

class ProjectSidebarModel;
class ProjectTreeModel;

// The project tree as the sidebar shows it: rows filtered by title and sorted by the sidebar
// model's rules, equal keys in the store's order; while filtering, only the folders with a
// matching project, and always the "Projects" section, below or above the folders as pinned.
class ProjectTreeProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    // Both models must outlive this one.
    ProjectTreeProxyModel(ProjectTreeModel &tree,
                          const ProjectSidebarModel &rules,
                          QObject *parent = nullptr);

    ProjectTreeModel &tree() const { return *m_tree; }
    // Invalid while the filter hides it.
    QModelIndex projectIndex(const QString &projectID) const;
    // nullopt: the "Projects" section.
    QModelIndex sectionIndex(const std::optional<QString> &folder) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    // The interface language's collation, made again only when the language changed.
    const NameCollator &names() const;

    ProjectTreeModel *m_tree = nullptr;
    const ProjectSidebarModel *m_rules = nullptr;
    mutable std::optional<NameCollator> m_names;
    mutable ResolvedLanguage m_namesLanguage = ResolvedLanguage::english;
};

} // namespace veskel
