#include "FCPXMLKit/FCPXML114Exporter.h"

#include "FCPXMLKit/SaturatingArithmetic.h"
#include "FCPXMLTestSupport.h"
#include "Support/TestSupport.h"
#include "TimelineTestProjects.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace veskel;
using namespace veskel::test;

namespace {

std::expected<FCPXMLExportResult, FCPXMLExportError>
exportWithCards(const StoryboardProject &project,
                const QHash<QString, NarrationFile> &narrations = {})
{
    const ExportFolder folder = makeExportFolder(project);
    return FCPXML114Exporter().exportDocument(
        {project, folder.cardFileNames, folder.path(), FCPXMLVersion::v1_14, narrations});
}

// Exports, then holds the document to the DTD and to the timeline rule: every clip starts where
// the ones before it end, and the sequence lasts as long as all of them.
QString exportValidated(const StoryboardProject &project,
                        const QHash<QString, NarrationFile> &narrations = {})
{
    const auto result = exportWithCards(project, narrations);
    if (!result) {
        ADD_FAILURE() << result.error().description().toStdString();
        return {};
    }
    const QString &xml = result->xml;
    EXPECT_EQ(fcpxmlDTDViolations(xml), QStringList()) << xml.toStdString();

    const int fps = project.videoSettings.fps;
    const auto clips = elementsNamed(xml, QStringLiteral("video"));
    EXPECT_EQ(clips.size(), project.scenes.size());
    qint64 elapsed = 0;
    for (const ElementAttributes &clip : clips) {
        EXPECT_EQ(framesOf(clip.value("offset"), fps), elapsed);
        elapsed = saturatingAdd(elapsed, framesOf(clip.value("duration"), fps));
    }
    const auto sequences = elementsNamed(xml, QStringLiteral("sequence"));
    EXPECT_EQ(sequences.size(), 1);
    if (!sequences.isEmpty()) {
        EXPECT_EQ(framesOf(sequences.first().value("duration"), fps), elapsed);
    }
    return xml;
}

TEST(FCPXML114Exporter, WritesTheOneSceneDocumentExactly)
{
    const StoryboardProject project = makeProject(QStringLiteral("Intro video"), 25,
                                                  {makeScene(0, QStringLiteral("Opening"), 5)});
    const auto result = exportWithCards(project);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->fcpxmlFileName, QStringLiteral("intro-video.fcpxml"));
    EXPECT_EQ(result->xml, QString::fromUtf8(R"xml(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE fcpxml>

<fcpxml version="1.14">
    <resources>
                    <format colorSpace="1-1-1 (Rec. 709)" frameDuration="1/25s" height="1080" id="r1" name="FFVideoFormat1920x1080p25" width="1920"/>
                    <format height="1080" id="r2" name="FFStillFormat1920x1080" width="1920"/>
                    <asset duration="0s" format="r2" hasVideo="1" id="r3" name="S001 · Opening" start="0s">
                        <media-rep kind="original-media" src="Media/S001.png"/>
                    </asset>
    </resources>
    <library>
            <event name="Intro video">
                <project name="Intro video">
                                <sequence audioLayout="stereo" audioRate="48k" duration="125/25s" format="r1" tcFormat="NDF" tcStart="0s">
                                <spine>
                                        <video duration="125/25s" name="S001 · Opening" offset="0s" ref="r3" start="0s">
                                        <marker duration="1/25s" note="" start="0s" value="S001 · Opening"/>
                                        </video>
                                </spine>
                                </sequence>
                </project>
            </event>
    </library>
</fcpxml>)xml"));
    EXPECT_EQ(fcpxmlDTDViolations(result->xml), QStringList());
}

// Beside the one-scene document above: the narration's asset after the cards', its clip below
// the card before the marker.
TEST(FCPXML114Exporter, NarrationAssetAndClipAreWrittenExactly)
{
    const StoryboardProject project = makeProject(QStringLiteral("Intro video"), 25,
                                                  {makeScene(0, QStringLiteral("Opening"), 5)});
    const QString xml = exportValidated(
        project, {{QStringLiteral("SCENE-0"), {QStringLiteral("Narration/S001.wav"), 150'000}}});
    EXPECT_TRUE(xml.contains(QString::fromUtf8(R"xml(
                    </asset>
                    <asset audioChannels="1" audioRate="48000" audioSources="1" duration="150000/48000s" hasAudio="1" id="r4" name="S001 · Opening · Narration" start="0s">
                        <media-rep kind="original-media" src="Narration/S001.wav"/>
                    </asset>
    </resources>
)xml"))) << xml.toStdString();
    EXPECT_TRUE(xml.contains(QString::fromUtf8(R"xml(start="0s">
                                        <asset-clip audioRole="dialogue" duration="78/25s" lane="-1" name="S001 · Opening · Narration" offset="0s" ref="r4" start="0s"/>
                                        <marker duration="1/25s" note="" start="0s" value="S001 · Opening"/>
                                        </video>
)xml")));
}

// A narration is heard in whole frames of its file, never past its card's end; one shorter
// than a frame has no clip.
TEST(FCPXML114Exporter, NarrationClipsAreCutToTheirCardsAndFiles)
{
    const StoryboardProject project = makeProject(
        QStringLiteral("N"), 25, {makeScene(0, {}, 2), makeScene(1, {}, 1), makeScene(2, {}, 1)});
    const QString xml = exportValidated(
        project, {{QStringLiteral("SCENE-0"), {QStringLiteral("Narration/S001.wav"), 72'100}},
                  {QStringLiteral("SCENE-1"), {QStringLiteral("Narration/S002.wav"), 480'000}},
                  {QStringLiteral("SCENE-2"), {QStringLiteral("Narration/S003.wav"), 500}}});
    QStringList clips;
    for (const ElementAttributes &clip : elementsNamed(xml, QStringLiteral("asset-clip")))
        clips << clip.value("ref") + u' ' + clip.value("duration");
    EXPECT_EQ(clips, QStringList({"r6 37/25s", "r7 25/25s"}));
    QStringList sounds;
    for (const ElementAttributes &asset : elementsNamed(xml, QStringLiteral("asset"))) {
        if (asset.contains("hasAudio"))
            sounds << asset.value("id") + u' ' + asset.value("duration");
    }
    EXPECT_EQ(sounds, QStringList({"r6 72100/48000s", "r7 480000/48000s"}));
}

TEST(FCPXML114Exporter, ValidatorRejectsABrokenDocument)
{
    // Guards the helper itself: a clip pointing at no resource must not pass.
    QString xml = exportValidated(makeProject(QStringLiteral("P"), 25, {makeScene(0, {}, 1)}));
    xml.replace(QStringLiteral("ref=\"r3\""), QStringLiteral("ref=\"r9\""));
    EXPECT_FALSE(fcpxmlDTDViolations(xml).isEmpty());
}

class FCPXMLDocument : public ::testing::TestWithParam<std::tuple<TimelineCase, int>>
{
};

TEST_P(FCPXMLDocument, IsValidAndClipsFollowEachOther)
{
    const auto [documentCase, fps] = GetParam();
    const QString xml = exportValidated(documentCase.make(fps));

    const auto formats = elementsNamed(xml, QStringLiteral("format"));
    ASSERT_EQ(formats.size(), 2);
    EXPECT_EQ(formats[0].value("name"), QStringLiteral("FFVideoFormat1920x1080p%1").arg(fps));
    EXPECT_EQ(formats[0].value("frameDuration"), QStringLiteral("1/%1s").arg(fps));
    for (const auto *kind : {u"marker", u"chapter-marker"}) {
        for (const ElementAttributes &marker : elementsNamed(xml, QString::fromUtf16(kind)))
            EXPECT_EQ(marker.value("duration"), QStringLiteral("1/%1s").arg(fps));
    }
}

TEST_P(FCPXMLDocument, StaysValidWithNarrationsBelowTheCards)
{
    const auto [documentCase, fps] = GetParam();
    const StoryboardProject project = documentCase.make(fps);
    exportValidated(project, narrationsOfEveryOtherScene(project));
}

INSTANTIATE_TEST_SUITE_P(Projects, FCPXMLDocument, everyTimelineAtEveryRate(), timelineCaseName);

// Whole seconds over the rate are in the exact document above; these round to whole frames.
TEST(FCPXML114Exporter, TimesAreRoundedToWholeFrames)
{
    const QString rounded = exportValidated(makeProject(
        QStringLiteral("T"), 24,
        {makeScene(0, QStringLiteral("a"), 2.5), makeScene(1, QStringLiteral("b"), 0)}));
    const auto roundedClips = elementsNamed(rounded, QStringLiteral("video"));
    ASSERT_EQ(roundedClips.size(), 2);
    EXPECT_EQ(roundedClips[0].value("duration"), u"60/24s");
    EXPECT_EQ(roundedClips[1].value("duration"), u"0s");
    EXPECT_EQ(roundedClips[1].value("offset"), u"60/24s");

    const QString halfFrame = exportValidated(
        makeProject(QStringLiteral("T"), 25, {makeScene(0, QStringLiteral("a"), 0.02)}));
    EXPECT_EQ(elementsNamed(halfFrame, QStringLiteral("video")).value(0).value("duration"),
              u"1/25s");
}

TEST(FCPXML114Exporter, HugeDurationsSaturateInsteadOfOverflowing)
{
    const auto result = exportWithCards(hugeDurations(60));
    ASSERT_TRUE(result.has_value());
    const QString &xml = result->xml;
    EXPECT_EQ(fcpxmlDTDViolations(xml), QStringList());
    const QString max = QStringLiteral("9223372036854775807/60s");
    const auto clips = elementsNamed(xml, QStringLiteral("video"));
    ASSERT_EQ(clips.size(), 3);
    EXPECT_EQ(clips[1].value("offset"), max);
    EXPECT_EQ(clips[2].value("offset"), max);
    EXPECT_EQ(clips[2].value("duration"), u"300/60s");
    EXPECT_EQ(elementsNamed(xml, QStringLiteral("sequence")).value(0).value("duration"), max);
}

TEST(FCPXML114Exporter, EscapesEveryValue)
{
    const QString xml = exportValidated(escaping(25));
    EXPECT_TRUE(xml.contains(
        QStringLiteral("name=\"S001 · Q&amp;A &lt;draft&gt; &quot;one&quot; &apos;two&apos;\"")));
    EXPECT_TRUE(
        xml.contains(QStringLiteral("<event name=\"Tom &amp; Jerry&apos;s &lt;show&gt;\">")));
    EXPECT_TRUE(
        xml.contains(QStringLiteral("note=\"&lt;b&gt;bold&lt;/b&gt; &amp; &quot;quoted&quot;\" "
                                    "start=\"0s\" value=\"A &amp; B\"")));
}

TEST(FCPXML114Exporter, DropsCharactersXMLCannotHold)
{
    const QString xml = exportValidated(forbiddenCharacters(25));
    EXPECT_EQ(elementsNamed(xml, QStringLiteral("asset")).value(0).value("name"),
              QStringLiteral("S001 · abcdef"));
    EXPECT_EQ(elementsNamed(xml, QStringLiteral("project")).value(0).value("name"), u"Badtitle");
    // A note made only of forbidden characters is empty, so the production note stands in.
    EXPECT_EQ(elementsNamed(xml, QStringLiteral("marker")).value(0).value("note"), u"kept\tnote");
}

// Raw in an attribute they would be read as spaces, with the indentation of the enclosing
// elements after every line feed.
TEST(FCPXML114Exporter, NotesReadBackWithTheirLineBreaksAndTabs)
{
    const QString xml = exportValidated(multiLineNotes(25));
    EXPECT_EQ(elementsNamed(xml, QStringLiteral("marker")).value(0).value("note"),
              QStringLiteral("Line one\nLine two\n\n\tindented"));
    EXPECT_EQ(elementsNamed(xml, QStringLiteral("chapter-marker")).value(0).value("note"),
              QStringLiteral("Windows\r\nbreak, old Mac\rbreak"));
}

TEST(FCPXML114Exporter, MarkerKindsAndFallbacks)
{
    const QString xml = exportValidated(allMarkerKinds(25));
    const QString indent40(40, u' ');
    for (
        const char *line :
        {R"(<marker duration="1/25s" note="Check framing" start="0s" value="S001 · Standard"/>)",
         R"(<marker completed="1" duration="1/25s" note="From the scene" start="0s" value="Fix audio"/>)",
         R"(<marker completed="0" duration="1/25s" start="0s" value="S003 · To-do open"/>)",
         R"(<chapter-marker duration="1/25s" note="n" posterOffset="0s" start="0s" value="Part two"/>)"}) {
        EXPECT_TRUE(xml.contains(u'\n' + indent40 + QString::fromUtf8(line) + u'\n')) << line;
    }
}

TEST(FCPXML114Exporter, EmptyTitles)
{
    const auto result = exportWithCards(emptyTitles(25));
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->fcpxmlFileName, u"untitled.fcpxml");
    EXPECT_TRUE(result->xml.contains(QStringLiteral("<event name=\"\">")));
    EXPECT_TRUE(result->xml.contains(QStringLiteral("<project name=\"\">")));
    EXPECT_TRUE(result->xml.contains(QStringLiteral("value=\"S002 · \"")));
}

TEST(FCPXML114Exporter, ProjectTitleIsWrittenUntrimmedAndVersionFollowsTheInput)
{
    StoryboardProject project
        = makeProject(QStringLiteral("  Spaced  "), 25, {makeScene(0, {}, 1)});
    const ExportFolder folder = makeExportFolder(project);
    const auto result = FCPXML114Exporter().exportDocument(
        {project, folder.cardFileNames, folder.path(), FCPXMLVersion::v1_13});
    ASSERT_TRUE(result.has_value());
    EXPECT_TRUE(result->xml.contains(QStringLiteral("\n<fcpxml version=\"1.13\">\n")));
    EXPECT_TRUE(result->xml.contains(QStringLiteral("<project name=\"  Spaced  \">")));
    EXPECT_EQ(result->fcpxmlFileName, u"spaced.fcpxml");
}

TEST(FCPXML114Exporter, FailsInOrderEmptyThenFrameRateThenFirstMissingCard)
{
    const FCPXML114Exporter exporter;
    const QString folder = sandboxRoot();
    EXPECT_EQ(
        exporter.exportDocument({makeProject(QStringLiteral("T"), 29, {}), {}, folder}).error(),
        FCPXMLExportError::emptyProject());

    const auto unsupported = exporter.exportDocument(
        {makeProject(QStringLiteral("T"), 29, {makeScene(0, {}, 1)}), {}, folder});
    EXPECT_EQ(unsupported.error().description(), u"Unsupported frame rate: 29");

    // Stored out of order: the first missing card in timeline order is reported.
    StoryboardProject project = makeProject(
        QStringLiteral("T"), 25, {makeScene(2, {}, 1), makeScene(0, {}, 1), makeScene(1, {}, 1)});
    ExportFolder cards = makeExportFolder(project);
    QFile::remove(cards.path() + QStringLiteral("/Media/S002.png"));
    EXPECT_EQ(exporter.exportDocument({project, cards.cardFileNames, cards.path()}).error(),
              FCPXMLExportError::missingCardFile(QStringLiteral("SCENE-1")));
    cards.cardFileNames.remove(QStringLiteral("SCENE-0"));
    EXPECT_EQ(exporter.exportDocument({project, cards.cardFileNames, cards.path()}).error(),
              FCPXMLExportError::missingCardFile(QStringLiteral("SCENE-0")));
    // A folder with the card's name is no card.
    cards.cardFileNames.insert(QStringLiteral("SCENE-0"), QStringLiteral("Folder.png"));
    QDir(cards.path()).mkpath(QStringLiteral("Media/Folder.png"));
    EXPECT_EQ(
        exporter.exportDocument({project, cards.cardFileNames, cards.path()}).error().description(),
        u"No card was written for scene SCENE-0.");
}

} // namespace
