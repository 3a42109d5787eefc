#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"

#include <QSet>
#include <QString>

namespace veskel {

// The reference-image files Veskel names in a package's Media folder: "<scene id>.<ext>", and
// "<scene id>-<n>.<ext>" for a later image of the same scene, so that a replaced image keeps its
// file for as long as an undo step may bring it back.
namespace MediaFiles {

// A name for a new image of the scene that no file in the folder has yet.
QString freeName(const QString &mediaFolder, const QString &sceneID, const QString &extension);

// Whether Veskel named the file: a scene id of its own making, optionally "-<n>", and an
// extension. Files of other names (put there by hand) are never removed.
bool isVeskelNamed(const QString &fileName);

// The file names of the project's scene images.
QSet<QString> referencedNames(const StoryboardProject &project);

// Removes the plain files Veskel named that are not in `referenced`; returns how many.
int removeUnreferenced(const QString &mediaFolder, const QSet<QString> &referenced);

} // namespace MediaFiles

} // namespace veskel
