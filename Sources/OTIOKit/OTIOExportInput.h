#pragma once

#include "FCPXMLKit/NarrationFile.h"
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
    // Scene id → its scratch narration; with any, an audio track runs beside the video track.
    QHash<QString, NarrationFile> narrations = {};
};

} // namespace veskel
