#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"

#include <QDateTime>
#include <QPageSize>
#include <QString>

#include <optional>

namespace veskel {

struct StoryboardPDFInput
{
    StoryboardProject project;
    // The project package's Media folder, against which reference images are resolved.
    QString referenceFolder;
    QDateTime exportDate;
    // Turned to landscape. A4, or Letter where the system locale measures in inches.
    QPageSize pageSize = defaultPageSize();

    static QPageSize defaultPageSize();
};

} // namespace veskel
