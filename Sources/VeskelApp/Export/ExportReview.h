#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"

#include <QList>
#include <QString>

namespace veskel {

// What the export sheet's first screen says about a project, in the current interface
// language: the summary, the files to be written and the validation findings.
struct ExportReview
{
    struct Row
    {
        QString label;
        QString value;
        bool operator==(const Row &) const = default;
    };
    struct File
    {
        // A key of the bundled symbol set ("doc.badge.gearshape").
        QString symbol;
        QString text;
        bool operator==(const File &) const = default;
    };

    // Scenes, Duration, Format, Target.
    QList<Row> summary;
    // FCPXML, cards, shot list, scene list, JSON backup, OpenTimelineIO timeline, storyboard PDF.
    QList<File> files;
    // In the review wording, scenes named by their label.
    QStringList blockingIssues;
    QStringList warnings;

    // No blocking issue: the Export button is enabled (even without scenes, when the export
    // itself will say why it cannot proceed).
    bool canExport() const { return blockingIssues.isEmpty(); }

    static ExportReview of(const StoryboardProject &project);

    bool operator==(const ExportReview &) const = default;
};

} // namespace veskel
