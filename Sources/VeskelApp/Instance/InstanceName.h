#pragma once

#include <QString>

namespace veskel {

// Where the running Veskel of one user and one projects folder listens for later starts.
namespace InstanceName {

// The folder as the file system resolves it (links followed), so every spelling of one folder
// gives one name. A folder not created yet resolves through its nearest existing parent, so the
// name stays the same once the first start creates it.
QString canonicalFolder(const QString &path);

// "veskel-" and 32 hex digits of SHA-256 over the user and the canonical folder: the same length
// for any path, since a local socket's address is short (108 bytes on Linux).
QString serverName(const QString &user, const QString &canonicalFolder);

// The address for a projects folder: on Unix a socket in the user's runtime directory (the
// user's alone, so no one else can reach it or take its name first), elsewhere the plain name.
QString address(const QString &projectsFolder);

} // namespace InstanceName

} // namespace veskel
