#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"

#include <QDialog>

namespace veskel {

// The export sheet's place: it names the project that would be exported and how to export it
// meanwhile. The export flow with its review, progress and result replaces it.
class ExportSheetPlaceholder : public QDialog
{
    Q_OBJECT

public:
    explicit ExportSheetPlaceholder(const StoryboardProject &project, QWidget *parent = nullptr);

    const QString &projectID() const { return m_projectID; }

private:
    QString m_projectID;
};

} // namespace veskel
