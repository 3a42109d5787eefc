#pragma once

#include "StoryboardCore/Script/TextRange.h"

#include <QString>

namespace veskel {

// A request to the script text view to scroll to a range of the document and maybe select it.
// Every request carries a new token, so asking twice for the same range is two requests.
struct DocumentReveal
{
    TextRange range;
    bool select = false;
    QString token;

    bool operator==(const DocumentReveal &) const = default;
};

} // namespace veskel
