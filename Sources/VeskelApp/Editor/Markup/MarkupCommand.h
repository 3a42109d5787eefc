#pragma once

#include "StoryboardCore/Models/ScriptBlockRole.h"

#include <QString>

#include <optional>

namespace veskel {

// A request to the script text view to apply markup to the lines at the caret: make them a
// heading, or give them a paragraph role. A new token for every request.
struct MarkupCommand
{
    class Kind
    {
    public:
        static Kind heading() { return Kind(std::nullopt); }
        static Kind role(ScriptBlockRole role) { return Kind(role); }

        bool isHeading() const { return !m_role; }
        // The role of a `role` kind; nothing for a heading.
        std::optional<ScriptBlockRole> blockRole() const { return m_role; }

        bool operator==(const Kind &) const = default;

    private:
        explicit Kind(std::optional<ScriptBlockRole> role)
            : m_role(role)
        {
        }

        std::optional<ScriptBlockRole> m_role;
    };

    Kind kind = Kind::heading();
    QString token;

    // The Markup menu's names: "heading", or a role's raw value ("voiceover", "onScreen",
    // "note"); nothing for any other text.
    static std::optional<Kind> kindNamed(const QString &name);

    bool operator==(const MarkupCommand &) const = default;
};

} // namespace veskel
