#pragma once

#include <QString>

#include <functional>

namespace veskel {

// What the interface asks of the desktop for a file it wrote: show it selected in the file
// manager, or open it with its default application. `failed` is called, perhaps later, when the
// desktop could not do it at all. Tests hand in their own.
struct DesktopActions
{
    using Action = std::function<void(const QString &path, const std::function<void()> &failed)>;
    Action reveal;
    Action open;

    // The platform's: on Linux the freedesktop file manager's ShowItems over D-Bus, falling
    // back to opening the parent folder; on macOS Finder's reveal.
    static DesktopActions system();
};

} // namespace veskel
