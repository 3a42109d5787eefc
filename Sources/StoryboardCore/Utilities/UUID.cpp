#include "StoryboardCore/Utilities/UUID.h"

#include <QUuid>

namespace veskel {

QString makeUUID()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

} // namespace veskel
