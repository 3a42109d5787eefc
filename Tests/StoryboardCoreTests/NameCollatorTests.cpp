#include "StoryboardCore/Localization/L10nRuntime.h"
#include "StoryboardCore/Localization/NameCollator.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace veskel;

namespace {

struct Ordered
{
    const char *first;
    const char *second;
};

class NameOrder : public testing::TestWithParam<std::tuple<ResolvedLanguage, Ordered>>
{
};

// The same in both interface languages: whatever a collation does with the other script, these
// pairs are within one script.
TEST_P(NameOrder, FirstComesBeforeSecond)
{
    const auto [language, pair] = GetParam();
    const NameCollator names(NameCollator::collationLocale(language));
    const QString first = QString::fromUtf8(pair.first);
    const QString second = QString::fromUtf8(pair.second);
    EXPECT_LT(names.compare(first, second), 0);
    EXPECT_GT(names.compare(second, first), 0);
    EXPECT_TRUE(names(first, second));
    EXPECT_FALSE(names(second, first));
}

INSTANTIATE_TEST_SUITE_P(
    Pairs,
    NameOrder,
    testing::Combine(testing::Values(ResolvedLanguage::russian, ResolvedLanguage::english),
                     testing::Values(
                         // Ё is a letter е with a mark, not a code unit after я.
                         Ordered{"Елена", "Ёлка"},
                         Ordered{"Ёлка", "Жук"},
                         Ordered{"Ёлка", "Яблоко"},
                         Ordered{"Ёж", "елка"},
                         // Digits by value, also past what fits in 64 bits.
                         Ordered{"Video 2", "Video 10"},
                         Ordered{"Видео 9", "видео 10"},
                         Ordered{"Take 99999999999999999999", "Take 100000000000000000000"},
                         // Case does not decide before the letters do.
                         Ordered{"apple", "Banana"},
                         Ordered{"Banana", "cherry"},
                         // What the collation calls equal still has one order.
                         Ordered{"Video", "video"},
                         Ordered{"Video 02", "Video 2"})));

// Russian readers expect their own script first, English readers the Latin one; and the
// process's locale (C in CI) plays no part.
TEST(NameCollator, FollowsTheInterfaceLanguageNotTheProcessLocale)
{
    const ResolvedLanguage saved = L10nRuntime::lang();
    const QLocale savedLocale;
    QLocale::setDefault(QLocale::c());

    L10nRuntime::setLang(ResolvedLanguage::russian);
    EXPECT_TRUE(NameCollator::forInterfaceLanguage()("Жук", "Apple"));
    EXPECT_TRUE(NameCollator::forInterfaceLanguage()("Video 2", "Video 10"));
    L10nRuntime::setLang(ResolvedLanguage::english);
    EXPECT_TRUE(NameCollator::forInterfaceLanguage()("Apple", "Жук"));
    EXPECT_TRUE(NameCollator::forInterfaceLanguage()("Ёлка", "Жук"));

    QLocale::setDefault(savedLocale);
    L10nRuntime::setLang(saved);
}

} // namespace
