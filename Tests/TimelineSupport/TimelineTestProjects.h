#pragma once

#include "FCPXMLKit/NarrationFile.h"
#include "StoryboardCore/Models/StoryboardProject.h"

#include <QHash>
#include <QList>
#include <QString>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>

namespace veskel::test {

// A scene with the id "SCENE-<order>".
Scene makeScene(int order, const QString &title, double seconds);
// 1920 × 1080 at `fps`.
StoryboardProject makeProject(const QString &title, int fps, const QList<Scene> &scenes);

// Projects that exercise every part of an exported timeline, each made at a given frame rate:
// every marker kind, texts to escape, empty titles, scenes of zero frames, multi-line notes,
// Cyrillic and emoji, characters XML forbids, scenes stored out of order, durations whose
// frame sums pass the 64-bit limit.
StoryboardProject allMarkerKinds(int fps);
StoryboardProject escaping(int fps);
StoryboardProject emptyTitles(int fps);
StoryboardProject zeroFrameScenes(int fps);
StoryboardProject multiLineNotes(int fps);
StoryboardProject cyrillicAndEmoji(int fps);
StoryboardProject forbiddenCharacters(int fps);
StoryboardProject storedOutOfOrder(int fps);
StoryboardProject hugeDurations(int fps);

// A narration under every other scene in timeline order, the first one's, of lengths that
// fall between frames, are shorter than a frame or outlast their scene.
QHash<QString, NarrationFile> narrationsOfEveryOtherScene(const StoryboardProject &project);

struct TimelineCase
{
    const char *name;
    StoryboardProject (*make)(int fps);
};
void PrintTo(const TimelineCase &timelineCase, std::ostream *out);

// All of the above, by name.
const QList<TimelineCase> &timelineCases();

// Each of them at each supported frame rate.
inline auto everyTimelineAtEveryRate()
{
    return ::testing::Combine(::testing::ValuesIn(timelineCases()),
                              ::testing::Values(24, 25, 30, 50, 60));
}

// "allMarkerKindsAt25" for a case combined with a frame rate.
std::string timelineCaseName(const ::testing::TestParamInfo<std::tuple<TimelineCase, int>> &info);

} // namespace veskel::test
