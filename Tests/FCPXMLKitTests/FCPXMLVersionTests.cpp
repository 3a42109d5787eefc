#include "FCPXMLKit/FCPXMLVersion.h"

#include <gtest/gtest.h>

using namespace veskel;

namespace {

TEST(FCPXMLVersion, RawValuesAreTheVersionNumbers)
{
    EXPECT_EQ(fromRawValue<FCPXMLVersion>(QStringLiteral("1.13")), FCPXMLVersion::v1_13);
    for (const char *raw : {"v1_14", "1.14 ", "1.15", "", "1.1"})
        EXPECT_EQ(fromRawValue<FCPXMLVersion>(QString::fromUtf8(raw)), std::nullopt) << raw;
}

} // namespace
