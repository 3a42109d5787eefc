#pragma once

#include <QStringView>

namespace veskel {

// How one line of the script is drawn: its role by its first character, and how many of its
// first characters are markup to fade. Headings are recognised by any leading "#", also
// without the space the parser needs, so a half-typed heading already looks like one.
struct ScriptLineStyle
{
    enum class Role { body, heading, note, onSlide };

    Role role = Role::body;
    // Leading spaces, the "#" run, "//" or ">", and one space after it; 0 when a tab stands
    // before the marker.
    int fadedLength = 0;

    static ScriptLineStyle of(QStringView line);

    bool operator==(const ScriptLineStyle &) const = default;
};

} // namespace veskel
