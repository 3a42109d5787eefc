#pragma once

#include "StoryboardCore/Models/Scene.h"
#include "StoryboardCore/Models/StoryboardProject.h"
#include "StoryboardCore/Validation/ValidationIssue.h"

#include <QList>

namespace veskel {

// Whether a project may be exported. Pure functions of their input, safe on any thread.
namespace ProjectValidator {

// Longest on-screen text, in user-perceived characters, that fits a card.
inline constexpr int onScreenTextMaxLength = 280;

// Empty title, non-positive (or NaN) duration, on-screen text over the limit — in that order.
QList<ValidationIssue> validateScene(const Scene &scene);
// Project title, frame rate, then every scene in storage order.
QList<ValidationIssue> validate(const StoryboardProject &project);
// The errors of `validate`, order kept.
QList<ValidationIssue> exportBlockingIssues(const StoryboardProject &project);
// No blocking issue and at least one scene.
bool canExport(const StoryboardProject &project);
// The project list's warning count: scenes whose on-screen text is too long for the card.
int warningSceneCount(const StoryboardProject &project);

} // namespace ProjectValidator

} // namespace veskel
