#pragma once

#include <QString>
#include <QStringList>

namespace veskel {

// What an export wrote. Locations are absolute paths.
struct ExportResult
{
    QString exportFolderPath;
    QString fcpxmlPath;
    QString mediaFolderPath;
    QString jsonPath;
    QString markdownPath;
    QString csvPath;
    // The OpenTimelineIO timeline beside the FCPXML, and the storyboard for reading.
    QString otioPath;
    QString pdfPath;
    // With the animatic only; empty otherwise.
    QString animaticPath;
    // From the card renderer; validation warnings are not repeated here.
    QStringList warnings;
    // The export folder was there before: Final Cut Pro should replace its earlier import.
    bool replacedExistingExport = false;

    bool operator==(const ExportResult &) const = default;
};

} // namespace veskel
