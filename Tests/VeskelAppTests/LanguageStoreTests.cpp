#include "StoryboardCore/Localization/L10nRuntime.h"
#include "VeskelApp/Localization/InterfaceTranslation.h"
#include "VeskelApp/Localization/LanguageStore.h"

#include "Support/TestSupport.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace veskel;

namespace {

// Every test works on its own settings file and puts the process-wide language back.
class LanguageStoreTest : public ::testing::Test
{
protected:
    void SetUp() override { saved = L10nRuntime::lang(); }
    void TearDown() override { InterfaceTranslation::apply(saved); }

    QString settingsPath() const { return dir.filePath(QStringLiteral("settings.ini")); }
    std::unique_ptr<QSettings> openSettings() const
    {
        return std::make_unique<QSettings>(settingsPath(), QSettings::IniFormat);
    }

    static LanguageStore::PreferredLanguages prefer(QStringList languages)
    {
        return [languages] { return languages; };
    }

    QTemporaryDir dir{veskel::test::sandboxRoot() + QStringLiteral("/languages-XXXXXX")};
    ResolvedLanguage saved = ResolvedLanguage::english;
};

struct StartCase
{
    const char *stored; // nullptr: nothing stored
    QStringList preferred;
    AppLanguage language;
    ResolvedLanguage resolved;
};

void PrintTo(const StartCase &c, std::ostream *os)
{
    *os << (c.stored ? c.stored : "(none)") << " with " << c.preferred.join(u',').toStdString();
}

class LanguageStoreStart : public LanguageStoreTest, public ::testing::WithParamInterface<StartCase>
{
};

TEST_P(LanguageStoreStart, ReadsTheChoiceAndSetsTheInterfaceLanguage)
{
    const StartCase c = GetParam();
    auto settings = openSettings();
    if (c.stored)
        settings->setValue(QStringLiteral("appLanguage"), QString::fromUtf8(c.stored));
    // Start from the opposite language so the store visibly sets it.
    InterfaceTranslation::apply(c.resolved == ResolvedLanguage::russian
                                    ? ResolvedLanguage::english
                                    : ResolvedLanguage::russian);
    LanguageStore store(settings.get(), prefer(c.preferred));
    EXPECT_EQ(store.language(), c.language);
    EXPECT_EQ(L10nRuntime::lang(), c.resolved);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    LanguageStoreStart,
    ::testing::Values(
        // An explicit choice ignores the system.
        StartCase{"ru", {"en-US"}, AppLanguage::russian, ResolvedLanguage::russian},
        StartCase{"en", {"ru-RU"}, AppLanguage::english, ResolvedLanguage::english},
        // Unknown values fall back to the system's language.
        StartCase{"de", {"ru-RU", "en-US"}, AppLanguage::system, ResolvedLanguage::russian},
        StartCase{"de", {"de-DE"}, AppLanguage::system, ResolvedLanguage::english},
        StartCase{"RU", {"en-GB"}, AppLanguage::system, ResolvedLanguage::english},
        StartCase{"system", {"ru"}, AppLanguage::system, ResolvedLanguage::russian},
        StartCase{nullptr, {"ru-RU"}, AppLanguage::system, ResolvedLanguage::russian},
        // Only a first Russian preference gives Russian.
        StartCase{nullptr, {"uk-UA", "ru-RU"}, AppLanguage::system, ResolvedLanguage::english},
        StartCase{nullptr, {}, AppLanguage::system, ResolvedLanguage::english}));

TEST_F(LanguageStoreTest, ChangingTheLanguageStoresItAndSwitchesTheInterfaceAtOnce)
{
    auto settings = openSettings();
    LanguageStore store(settings.get(), prefer({"en-US"}));
    QSignalSpy changes(&store, &LanguageStore::languageChanged);

    store.setLanguage(AppLanguage::russian);
    EXPECT_EQ(store.language(), AppLanguage::russian);
    EXPECT_EQ(L10nRuntime::lang(), ResolvedLanguage::russian);
    EXPECT_EQ(settings->value(QStringLiteral("appLanguage")).toString(), QStringLiteral("ru"));
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).value<AppLanguage>(), AppLanguage::russian);

    store.setLanguage(AppLanguage::russian);
    EXPECT_EQ(changes.count(), 1);

    store.setLanguage(AppLanguage::system);
    EXPECT_EQ(L10nRuntime::lang(), ResolvedLanguage::english);
    EXPECT_EQ(settings->value(QStringLiteral("appLanguage")).toString(), QStringLiteral("system"));
    EXPECT_EQ(changes.count(), 2);
}

TEST_F(LanguageStoreTest, TheChoiceSurvivesARestart)
{
    {
        auto settings = openSettings();
        LanguageStore store(settings.get(), prefer({"ru-RU"}));
        store.setLanguage(AppLanguage::english);
    }
    auto settings = openSettings();
    InterfaceTranslation::apply(ResolvedLanguage::russian);
    LanguageStore store(settings.get(), prefer({"ru-RU"}));
    EXPECT_EQ(store.language(), AppLanguage::english);
    EXPECT_EQ(L10nRuntime::lang(), ResolvedLanguage::english);
}

TEST_F(LanguageStoreTest, MatchSystemIsResolvedWhenChosenNotLater)
{
    QStringList preferred{"en-US"};
    auto settings = openSettings();
    LanguageStore store(settings.get(), [&preferred] { return preferred; });
    EXPECT_EQ(L10nRuntime::lang(), ResolvedLanguage::english);
    preferred = {"ru-RU"};
    EXPECT_EQ(L10nRuntime::lang(), ResolvedLanguage::english);
    store.setLanguage(AppLanguage::system);
    EXPECT_EQ(L10nRuntime::lang(), ResolvedLanguage::russian);
}

} // namespace
