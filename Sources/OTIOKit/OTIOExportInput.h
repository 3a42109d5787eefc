#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"

#include <QHash>
#include <QString>

namespace veskel {

struct OTIOExportInput
{
    StoryboardProject project;
    // Scene id → the card's file name inside the export folder's Media.
    QHash<QString, QString> cardFileNames;
    // The absolute folder that holds Media; the media references point into it.
    QString exportFolderPath;
};

} // namespace veskel
