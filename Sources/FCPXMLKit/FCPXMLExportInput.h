#pragma once

#include "FCPXMLKit/FCPXMLVersion.h"
#include "FCPXMLKit/NarrationFile.h"
#include "StoryboardCore/Models/StoryboardProject.h"

#include <QHash>
#include <QString>

namespace veskel {

// What the exporter needs besides the project: where the cards already are.
struct FCPXMLExportInput
{
    StoryboardProject project;
    // Scene id → file name of its card inside <exportFolderPath>/Media.
    QHash<QString, QString> cardFileNames;
    // Absolute path of the folder that holds Media and will hold the document.
    QString exportFolderPath;
    FCPXMLVersion version = FCPXMLVersion::v1_14;
    // Scene id → its scratch narration, connected under the scene's card; none for most exports.
    QHash<QString, NarrationFile> narrations = {};

    bool operator==(const FCPXMLExportInput &) const = default;
};

} // namespace veskel
