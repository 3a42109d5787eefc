#pragma once

#include <QLatin1StringView>
#include <QString>

#include <optional>

namespace veskel {

// Names and path rules of the projects tree. Locations are absolute local paths:
//   <root>/<slug>.veskel/{project.json, Media/, Exports/<slug>_fcp/, .versions/}
//   <root>/<sidebar folder>/<slug>.veskel/...
namespace ProjectPackagePaths {

inline constexpr QLatin1StringView packageExtension{"veskel"};
inline constexpr QLatin1StringView projectFileName{"project.json"};
inline constexpr QLatin1StringView mediaFolderName{"Media"};
inline constexpr QLatin1StringView exportsFolderName{"Exports"};
// Earlier project files (ProjectVersions); hidden, so that nothing lists it as a project.
inline constexpr QLatin1StringView versionsFolderName{".versions"};

// ~/Movies/Veskel/Projects, from the current HOME.
QString defaultRootDirectory();

QString packagePath(const QString &rootDirectory, const QString &slug);
QString projectJSONPath(const QString &package);
QString mediaPath(const QString &package);
QString exportsPath(const QString &package);
QString versionsPath(const QString &package);
QString stableExportFolderName(const QString &slug);
QString stableExportPath(const QString &package, const QString &slug);
// The extension is exactly "veskel", case-sensitive.
bool isPackageDirectory(const QString &path);

// Names read from a project file (an image's localPath, a scene id used as a file name) or
// given for a sidebar folder must stay one plain entry of their folder: not empty, no "/" or
// "\", no "..", not absolute, no NUL.
bool isSafeFileName(const QString &name);
// The file "Media/<localPath>" of the package; nothing when localPath is not a safe name or
// when "Media" or the file is a symbolic link (PackageGuard): such an image counts as none.
std::optional<QString> mediaFilePath(const QString &package, const QString &localPath);

} // namespace ProjectPackagePaths

} // namespace veskel
