#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"

#include <QDateTime>
#include <QPageSize>
#include <QSizeF>
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
    // The size those cards have reference images decoded at. A picture whose box that size
    // covers asks for it too and is scaled down from it: one decoding serves both.
    QSizeF cardImageCover{};

    static QPageSize defaultPageSize();
};

} // namespace veskel
