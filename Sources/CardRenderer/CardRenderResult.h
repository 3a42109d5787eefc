#pragma once

#include <QString>
#include <QStringList>

namespace veskel {

struct CardRenderResult
{
    // Last path component of the written file.
    QString fileName;
    // The PNG renderer never reports any.
    QStringList warnings;

    bool operator==(const CardRenderResult &) const = default;
};

} // namespace veskel
