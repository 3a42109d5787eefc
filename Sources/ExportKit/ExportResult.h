#pragma once

#include <QString>
#include <QStringList>

namespace veskel {

// What an export wrote. Locations are absolute paths.
struct ExportResult
{
    QString exportFolderURL;
    QString fcpxmlURL;
    QString mediaFolderURL;
    QString jsonURL;
    QString markdownURL;
    QString csvURL;
    // The OpenTimelineIO timeline beside the FCPXML, and the storyboard for reading.
    QString otioURL;
    QString pdfURL;
    // From the card renderer; validation warnings are not repeated here.
    QStringList warnings;
    // The export folder was there before: Final Cut Pro should replace its earlier import.
    bool replacedExistingExport = false;

    bool operator==(const ExportResult &) const = default;
};

} // namespace veskel
