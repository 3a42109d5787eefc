#pragma once

#include "StoryboardCore/Localization/L10nRuntime.h"
#include "StoryboardCore/Storage/LocalProjectStore.h"
#include "VeskelApp/AppModel.h"
#include "VeskelApp/Commands/AppNotificationHub.h"
#include "VeskelApp/Localization/InterfaceTranslation.h"
#include "VeskelApp/Localization/LanguageStore.h"
#include "VeskelApp/Scheduling/ManualEditorScheduler.h"
#include "VeskelApp/Settings/Preferences.h"
#include "VeskelApp/Window/MainWindow.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace veskel::test {

// The whole window over a store in a fresh folder, with its own settings file, English as the
// system language and a test-driven clock for the editor's delays.
class WindowFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        settings
            = std::make_unique<QSettings>(folder.filePath("settings.ini"), QSettings::IniFormat);
        languages
            = std::make_unique<LanguageStore>(settings.get(), [] { return QStringList{"en-US"}; });
        preferences = std::make_unique<Preferences>(settings.get());
        store = std::make_unique<LocalProjectStore>(folder.filePath("Projects"));
        model = std::make_unique<AppModel>(*store);
    }

    void TearDown() override
    {
        window.reset();
        // Views rebuilt during the test and left to deleteLater still use the clock below.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        InterfaceTranslation::apply(ResolvedLanguage::english);
    }

    void showWindow()
    {
        window = std::make_unique<MainWindow>(AppEnvironment{
            model.get(), languages.get(), preferences.get(), &notifications, &scheduler});
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // Shortcuts only reach the active window.
    void activateWindow()
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    QString projectsRoot() const { return store->rootDirectory(); }

    // Created through the store, as from outside the window, then listed.
    ProjectSummary stored(const QString &title)
    {
        auto project = store->createProject(
            title, VideoSettings::preset(VideoSettings::FormatPreset::horizontalHD, 25));
        EXPECT_TRUE(project.has_value());
        model->refreshProjects();
        return *model->summary(project->id);
    }

    QTemporaryDir folder;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<LanguageStore> languages;
    std::unique_ptr<Preferences> preferences;
    AppNotificationHub notifications;
    ManualEditorScheduler scheduler;
    std::unique_ptr<LocalProjectStore> store;
    std::unique_ptr<AppModel> model;
    std::unique_ptr<MainWindow> window;
};

} // namespace veskel::test
