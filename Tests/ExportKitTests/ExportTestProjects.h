#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"

#include <QString>

namespace veskel::test {

// Two scenes stored in reverse order, covering quoting, multi-line and blank texts, an empty
// title and durations of over an hour and just under a minute.
inline StoryboardProject listsSampleProject()
{
    StoryboardProject project;
    project.title = QStringLiteral("Intro video");
    project.videoSettings.width = 1920;
    project.videoSettings.height = 1080;
    project.videoSettings.fps = 25;

    Scene second;
    second.id = QStringLiteral("B");
    second.order = 1;
    second.durationSeconds = 59.6;
    second.type = SceneType::titleCard;
    second.onScreenText = QStringLiteral("  Big words  \n");
    second.productionNote = QStringLiteral("Check the logo");

    Scene first;
    first.id = QStringLiteral("A");
    first.order = 0;
    first.title = QStringLiteral("Hello, \"World\"");
    first.durationSeconds = 3725;
    first.type = SceneType::talkingHead;
    first.onScreenText = QStringLiteral("   ");
    first.voiceoverText = QStringLiteral("Line one\nLine two");

    project.scenes = {second, first};
    return project;
}

} // namespace veskel::test
