#include "VeskelApp/Inspector/CompactDurationField.h"
#include "VeskelApp/Inspector/DurationFieldText.h"
#include "VeskelApp/Inspector/SceneCardPreview.h"
#include "VeskelApp/Inspector/SceneDetailsPopover.h"
#include "VeskelApp/Inspector/SceneImageSection.h"
#include "VeskelApp/Inspector/SceneTypeChips.h"
#include "VeskelApp/Inspector/SelectableChip.h"
#include "VeskelApp/Inspector/ValidationHelpers.h"
#include "VeskelApp/Localization/InterfaceTranslation.h"
#include "VeskelApp/Rendering/CardRenderPool.h"
#include "VeskelApp/Widgets/NoticeBox.h"

#include "EditorTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QThreadPool>
#include <QToolButton>

#include <atomic>

namespace veskel::test {
namespace {

struct TypedDuration
{
    const char *typed;
    std::optional<double> seconds;
};

class DurationTextParsing : public ::testing::TestWithParam<TypedDuration>
{
};

TEST_P(DurationTextParsing, AcceptsOnlyAPlainNumber)
{
    EXPECT_EQ(DurationFieldText::parse(QString::fromUtf8(GetParam().typed)), GetParam().seconds);
}

INSTANTIATE_TEST_SUITE_P(Table,
                         DurationTextParsing,
                         // "2,5", "4.0", "-3" and "abc" are typed into the field below.
                         ::testing::Values(TypedDuration{"4", 4.0},
                                           TypedDuration{"4s", std::nullopt},
                                           TypedDuration{"", std::nullopt},
                                           TypedDuration{" 4", std::nullopt},
                                           TypedDuration{"4 ", std::nullopt},
                                           TypedDuration{"1,5,0", std::nullopt},
                                           TypedDuration{"nan", std::nullopt},
                                           TypedDuration{"inf", std::nullopt}));

// The field's own stepping at the limits is covered through the stepper buttons below.
TEST(DurationFieldText, StepsOutsideTheRangeMoveTowardsIt)
{
    // Below the range the down arrow must not raise the value.
    EXPECT_EQ(DurationFieldText::stepped(0, -1), 0);
    EXPECT_EQ(DurationFieldText::stepped(0, +1), 0.5);
    EXPECT_EQ(DurationFieldText::stepped(700, -1), 699.5);
}

TEST(ValidationHelpers, JoinsTheScenesFindingsOrGivesNothing)
{
    Scene scene;
    scene.title = "Intro";
    scene.durationSeconds = 3;
    EXPECT_EQ(ValidationHelpers::warningMessage(scene), std::nullopt);
    scene.title = " ";
    scene.onScreenText = QString(300, u'x');
    EXPECT_EQ(ValidationHelpers::warningMessage(scene),
              "Add a scene title. On-screen text is too long (300/280).");
}

class SceneInspectorTest : public EditorFixture
{
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        editor = openScript("# Intro\n\n" + words(140) + "\n\n# Outro\n\nBye.\n");
        editor->selectOnly(sceneID(*editor, "Intro"));
    }

    std::unique_ptr<SceneDetailsPopover> openInspector(SceneCardPreview::Renderer renderer)
    {
        auto popover = std::make_unique<SceneDetailsPopover>(
            *editor, &scheduler, [this](QWidget *) { return pickedFile; }, std::move(renderer));
        popover->setAttribute(Qt::WA_DeleteOnClose, false);
        popover->show();
        return popover;
    }

    Scene primary() const { return *editor->selectedScene(); }

    std::unique_ptr<ProjectEditorViewModel> editor;
    std::optional<QString> pickedFile;
};

TEST_F(SceneInspectorTest, TypedDurationIsCommittedOrRestored)
{
    CompactDurationField field(*editor);
    QLineEdit *edit = field.lineEdit();
    const auto type = [&](const QString &text) {
        edit->setText(text);
        field.commit();
    };
    type("2,5");
    EXPECT_EQ(primary().durationSeconds, 2.5);
    EXPECT_EQ(edit->text(), "2.5");
    EXPECT_TRUE(editor->canUndo());

    type("abc");
    EXPECT_EQ(primary().durationSeconds, 2.5);
    EXPECT_EQ(edit->text(), "2.5");

    // A duration the export would refuse becomes the shortest allowed.
    type("-3");
    EXPECT_EQ(primary().durationSeconds, 0.5);
    EXPECT_EQ(edit->text(), "0.5");

    type("4.0");
    EXPECT_EQ(edit->text(), "4");
    editor->undo();
    EXPECT_EQ(primary().durationSeconds, 0.5);
    EXPECT_EQ(edit->text(), "0.5");
}

TEST_F(SceneInspectorTest, TheStepperStopsAtItsLimits)
{
    CompactDurationField field(*editor);
    editor->setSelectedSceneDuration(599.8);
    field.stepUpButton()->click();
    EXPECT_EQ(primary().durationSeconds, 600);
    EXPECT_FALSE(field.stepUpButton()->isEnabled());
    editor->setSelectedSceneDuration(0.7);
    field.stepDownButton()->click();
    EXPECT_EQ(primary().durationSeconds, 0.5);
    EXPECT_FALSE(field.stepDownButton()->isEnabled());
    EXPECT_EQ(field.lineEdit()->text(), "0.5");
}

TEST_F(SceneInspectorTest, ControlsEditThePrimarySceneOneUndoStepEach)
{
    auto popover = openInspector([](const CardRenderInput &) { return QImage(); });
    EXPECT_TRUE(popover->warningBanner()->isHidden());
    SceneTypeChips *chips = popover->typeChips();
    EXPECT_TRUE(chips->chip(SceneType::placeholder)->isChecked());

    chips->chip(SceneType::summary)->click();
    EXPECT_EQ(primary().type, SceneType::summary);
    EXPECT_TRUE(chips->chip(SceneType::summary)->isChecked());
    EXPECT_FALSE(chips->chip(SceneType::placeholder)->isChecked());

    // A project file may hold a zero duration; the inspector warns about it.
    editor->updateSelectedScene([](Scene &scene) { scene.durationSeconds = 0; });
    EXPECT_FALSE(popover->warningBanner()->isHidden());
    EXPECT_EQ(popover->warningBanner()->lines(),
              QStringList{"Duration must be greater than zero."});
    popover->recalculateButton()->click();
    EXPECT_EQ(primary().durationSeconds, 60);
    EXPECT_TRUE(popover->warningBanner()->isHidden());

    editor->undo();
    EXPECT_EQ(primary().durationSeconds, 0);
    editor->undo();
    editor->undo();
    EXPECT_EQ(primary().type, SceneType::placeholder);
    EXPECT_TRUE(chips->chip(SceneType::placeholder)->isChecked());

    // With no scene left to edit the inspector goes.
    editor->deleteScene(sceneID(*editor, "Outro"));
    EXPECT_TRUE(popover->isVisible());
    editor->deleteSelectedScene();
    EXPECT_FALSE(popover->isVisible());
}

class SceneInspectorLanguageTest : public SceneInspectorTest,
                                   public ::testing::WithParamInterface<ResolvedLanguage>
{
};

TEST_P(SceneInspectorLanguageTest, EveryTypeChipShowsItsWholeNameTwoToARow)
{
    InterfaceTranslation::apply(GetParam());
    auto popover = openInspector([](const CardRenderInput &) { return QImage(); });
    QApplication::processEvents();
    SceneTypeChips *chips = popover->typeChips();
    for (const SceneType type : EnumTraits<SceneType>::allCases) {
        const SelectableChip *chip = chips->chip(type);
        EXPECT_GE(chip->width(), chip->sizeHint().width()) << chip->text().toStdString();
    }
    EXPECT_EQ(chips->chip(SceneType::talkingHead)->y(), chips->chip(SceneType::motionGraphic)->y());
}

INSTANTIATE_TEST_SUITE_P(Languages,
                         SceneInspectorLanguageTest,
                         ::testing::Values(ResolvedLanguage::english, ResolvedLanguage::russian));

TEST_F(SceneInspectorTest, AReferenceIsAddedReplacedAndDeleted)
{
    auto popover = openInspector([](const CardRenderInput &) { return QImage(); });
    SceneImageSection *section = popover->imageSection();
    EXPECT_TRUE(section->addButton()->isVisibleTo(popover.get()));

    // A cancelled pick does nothing.
    section->addButton()->click();
    EXPECT_FALSE(primary().image.has_value());
    EXPECT_FALSE(editor->canUndo());

    pickedFile = dir.filePath("wide.png");
    ASSERT_TRUE(writePNG(*pickedFile, 64, 32));
    section->addButton()->click();
    ASSERT_TRUE(primary().image.has_value());
    EXPECT_TRUE(section->replaceButton()->isVisibleTo(popover.get()));
    EXPECT_FALSE(section->addButton()->isVisibleTo(popover.get()));
    EXPECT_EQ(section->preview()->pixmap().width(), 256);

    // The replacement keeps the file name in Media but its preview is the new picture, here a
    // one-bit palette image, which must keep its colour.
    pickedFile = dir.filePath("tall.png");
    QImage mono(200, 300, QImage::Format_Mono);
    mono.setColorTable({qRgb(128, 0, 128), qRgb(255, 255, 255)});
    mono.fill(0);
    ASSERT_TRUE(mono.save(*pickedFile));
    section->replaceButton()->click();
    const QImage shown = section->preview()->pixmap().toImage();
    EXPECT_EQ(shown.height(), 144);
    EXPECT_EQ(shown.pixelColor(shown.rect().center()), QColor(128, 0, 128));

    section->deleteButton()->click();
    EXPECT_FALSE(primary().image.has_value());
    EXPECT_TRUE(section->addButton()->isVisibleTo(popover.get()));
}

// Renders one card per scene type, each a different width, and notes the threads it ran on.
struct RecordingRenderer
{
    std::shared_ptr<std::atomic<bool>> ranOnMainThread = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<std::atomic<int>> calls = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<QSemaphore> gate;
    QThread *mainThread = QThread::currentThread();

    QImage operator()(const CardRenderInput &input) const
    {
        if (QThread::currentThread() == mainThread)
            *ranOnMainThread = true;
        ++*calls;
        if (gate)
            gate->acquire();
        QImage card(100 + int(input.scene.type), 56, QImage::Format_RGBA8888);
        card.fill(Qt::white);
        return card;
    }
};

// On an 800×600 screen the card would be scrolled out of sight under the controls: it moves
// beside them, and the whole popover stays on the screen.
TEST_F(SceneInspectorTest, OnASmallScreenTheCardStandsBesideTheControlsInSight)
{
    QWidget window;
    window.setGeometry(0, 0, 800, 600);
    window.show();
    auto popover = std::make_unique<SceneDetailsPopover>(
        *editor, &scheduler, [](QWidget *) { return std::optional<QString>(); });
    popover->setAttribute(Qt::WA_DeleteOnClose, false);
    const QRect anchor(window.mapToGlobal(QPoint(260, 130)), QSize(100, 24));
    popover->showBelow(anchor, &window);
    const QRect screen = window.screen()->availableGeometry().intersected(window.geometry());
    EXPECT_TRUE(popover->isSideBySide());
    EXPECT_TRUE(screen.contains(popover->frameGeometry())) << popover->frameGeometry().height();
    const QWidget *card = popover->cardPreview();
    const QRect shown(card->mapTo(popover.get(), QPoint()), card->size());
    EXPECT_TRUE(popover->rect().contains(shown));

    // Where there is room the card stays under the controls.
    window.setGeometry(0, 0, 1440, 900);
    if (window.screen()->availableGeometry().height() >= 900) {
        popover->showBelow(anchor, &window);
        EXPECT_FALSE(popover->isSideBySide());
    }
}

TEST_F(SceneInspectorTest, TheCardPreviewRendersOffTheMainThreadAfterTheLastChange)
{
    RecordingRenderer renderer;
    auto popover = openInspector(renderer);
    SceneCardPreview *preview = popover->cardPreview();
    EXPECT_TRUE(preview->isActive());
    EXPECT_EQ(preview->caption()->text(), "01:00 · No visual yet");
    QSignalSpy shown(preview, &SceneCardPreview::cardShown);
    scheduler.advance(0);
    ASSERT_TRUE(shown.wait(10000));
    EXPECT_EQ(preview->renderedImage().width(), 100 + int(SceneType::placeholder));

    // Changes half a second apart and less: one render, of the last state.
    editor->setSelectedSceneType(SceneType::summary);
    scheduler.advance(SceneCardPreview::debounceMs - 1);
    editor->setSelectedSceneType(SceneType::titleCard);
    scheduler.advance(SceneCardPreview::debounceMs - 1);
    EXPECT_FALSE(preview->isRendering());
    scheduler.advance(1);
    ASSERT_TRUE(shown.wait(10000));
    EXPECT_EQ(preview->renderedImage().width(), 100 + int(SceneType::titleCard));
    EXPECT_EQ(*renderer.calls, 2);
    EXPECT_FALSE(*renderer.ranOnMainThread);
}

TEST_F(SceneInspectorTest, ASupersededOrHiddenRenderNeverShows)
{
    RecordingRenderer renderer;
    renderer.gate = std::make_shared<QSemaphore>();
    auto popover = openInspector(renderer);
    SceneCardPreview *preview = popover->cardPreview();
    QSignalSpy shown(preview, &SceneCardPreview::cardShown);
    scheduler.advance(0);
    ASSERT_TRUE(preview->isRendering());
    // The scene changes while the first render runs; the second render is the one shown.
    editor->setSelectedSceneType(SceneType::summary);
    scheduler.advance(SceneCardPreview::debounceMs);
    renderer.gate->release(2);
    ASSERT_TRUE(cardRenderPool()->waitForDone(10000));
    QCoreApplication::processEvents();
    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(preview->renderedImage().width(), 100 + int(SceneType::summary));

    // Folding the preview away cancels what was scheduled.
    editor->setSelectedSceneType(SceneType::uiDemo);
    EXPECT_TRUE(preview->isRenderScheduled());
    popover->cardDisclosure()->click();
    EXPECT_FALSE(preview->isActive());
    EXPECT_FALSE(preview->isRenderScheduled());
}

} // namespace
} // namespace veskel::test
