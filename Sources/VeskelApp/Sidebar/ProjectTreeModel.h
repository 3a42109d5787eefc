#pragma once

#include "StoryboardCore/Models/ProjectSummary.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QList>

#include <memory>
#include <optional>
#include <vector>

namespace veskel {

class AppModel;
class ProjectSidebarModel;

// The sidebar's sections and their project rows as the application model lists them: a section
// per folder in the store's order, then the "Projects" section of the loose projects, each
// holding its rows in the store's order. Sorting and filtering are ProjectTreeProxyModel's.
//
// It follows the application model change by change, so a view keeps its selection, open editor
// and scroll position: new data is dataChanged, a project in another folder (or at another place
// in the store's order) is a moved row, and only what came or went is inserted or removed.
class ProjectTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    // Both models must outlive this one.
    ProjectTreeModel(AppModel &model, ProjectSidebarModel &sidebar, QObject *parent = nullptr);
    ~ProjectTreeModel() override;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // Only the drop target highlight of a section is written.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // A project row drags as its id in plain text.
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;

    QModelIndex projectIndex(const QString &projectID) const;
    // nullopt: the "Projects" section.
    QModelIndex sectionIndex(const std::optional<QString> &folder) const;
    // What a project row shows; nullptr for a section.
    const ProjectSummary *summary(const QModelIndex &index) const;
    // The folder of a section or of a row's section; nullopt for the "Projects" section.
    std::optional<QString> folderOf(const QModelIndex &index) const;

private:
    struct Section
    {
        std::optional<QString> folder;
        QList<ProjectSummary> rows;
        bool dropTarget = false;

        int rowOf(const QString &projectID) const;
    };

    // Brings sections and rows in line with the application model.
    void sync();
    // One project's row after a save: its data in place, or the whole list when its folder
    // changed.
    void updateProject(const QString &projectID);
    void placeSections(const QList<std::optional<QString>> &wanted);
    void removeUnwantedRows(const QHash<QString, int> &wantedSection);
    void gatherRows(int section, const QList<ProjectSummary> &wanted);
    void orderRows(int section, const QList<ProjectSummary> &wanted);
    void moveRow(Section &from, int fromRow, int toSection, int toRow);
    void setSummary(int section, int row, const ProjectSummary &summary);
    int rowOfSection(const Section *section) const;
    Section *sectionAt(const QModelIndex &index) const;

    AppModel *m_model = nullptr;
    ProjectSidebarModel *m_sidebar = nullptr;
    std::vector<std::unique_ptr<Section>> m_sections;
    QHash<QString, Section *> m_sectionOfProject;
};

} // namespace veskel
