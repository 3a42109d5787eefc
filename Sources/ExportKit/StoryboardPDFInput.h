#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"

#include <QDateTime>
#include <QPageSize>
#include <QString>

#include <memory>
#include <optional>

namespace veskel {

class SceneImageCache;

struct StoryboardPDFInput
{
    StoryboardProject project;
    // The project package's Media folder, against which reference images are resolved.
    QString referenceFolder;
    QDateTime exportDate;
    // Turned to landscape. A4, or Letter where the system locale measures in inches.
    QPageSize pageSize = defaultPageSize();
    // Decoded reference images shared with the export's cards; without it the PDF decodes its
    // own.
    std::shared_ptr<SceneImageCache> images{};

    static QPageSize defaultPageSize();
};

} // namespace veskel
