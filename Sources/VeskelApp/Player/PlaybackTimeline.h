#pragma once

#include "FCPXMLKit/ClipTimeline.h"
#include "StoryboardCore/Models/StoryboardProject.h"

#include <QList>
#include <QString>

namespace veskel {

// The film the player plays: the scenes in film order, each starting at the frame its FCPXML
// clip starts at (the export's own placement, not a second reckoning of it).
struct PlaybackTimeline
{
    QList<Scene> scenes;
    ClipTimeline clips;
    int fps = 25;

    static PlaybackTimeline of(const StoryboardProject &project);

    qsizetype sceneCount() const { return scenes.size(); }
    qint64 totalFrames() const { return clips.totalFrames; }
    qint64 startFrame(qsizetype index) const;
    // The scene showing at the frame; the last one from its start on, -1 without scenes.
    // Clips of no frames are never showing.
    qsizetype sceneAt(qint64 frame) const;
    qsizetype indexOf(const QString &sceneID) const;
};

} // namespace veskel
