#include "FCPXMLKit/FCPXMLVersion.h"

#include <gtest/gtest.h>

using namespace veskel;

namespace {

TEST(FCPXMLVersion, RawValuesAreTheVersionNumbers)
{
    ASSERT_EQ(allCases<FCPXMLVersion>().size(), 2u);
    EXPECT_EQ(allCases<FCPXMLVersion>()[0], FCPXMLVersion::v1_14);
    EXPECT_EQ(dtdVersion(FCPXMLVersion::v1_14), u"1.14");
    EXPECT_EQ(fromRawValue<FCPXMLVersion>(QStringLiteral("1.13")), FCPXMLVersion::v1_13);
    for (const char *raw : {"v1_14", "1.14 ", "1.15", "", "1.1"})
        EXPECT_EQ(fromRawValue<FCPXMLVersion>(QString::fromUtf8(raw)), std::nullopt) << raw;
}

} // namespace
