#include "StoryboardCore/Storage/ProjectCodecError.h"

#include <QStringList>

namespace veskel {

namespace {
QString kindName(ProjectCodecError::Kind kind)
{
    switch (kind) {
    case ProjectCodecError::Kind::malformedJSON: return QStringLiteral("malformedJSON");
    case ProjectCodecError::Kind::missingKey: return QStringLiteral("missingKey");
    case ProjectCodecError::Kind::wrongType: return QStringLiteral("wrongType");
    case ProjectCodecError::Kind::unknownRawValue: return QStringLiteral("unknownRawValue");
    case ProjectCodecError::Kind::invalidDate: return QStringLiteral("invalidDate");
    case ProjectCodecError::Kind::nonFiniteNumber: return QStringLiteral("nonFiniteNumber");
    }
    return {};
}
} // namespace

QString ProjectCodecError::description() const
{
    QStringList parts;
    if (!path.isEmpty())
        parts << path;
    if (!detail.isEmpty())
        parts << detail;
    return kindName(kind) + u'(' + parts.join(QStringLiteral(": ")) + u')';
}

} // namespace veskel
