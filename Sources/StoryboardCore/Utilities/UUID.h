#pragma once

#include <QString>

namespace veskel {

// A new random UUID in its upper-case 8-4-4-4-12 form, the identifier of every record we create.
QString makeUUID();

} // namespace veskel
