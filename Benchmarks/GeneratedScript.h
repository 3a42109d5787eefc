#pragma once

#include "StoryboardCore/Models/StoryboardProject.h"
#include "StoryboardCore/Script/ScriptDocumentCodec.h"

#include <benchmark/benchmark.h>

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

namespace veskel::bench {

// A script as the editor holds it, with Latin, Cyrillic and emoji words: per scene a heading,
// two voiceover paragraphs (the second over two lines, 10 + 10 words), one on-slide line and one
// note of five words each. Seeded, so every run measures the same text.
inline QString generatedScript(int sceneCount, int firstParagraphWords, quint32 seed)
{
    static const QStringList vocabulary{
        QStringLiteral("storyboard"), QStringLiteral("the"),    QStringLiteral("camera"),
        QStringLiteral("pans"),       QStringLiteral("across"), QStringLiteral("a"),
        QStringLiteral("diagram,"),   QStringLiteral("and"),    QStringLiteral("we"),
        QStringLiteral("explain"),    QStringLiteral("how"),    QStringLiteral("it"),
        QStringLiteral("works."),     QStringLiteral("сцена"),  QStringLiteral("кадр"),
        QStringLiteral("объяснение"), QStringLiteral("🎬"),      QStringLiteral("timeline"),
    };
    QRandomGenerator random(seed);
    const auto words = [&](int count) {
        QStringList picked;
        for (int i = 0; i < count; ++i)
            picked << vocabulary.at(random.bounded(int(vocabulary.size())));
        return picked.join(QLatin1Char(' '));
    };
    QString text;
    for (int scene = 0; scene < sceneCount; ++scene) {
        text += QStringLiteral("# Scene %1 %2\n\n").arg(scene + 1).arg(words(2));
        text += words(firstParagraphWords) + QStringLiteral("\n\n");
        text += words(10) + QLatin1Char('\n') + words(10) + QStringLiteral("\n\n");
        text += QStringLiteral("> ") + words(5) + QStringLiteral("\n\n");
        text += QStringLiteral("// ") + words(5) + QStringLiteral("\n\n");
    }
    return text;
}

// A 1920 × 1080 project holding the generated script, as the editor opens it.
inline StoryboardProject generatedProject(int sceneCount, int firstParagraphWords, quint32 seed)
{
    const ParsedScriptDocument parsed
        = ScriptDocumentCodec::parse(generatedScript(sceneCount, firstParagraphWords, seed), {});
    StoryboardProject project;
    project.id = QStringLiteral("BENCH");
    project.title = QStringLiteral("Benchmark");
    project.videoSettings = VideoSettings::preset(VideoSettings::FormatPreset::horizontalHD, 25);
    project.scriptBlocks = parsed.blocks;
    project.scenes = parsed.scenes;
    return project;
}

// The text as one keystroke leaves it: one character 40 places after the anchor changed.
inline QString withOneCharacterChanged(QString text, const QString &anchor)
{
    const qsizetype at = text.indexOf(anchor) + 40;
    text[at] = text[at] == u'x' ? u'y' : u'x';
    return text;
}

// The benchmark programs that draw need an application object but no screen.
template<typename Application>
int runWithApplication(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace veskel::bench
