// Re-reading only the paragraphs an edit touched against parsing the whole text. A random
// document is parsed, some scenes are retimed by hand, and random edits follow one another:
// whenever the re-read accepts an edit, its blocks (all but their ids), scenes and layout are
// exactly what parsing the whole edited text gives; when it declines, the document and its
// parse are left as they were.

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "ScriptComparison.h"

#include "StoryboardCore/Script/ScriptDocumentCodec.h"
#include "StoryboardCore/Script/ScriptDocumentReparse.h"
#include "StoryboardCore/Script/ScriptText.h"

#include <array>
#include <cstdio>

using namespace veskel;

namespace {

// Lines and fragments that make every kind of line and every boundary between them.
constexpr std::array pieces{
    u"# Intro",    u"# Outro", u"## Intro",    u"#",
    u"# ",         u"#Intro",  u" # Intro ",   u"",
    u"  ",         u"\t",      u"> Slide",     u">",
    u"// Mic",     u"//",      u"Hello there", u"one two three four",
    u"\u00a0word", u"\n",      u"\n\n",        u"\r\n",
    u"\r",         u"x",       u"#",           u"> ",
    u"// ",        u" ",       u"\u2028",
};

QString piece(fuzz::FuzzInput &input)
{
    if (input.byte() % 8 == 0)
        return input.text(12);
    return QString::fromUtf16(pieces[size_t(input.byte()) % pieces.size()]);
}

QString document(fuzz::FuzzInput &input)
{
    QString text;
    for (int lines = input.integer(0, 24); lines > 0; --lines) {
        text += piece(input);
        text += u'\n';
    }
    return ScriptText::withLineFeeds(text);
}

QString edited(const QString &text, fuzz::FuzzInput &input)
{
    const qsizetype at = input.integer(0, int(text.size()));
    const qsizetype removed = std::min<qsizetype>(
        text.size() - at, input.flag() ? input.integer(0, 2) : input.integer(0, 40));
    QString inserted;
    for (int count = input.integer(0, 2); count > 0; --count)
        inserted += piece(input);
    QString result = text;
    result.replace(at, removed, inserted);
    // The editor reads line feeds only; now and then the raw text shows that a carriage
    // return is declined.
    return input.byte() % 16 == 0 ? result : ScriptText::withLineFeeds(result);
}

bool sameLayout(const ParsedScriptDocument &a, const ParsedScriptDocument &b)
{
    if (a.layout.blockRanges.size() != b.layout.blockRanges.size()
        || a.layout.blockRanges.size() != a.blocks.size())
        return false;
    for (qsizetype i = 0; i < a.blocks.size(); ++i) {
        if (a.layout.blockRanges.value(a.blocks.at(i).id)
            != b.layout.blockRanges.value(b.blocks.at(i).id))
            return false;
    }
    return a.layout.sceneHeadingRanges == b.layout.sceneHeadingRanges
           && a.layout.sceneSpans == b.layout.sceneSpans
           && a.layout.draftSpan == b.layout.draftSpan;
}

// Every field but the time of the parse, which each stamps anew.
bool sameScenes(QList<Scene> a, const QList<Scene> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        a[i].updatedAt = b.at(i).updatedAt;
    return a == b;
}

// Line ends and other invisible characters shown, for the report of a difference.
QString escaped(const QString &text)
{
    return QString::fromLatin1(text.toUtf8().toPercentEncoding(" #>/"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::FuzzInput input(data, size);
    const int wordsPerMinute = input.integer(60, 240);
    QString text = document(input);

    // Scenes kept aside whose titles the document also uses: the re-read must not let them in.
    QList<Scene> keptAside;
    for (int count = input.integer(0, 2); count > 0; --count) {
        Scene scene;
        scene.id = QStringLiteral("aside-%1").arg(count);
        scene.title = input.flag() ? QStringLiteral("Intro") : QStringLiteral("Outro");
        keptAside.append(scene);
    }
    ParsedScriptDocument current = ScriptDocumentCodec::parse(text, {}, keptAside, wordsPerMinute);
    for (Scene &scene : current.scenes) {
        if (input.flag())
            scene.durationSeconds = input.integer(1, 40) / 2.0;
    }

    while (!input.atEnd()) {
        const QString next = edited(text, input);
        const ParsedScriptDocument whole
            = ScriptDocumentCodec::parse(next, current.scenes, keptAside, wordsPerMinute);
        ParsedScriptDocument reread = current;
        if (ScriptDocumentCodec::reparse(reread, text, next, wordsPerMinute)) {
            const bool same = fuzz::sameBlocks(reread.blocks, whole.blocks)
                              && sameScenes(reread.scenes, whole.scenes)
                              && sameLayout(reread, whole);
            if (!same)
                std::fprintf(stderr, "before: %s\nafter: %s\n", qUtf8Printable(escaped(text)),
                             qUtf8Printable(escaped(next)));
            VESKEL_FUZZ_CHECK(same);
            current = std::move(reread);
        } else {
            VESKEL_FUZZ_CHECK(reread == current);
            current = whole;
        }
        text = ScriptText::withLineFeeds(next);
    }
    return 0;
}
