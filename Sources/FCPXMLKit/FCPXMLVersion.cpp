#include "FCPXMLKit/FCPXMLVersion.h"

namespace veskel {

QString rawValue(FCPXMLVersion version)
{
    switch (version) {
    case FCPXMLVersion::v1_14:
        return QStringLiteral("1.14");
    case FCPXMLVersion::v1_13:
        return QStringLiteral("1.13");
    }
    return {};
}

QString dtdVersion(FCPXMLVersion version)
{
    return rawValue(version);
}

} // namespace veskel
