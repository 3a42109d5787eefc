#pragma once

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

} // namespace veskel::bench
