#include "EditorTestSupport.h"

#include "NarrationKit/NarrationCache.h"
#include "VeskelApp/Inspector/NarrationFitSection.h"
#include "VeskelApp/Narration/SceneNarrations.h"
#include "VeskelApp/Widgets/NoticeBox.h"

#include <QPushButton>

#include <QSignalSpy>

namespace veskel::test {
namespace {

using namespace Qt::StringLiterals;

using NarrationEditing = EditorFixture;

TEST_F(NarrationEditing, FitToNarrationIsOneUndoStepRoundedUpToHalfASecond)
{
    auto editor = openScript();
    const QString one = sceneID(*editor, "One");
    const double before = editor->project().scene(one)->durationSeconds;
    editor->fitSceneToNarration(one, 7.46);
    EXPECT_EQ(editor->project().scene(one)->durationSeconds, 7.5);
    editor->undo();
    EXPECT_EQ(editor->project().scene(one)->durationSeconds, before);
    EXPECT_FALSE(editor->canUndo());
    editor->redo();
    EXPECT_EQ(editor->project().scene(one)->durationSeconds, 7.5);

    // Nothing that could not be written to the file leaves an undo step.
    editor->undo();
    editor->fitSceneToNarration(one, std::numeric_limits<double>::quiet_NaN());
    EXPECT_FALSE(editor->canUndo());
}

TEST_F(NarrationEditing, SpeakingRateRetimesScenesAndIsSavedOnlyWhenNotTheDefault)
{
    auto editor = openScript(u"# Talk\n\n"_s + words(100) + u"\n"_s);
    const QString talk = sceneID(*editor, "Talk");
    editor->setWordsPerMinute(100);
    EXPECT_EQ(editor->project().scene(talk)->durationSeconds, 60);
    editor->persist();
    const QString file = *store.packagePath(editor->project()) + u"/project.json"_s;
    const auto contents = [&] {
        QFile json(file);
        return json.open(QIODevice::ReadOnly) ? json.readAll() : QByteArray();
    };
    EXPECT_TRUE(contents().contains("\"wordsPerMinute\": 100"));

    editor->undo();
    EXPECT_EQ(editor->project().videoSettings.wordsPerMinute, 140);
    EXPECT_EQ(editor->project().scene(talk)->durationSeconds, 43);
    editor->persist();
    EXPECT_FALSE(contents().contains("wordsPerMinute"));
}

TEST_F(NarrationEditing, TheInspectorOffersToFitANarrationThatRunsOver)
{
    auto editor = openScript(u"# Talk\n\n"_s + words(40) + u".\n"_s);
    const QString talk = sceneID(*editor, "Talk");
    editor->updateScene(talk, [](Scene &scene) { scene.durationSeconds = 3; });
    NarrationCache cache({});
    SceneNarrations narrations(cache);
    NarrationFitSection section(*editor, narrations);
    EXPECT_TRUE(section.isHidden());

    // Read on the narration worker; the section shows once the length is known.
    QSignalSpy narrated(&narrations, &SceneNarrations::narrated);
    narrations.request(editor->project());
    ASSERT_TRUE(narrated.wait(60000));
    const std::optional<double> overflow
        = narrations.overflow(*editor->selectedScene(), editor->project());
    ASSERT_TRUE(overflow.has_value());
    EXPECT_FALSE(section.isHidden());
    EXPECT_EQ(section.notice()->lines(),
              QStringList{NarrationFitSection::overflowText(*overflow, 3)});

    section.fitButton()->click();
    const double fitted = editor->project().scene(talk)->durationSeconds;
    EXPECT_GE(fitted, *overflow);
    EXPECT_LT(fitted, *overflow + 0.6);
    EXPECT_EQ(std::fmod(fitted, 0.5), 0);
    EXPECT_TRUE(section.isHidden());
    editor->undo();
    EXPECT_EQ(editor->project().scene(talk)->durationSeconds, 3);
}

TEST(NarrationFitSectionText, SaysBothLengthsInSeconds)
{
    EXPECT_EQ(NarrationFitSection::overflowText(7.5, 6),
              "Narration 7.5 s is longer than the scene (6 s)");
}

} // namespace
} // namespace veskel::test
