#include "WindowTestSupport.h"

#include "VeskelApp/Editor/ProjectEditorView.h"
#include "VeskelApp/Editor/Script/DocumentTextView.h"
#include "VeskelApp/Editor/Script/EditorTheme.h"
#include "VeskelApp/Editor/Script/ScriptGutter.h"
#include "VeskelApp/Settings/AppearanceController.h"
#include "VeskelApp/Sidebar/ProjectSidebarView.h"
#include "VeskelApp/Timeline/SceneTimelineView.h"
#include "VeskelApp/Window/RootView.h"
#include "VeskelApp/Window/ToolbarRowFader.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>
#include <QWindow>

#include <functional>

namespace veskel::test {
namespace {

class WindowBehaviourTest : public WindowFixture
{
protected:
    ProjectEditorView *editorView() const { return window->rootView()->editorView(); }
};

// How far the most different pixel of the image is from its corner, the background.
int contrastWithBackground(const QImage &image, const QRect &area)
{
    const int background = qGray(image.pixel(area.topLeft()));
    int most = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            most = std::max(most, std::abs(qGray(image.pixel(x, y)) - background));
    }
    return most;
}

struct FocusCase
{
    const char *name;
    std::function<void(AppModel &)> open;
};

void PrintTo(const FocusCase &c, std::ostream *os)
{
    *os << c.name;
}

class KeyboardAfterOpeningTest : public WindowBehaviourTest,
                                 public ::testing::WithParamInterface<FocusCase>
{
};

TEST_P(KeyboardAfterOpeningTest, GoesToTheScriptNotTheFilter)
{
    stored("Existing");
    showWindow();
    activateWindow();
    window->rootView()->sidebar()->filterField()->setFocus();
    GetParam().open(*model);
    ASSERT_NE(editorView(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), editorView()->scriptEditor());
    QTest::keyClicks(QApplication::focusWidget(), "# A");
    EXPECT_TRUE(window->rootView()->sidebar()->filterField()->text().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Openings,
    KeyboardAfterOpeningTest,
    ::testing::Values(
        FocusCase{"open", [](AppModel &model) { model.openProject(model.projects().first()); }},
        FocusCase{"create",
                  [](AppModel &model) {
                      model.createProject("New one", VideoSettings::FormatPreset::vertical4k);
                  }}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(WindowBehaviourTest, SidebarTextsStayReadableAcrossAppearanceSwitches)
{
    AppearanceController appearance(*preferences);
    showWindow();
    auto *check = new QCheckBox(window->rootView()->sidebar());
    check->setGeometry(4, 4, 20, 20);
    check->show();
    for (AppAppearance next : {AppAppearance::light, AppAppearance::dark, AppAppearance::system,
                               AppAppearance::dark, AppAppearance::light, AppAppearance::system}) {
        preferences->setAppearance(next);
        QApplication::processEvents();
        SCOPED_TRACE(rawValue(next).toStdString());
        for (const char *name : {"newProjectButton", "settingsButton"}) {
            auto *button = window->rootView()->sidebar()->findChild<QAbstractButton *>(name);
            ASSERT_NE(button, nullptr);
            // What the window shows, not a fresh rendering of the button.
            const QRect area(button->mapTo(window.get(), QPoint()), button->size());
            const QImage image
                = window->screen()
                      ->grabWindow(window->winId(), area.x(), area.y(), area.width(), area.height())
                      .toImage();
            // The label, right of the icon, against the bar behind it.
            const QRect label(28, 0, image.width() / 2, image.height() - 1);
            EXPECT_GT(contrastWithBackground(image, label), 110) << name;
        }
        const QImage box = check->grab().toImage();
        EXPECT_GT(contrastWithBackground(box, box.rect().adjusted(0, 0, -1, -1)), 45);
    }
}

// The open script follows a switch of appearance at once: its paper and its text.
TEST_F(WindowBehaviourTest, TheOpenScriptFollowsEveryAppearanceSwitch)
{
    AppearanceController appearance(*preferences);
    model->openProject(stored("Film"));
    showWindow();
    DocumentTextView *text = editorView()->scriptEditor();
    for (AppAppearance next : {AppAppearance::dark, AppAppearance::light, AppAppearance::dark}) {
        preferences->setAppearance(next);
        QApplication::processEvents();
        SCOPED_TRACE(rawValue(next).toStdString());
        const bool dark = next == AppAppearance::dark;
        const QImage page = text->viewport()->grab().toImage();
        EXPECT_EQ(page.pixel(page.width() - 2, page.height() - 2), EditorTheme::paper(dark).rgb());
        // What is typed next.
        EXPECT_EQ(text->currentCharFormat().foreground().color().lightness() > 128, dark);
    }
}

// Hiding the timeline while it has the keyboard hands it to the script; from the script it
// stays there.
TEST_F(WindowBehaviourTest, HidingTheTimelineKeepsTheKeyboardOutOfTheFilter)
{
    model->openProject(stored("Film"));
    showWindow();
    activateWindow();
    for (QWidget *focused : {static_cast<QWidget *>(editorView()->timeline()),
                             static_cast<QWidget *>(editorView()->scriptEditor())}) {
        preferences->setTimelineVisible(true);
        focused->setFocus();
        QTest::keyClick(window.get(), Qt::Key_T, Qt::ControlModifier | Qt::AltModifier);
        EXPECT_FALSE(preferences->timelineVisible());
        EXPECT_EQ(QApplication::focusWidget(), editorView()->scriptEditor());
    }
}

TEST_F(WindowBehaviourTest, TheToolbarRowFadesInNearTheTopOnlyInFadeMode)
{
    model->openProject(stored("Film"));
    showWindow();
    auto *fader = editorView()->toolBar()->findChild<ToolbarRowFader *>();
    ASSERT_NE(fader, nullptr);
    EXPECT_FALSE(fader->isShown());
    EXPECT_EQ(fader->opacity(), 0.0);

    QTest::mouseMove(window.get(), QPoint(300, ToolbarRowFader::revealDistance - 4));
    QTRY_VERIFY(fader->isShown());
    QTRY_COMPARE(fader->opacity(), 1.0);
    // The row lies below the menu bar: the pointer on it keeps it.
    const QPoint onRow = editorView()->toolBar()->mapTo(
        window.get(), editorView()->toolBar()->rect().center() + QPoint(0, 6));
    QTest::mouseMove(window.get(), onRow);
    EXPECT_TRUE(fader->isShown());
    QTest::mouseMove(window.get(), QPoint(300, 400));
    QTRY_VERIFY(!fader->isShown());

    preferences->setTitleBarMode(TitleBarMode::alwaysShow);
    EXPECT_EQ(fader->opacity(), 1.0);
    QTest::mouseMove(window.get(), QPoint(300, 420));
    EXPECT_TRUE(fader->isShown());
}

TEST_F(WindowBehaviourTest, ASwipeOverTheWindowHidesTheSidebarWhileSwipingIsOn)
{
    showWindow();
    qint64 time = 1000;
    const auto swipe = [this, &time](int dx) {
        const QPointF at(700, 400);
        time += 1000;
        for (auto [phase, delta] : {std::pair{Qt::ScrollBegin, 0}, std::pair{Qt::ScrollUpdate, dx},
                                    std::pair{Qt::ScrollUpdate, dx}, std::pair{Qt::ScrollEnd, 0}}) {
            QWheelEvent event(at, window->mapToGlobal(at), QPoint(delta, 0), QPoint(delta * 2, 0),
                              Qt::NoButton, Qt::NoModifier, phase, false);
            event.setTimestamp(quint64(time += 16));
            QApplication::sendEvent(window->windowHandle(), &event);
        }
    };
    preferences->setSidebarSwipeEnabled(false);
    swipe(-40);
    EXPECT_TRUE(preferences->sidebarVisible());
    preferences->setSidebarSwipeEnabled(true);
    swipe(-40);
    EXPECT_FALSE(preferences->sidebarVisible());
    swipe(40);
    EXPECT_TRUE(preferences->sidebarVisible());
}

// In a small window the search panel and the narrow markup bar take room from the script's
// sides, never from the screen: the window keeps its width.
TEST_F(WindowBehaviourTest, SearchInASmallWindowKeepsTheWindowsWidth)
{
    model->openProject(stored("Film"));
    showWindow();
    window->resize(800, 600);
    editorView()->openSearch();
    QApplication::processEvents();
    EXPECT_EQ(window->width(), 800);
    EXPECT_LE(window->minimumSizeHint().width(), 800);
    const DocumentTextView *text = editorView()->scriptEditor();
    EXPECT_GE(text->viewport()->width(), ColumnFit::minimumText);
    EXPECT_LT(text->columnFit().sides.gutter, ScriptGutter::gutterWidth);
}

} // namespace
} // namespace veskel::test
