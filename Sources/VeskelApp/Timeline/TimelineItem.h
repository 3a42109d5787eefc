#pragma once

#include "StoryboardCore/Models/Scene.h"
#include "VeskelApp/Timeline/TimelineGhost.h"

#include <variant>

namespace veskel {

// One entry of the timeline: a scene clip, or a gap of text that belongs to no scene.
struct TimelineItem
{
    std::variant<Scene, TimelineGhost> value;

    static TimelineItem scene(Scene scene) { return {std::move(scene)}; }
    static TimelineItem ghost(TimelineGhost ghost) { return {std::move(ghost)}; }

    bool isScene() const { return std::holds_alternative<Scene>(value); }
    bool isGhost() const { return std::holds_alternative<TimelineGhost>(value); }
    // Only valid for the matching case.
    const Scene &asScene() const { return std::get<Scene>(value); }
    const TimelineGhost &asGhost() const { return std::get<TimelineGhost>(value); }

    // The scene's id, or the ghost's.
    QString id() const;
    double durationSeconds() const;

    bool operator==(const TimelineItem &) const = default;
};

} // namespace veskel
