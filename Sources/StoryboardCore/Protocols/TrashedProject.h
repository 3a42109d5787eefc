#pragma once

#include <QString>

namespace veskel {

// Where a deleted project's package went, so the deletion can be taken back.
struct TrashedProject
{
    QString packagePath;
    QString trashedPath;

    bool operator==(const TrashedProject &) const = default;
};

} // namespace veskel
