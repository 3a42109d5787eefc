#include "StoryboardCore/Localization/L10nRuntime.h"
#include "StoryboardCore/Localization/Plural.h"

#include <gtest/gtest.h>

#include <limits>

using namespace veskel;

namespace {

struct PluralCase
{
    ResolvedLanguage language;
    qint64 count;
    const char16_t *phrase;
};

void PrintTo(const PluralCase &c, std::ostream *os)
{
    *os << QString::fromUtf16(c.phrase).toStdString();
}

class PluralScenes : public ::testing::TestWithParam<PluralCase>
{};

TEST_P(PluralScenes, ChoosesTheFormByTheLanguagesRules)
{
    const PluralCase c = GetParam();
    EXPECT_EQ(Plural::scenes(c.count, c.language), QString::fromUtf16(c.phrase));
}

constexpr auto ru = ResolvedLanguage::russian;
constexpr auto en = ResolvedLanguage::english;

INSTANTIATE_TEST_SUITE_P(
    Russian, PluralScenes,
    ::testing::Values(PluralCase{ru, 1, u"1 сцена"}, PluralCase{ru, 2, u"2 сцены"},
                      PluralCase{ru, 4, u"4 сцены"}, PluralCase{ru, 5, u"5 сцен"},
                      PluralCase{ru, 11, u"11 сцен"}, PluralCase{ru, 12, u"12 сцен"},
                      PluralCase{ru, 14, u"14 сцен"}, PluralCase{ru, 21, u"21 сцена"},
                      PluralCase{ru, 22, u"22 сцены"}, PluralCase{ru, 111, u"111 сцен"},
                      PluralCase{ru, 112, u"112 сцен"}, PluralCase{ru, 101, u"101 сцена"},
                      PluralCase{ru, 0, u"0 сцен"}, PluralCase{ru, -1, u"-1 сцена"},
                      PluralCase{ru, std::numeric_limits<qint64>::min(),
                                 u"-9223372036854775808 сцен"}));

INSTANTIATE_TEST_SUITE_P(English, PluralScenes,
                         ::testing::Values(PluralCase{en, 0, u"0 scenes"},
                                           PluralCase{en, 1, u"1 scene"},
                                           PluralCase{en, 2, u"2 scenes"},
                                           PluralCase{en, 21, u"21 scenes"}));

TEST(Plural, FollowsTheProcessWideLanguage)
{
    const ResolvedLanguage before = L10nRuntime::lang();
    L10nRuntime::setLang(ResolvedLanguage::russian);
    EXPECT_EQ(Plural::scenes(3), QStringLiteral("3 сцены"));
    L10nRuntime::setLang(ResolvedLanguage::english);
    EXPECT_EQ(Plural::scenes(3), QStringLiteral("3 scenes"));
    L10nRuntime::setLang(before);
}

} // namespace
