// The script document codec on any text. Parsing never fails and its ranges lie inside the
// text. Whenever the parsed script meets the writer's conditions (every block line trimmed and
// non-blank, no voiceover line that reads as markup, one-line trimmed titles), writing it and
// reading it back gives the same blocks and scenes, in the same order, and writes the same text
// again.

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "ScriptComparison.h"

#include "StoryboardCore/Script/ScriptDocumentCodec.h"

using namespace veskel;

namespace {

bool inside(const TextRange &range, qsizetype length)
{
    return range.location >= 0 && range.length >= 0 && range.location + range.length <= length;
}

bool meetsWriterConditions(const ParsedScriptDocument &document)
{
    for (const ScriptBlock &block : document.blocks) {
        for (const QString &line : block.text.split(u'\n')) {
            if (line.isEmpty() || line != line.trimmed())
                return false;
            if (block.role == ScriptBlockRole::voiceover
                && (line.startsWith(u'#') || line.startsWith(u'>') || line.startsWith(u"//")))
                return false;
        }
    }
    for (const Scene &scene : document.scenes) {
        if (scene.title != scene.title.trimmed() || scene.title.contains(u'\n'))
            return false;
    }
    return true;
}

bool sameScenes(const QList<Scene> &a, const QList<Scene> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const Scene &scene = a.at(i);
        const Scene &match = b.at(i);
        if (match.id != scene.id || match.order != scene.order || match.title != scene.title
            || match.durationSeconds != scene.durationSeconds
            || match.voiceoverText != scene.voiceoverText
            || match.onScreenText != scene.onScreenText
            || match.productionNote != scene.productionNote)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::FuzzInput input(data, size);
    QList<Scene> previous;
    for (int count = input.byte() % 4; count > 0; --count) {
        Scene scene;
        scene.id = QString::number(previous.size());
        scene.order = int(previous.size());
        scene.title = input.text(12);
        previous.append(scene);
    }
    const QString text = input.rest();

    const ParsedScriptDocument parsed = ScriptDocumentCodec::parse(text, previous);
    const qsizetype length
        = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).size();
    const ScriptDocumentLayout &layout = parsed.layout;
    VESKEL_FUZZ_CHECK(layout.blockRanges.size() == parsed.blocks.size());
    for (const TextRange &range : layout.blockRanges)
        VESKEL_FUZZ_CHECK(inside(range, length));
    for (const TextRange &range : layout.sceneHeadingRanges)
        VESKEL_FUZZ_CHECK(inside(range, length));
    for (const TextRange &range : layout.sceneSpans)
        VESKEL_FUZZ_CHECK(inside(range, length));
    VESKEL_FUZZ_CHECK(!layout.draftSpan || inside(*layout.draftSpan, length));

    const auto written = ScriptDocumentCodec::serialize(parsed.blocks, parsed.scenes);
    if (!meetsWriterConditions(parsed))
        return 0;
    const ParsedScriptDocument reread = ScriptDocumentCodec::parse(written.text, parsed.scenes);
    VESKEL_FUZZ_CHECK(fuzz::sameBlocks(reread.blocks, parsed.blocks));
    VESKEL_FUZZ_CHECK(sameScenes(reread.scenes, parsed.scenes));
    VESKEL_FUZZ_CHECK(reread.layout.sceneHeadingRanges == written.layout.sceneHeadingRanges);
    VESKEL_FUZZ_CHECK(reread.layout.sceneSpans == written.layout.sceneSpans);
    VESKEL_FUZZ_CHECK(ScriptDocumentCodec::serialize(reread.blocks, reread.scenes).text
                      == written.text);
    return 0;
}
