#pragma once

#include <QString>
#include <QStringList>

namespace veskel {

// Plain questions about local paths that the store's units share. Nothing here writes.
namespace LocalPaths {

// Absolute, with "." and ".." resolved; links are left as they are.
QString standardized(const QString &path);
QString parentOf(const QString &path);
QString nameOf(const QString &path);
// Existence of the name itself: a dangling link still takes the name.
bool itemExists(const QString &path);
bool isDirectory(const QString &path);
// Visible entries of a folder in the order the file system lists them; empty when unlistable.
QStringList visibleEntries(const QString &folder);

} // namespace LocalPaths

} // namespace veskel
