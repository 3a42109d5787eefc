#include "WindowTestSupport.h"

#include "VeskelApp/Editor/Script/EditorTheme.h"
#include "VeskelApp/Settings/AppearanceController.h"
#include "VeskelApp/Settings/ContrastStyle.h"
#include "VeskelApp/Settings/SettingsView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSlider>

namespace veskel::test {
namespace {

// The window's settings, language store and preferences, without the window.
class SettingsViewTest : public WindowFixture
{
protected:
    std::unique_ptr<SettingsView> makeView(bool looksDark = false)
    {
        return std::make_unique<SettingsView>(*preferences, *languages,
                                              [looksDark] { return looksDark; });
    }
};

class MatchSystemAppearanceTest : public SettingsViewTest,
                                  public ::testing::WithParamInterface<bool>
{
};

TEST_P(MatchSystemAppearanceTest, TurningItOffKeepsTheLookTheApplicationHasNow)
{
    const bool dark = GetParam();
    auto view = makeView(dark);
    auto *match = view->findChild<QCheckBox *>("matchSystemAppearance");
    ASSERT_TRUE(match->isChecked());
    EXPECT_FALSE(view->findChild<QRadioButton *>("appearanceLight")->isVisibleTo(view.get()));

    match->click();
    EXPECT_EQ(settings->value("appAppearance").toString(), dark ? "dark" : "light");
    EXPECT_TRUE(view->findChild<QRadioButton *>("appearanceLight")->isVisibleTo(view.get()));
    EXPECT_EQ(view->findChild<QRadioButton *>("appearanceDark")->isChecked(), dark);

    match->click();
    EXPECT_EQ(settings->value("appAppearance").toString(), "system");
}

INSTANTIATE_TEST_SUITE_P(Looks, MatchSystemAppearanceTest, ::testing::Bool());

TEST_F(SettingsViewTest, ChoicesAreStoredByRawValueAndFollowChangesMadeElsewhere)
{
    auto view = makeView();
    auto *titleBar = view->findChild<QComboBox *>("titleBarMode");
    auto *markupBar = view->findChild<QComboBox *>("markupBarMode");
    EXPECT_EQ(titleBar->currentText(), "Fade In/Out");

    markupBar->setCurrentIndex(markupBar->findText("Hide"));
    EXPECT_EQ(settings->value("markupBarMode").toString(), "hidden");
    view->findChild<QCheckBox *>("sidebarSwipeEnabled")->click();
    EXPECT_FALSE(settings->value("sidebarSwipeEnabled").toBool());

    // The View menu writes the same keys.
    QSignalSpy changes(preferences.get(), &Preferences::changed);
    preferences->setTitleBarMode(TitleBarMode::alwaysShow);
    EXPECT_EQ(titleBar->currentText(), "Always Show");
    EXPECT_EQ(settings->value("titleBarMode").toString(), "alwaysShow");
    // Refreshing the controls writes nothing back.
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(SettingsViewTest, SlidersStoreTheirValuesAndResetUndoesThem)
{
    auto view = makeView();
    auto *size = view->findChild<QSlider *>("editorTextSize");
    auto *width = view->findChild<QSlider *>("editorColumnWidth");
    const int sizeBefore = size->value();
    const int widthBefore = width->value();
    size->setValue(size->maximum());
    width->setValue(width->minimum() + 1);
    EXPECT_EQ(settings->value("editorTextSize").toDouble(), 23);
    EXPECT_EQ(settings->value("editorColumnWidth").toDouble(), 720);
    EXPECT_EQ(view->findChild<QLabel *>("editorTextSizeValue")->text(), "23");

    view->findChild<QPushButton *>("resetEditorTypography")->click();
    EXPECT_EQ(size->value(), sizeBefore);
    EXPECT_EQ(width->value(), widthBefore);
}

struct StoredNumber
{
    QVariant stored;
    double expected;

    friend void PrintTo(const StoredNumber &c, std::ostream *os)
    {
        *os << (c.stored.isValid() ? c.stored.toString().toStdString() : "absent");
    }
};

class EditorThemeStoredTest : public SettingsViewTest,
                              public ::testing::WithParamInterface<StoredNumber>
{
};

TEST_P(EditorThemeStoredTest, TextSizeIsClampedAndNonNumbersGiveTheDefault)
{
    if (GetParam().stored.isValid())
        settings->setValue("editorTextSize", GetParam().stored);
    EXPECT_EQ(EditorTheme::stored(*settings, EditorTheme::textSize), GetParam().expected);
    // The same, read back from the file where every value is text.
    settings->sync();
    QSettings reread(settings->fileName(), QSettings::IniFormat);
    EXPECT_EQ(EditorTheme::stored(reread, EditorTheme::textSize), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values,
                         EditorThemeStoredTest,
                         ::testing::Values(StoredNumber{QVariant(), 17},
                                           StoredNumber{40, 23},
                                           StoredNumber{5, 13},
                                           StoredNumber{19.5, 19.5},
                                           StoredNumber{"large", 17},
                                           StoredNumber{"inf", 17}));

TEST_F(SettingsViewTest, UnknownStoredChoicesFallBackToTheirDefaults)
{
    settings->setValue("titleBarMode", "sometimes");
    settings->setValue("markupBarMode", 3);
    settings->setValue("focusMode", "zen");
    settings->setValue("appAppearance", "sepia");
    EXPECT_EQ(preferences->titleBarMode(), TitleBarMode::fadeOnHover);
    EXPECT_EQ(preferences->markupBarMode(), MarkupBarMode::fadeOnScroll);
    EXPECT_EQ(preferences->focusMode(), FocusMode::off);
    EXPECT_EQ(preferences->appearance(), AppAppearance::system);
}

TEST_F(SettingsViewTest, AppearanceSwitchesTheWholeApplicationAndBack)
{
    const QPalette original = QApplication::palette();
    {
        AppearanceController appearance(*preferences);
        preferences->setAppearance(AppAppearance::dark);
        EXPECT_TRUE(AppearanceController::looksDark());
        EXPECT_NE(qobject_cast<ContrastStyle *>(QApplication::style()), nullptr);
        preferences->setAppearance(AppAppearance::light);
        EXPECT_FALSE(AppearanceController::looksDark());
        preferences->setAppearance(AppAppearance::system);
    }
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), original.color(QPalette::Window));
    EXPECT_EQ(QApplication::palette().color(QPalette::Text), original.color(QPalette::Text));
}

} // namespace
} // namespace veskel::test
