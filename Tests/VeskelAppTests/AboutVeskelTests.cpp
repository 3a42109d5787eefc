#include "StoryboardCore/Localization/L10nRuntime.h"
#include "VeskelApp/About/AboutVeskel.h"
#include "VeskelApp/Localization/InterfaceTranslation.h"

#include "VeskelVersion.h"

#include <QtGlobal>

#include <gtest/gtest.h>

using namespace veskel;

namespace {

// The about box names the version CMake gives, the Qt the program runs on and the licence, in
// the interface language.
TEST(AboutVeskel, NamesVersionQtAndLicenceInTheInterfaceLanguage)
{
    const ResolvedLanguage saved = L10nRuntime::lang();
    for (const auto &[language, licence] :
         {std::pair{ResolvedLanguage::english, "version 3 or later"},
          std::pair{ResolvedLanguage::russian, "версии 3 или более поздней"}}) {
        InterfaceTranslation::apply(language);
        const QString text = AboutVeskel::text();
        EXPECT_TRUE(text.contains(QStringLiteral("Veskel ") + applicationVersion));
        EXPECT_TRUE(text.contains(QStringLiteral("Qt ") + qVersion()));
        EXPECT_TRUE(text.contains(QString::fromUtf8(licence))) << text.toStdString();
    }
    InterfaceTranslation::apply(saved);
}

} // namespace
