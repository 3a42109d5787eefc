#pragma once

#include <QString>

#include <functional>

namespace veskel {

// What the interface asks of the desktop for a file it wrote: show it selected in the file
// manager, or open it with its default application. Tests hand in their own.
struct DesktopActions
{
    std::function<void(const QString &path)> reveal;
    std::function<void(const QString &path)> open;

    // The platform's: on Linux the freedesktop file manager's ShowItems over D-Bus, falling
    // back to opening the parent folder; on macOS Finder's reveal.
    static DesktopActions system();
};

} // namespace veskel
