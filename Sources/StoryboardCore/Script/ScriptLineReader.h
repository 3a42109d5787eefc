#pragma once

#include "StoryboardCore/Models/ScriptBlock.h"
#include "StoryboardCore/Script/BatchedUUIDGenerator.h"
#include "StoryboardCore/Script/TextRange.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace veskel::ScriptLines {

enum class LineKind { heading, blank, content };

struct ClassifiedLine
{
    LineKind kind = LineKind::blank;
    ScriptBlockRole role = ScriptBlockRole::voiceover;
    // The heading's title or the content line's content: a view into the document text.
    QStringView content;
};

// What one line of the document is, read on its own.
ClassifiedLine classify(QStringView line);

struct Heading
{
    QString title;
    TextRange range;
    qsizetype firstBlock = 0; // index of the first block after it
    qsizetype end = 0;        // end of its last block, or of the heading itself
};

// Reads document lines into blocks and headings: consecutive content lines of one role make a
// paragraph, which becomes a block when it ends unless all its lines are blank.
class ScriptLineReader
{
public:
    ScriptLineReader(BatchedUUIDGenerator &ids,
                     QList<ScriptBlock> &blocks,
                     QList<Heading> &headings);

    // Reads the lines from the one starting at `from` to the one ending at `to` (its line feed
    // or the end of the text). The last paragraph is left open: `flush` ends it.
    void readLines(QStringView document, qsizetype from, qsizetype to);
    void flush();

    // Ranges of the blocks this reader made, in block order.
    const std::vector<TextRange> &ranges() const { return m_ranges; }
    // The span of the blocks read before any heading.
    std::optional<TextRange> draftSpan() const;

private:
    void
    addLine(ScriptBlockRole role, QStringView content, qsizetype lineStart, qsizetype lineLength);

    BatchedUUIDGenerator &m_ids;
    QList<ScriptBlock> &m_blocks;
    QList<Heading> &m_headings;
    // Block ranges in block order; hashed once at the end, when their number is known.
    std::vector<TextRange> m_ranges;
    std::vector<QStringView> m_contents;
    bool m_pending = false;
    ScriptBlockRole m_role = ScriptBlockRole::voiceover;
    qsizetype m_start = 0;
    qsizetype m_end = 0;
    std::optional<qsizetype> m_draftStart;
    qsizetype m_draftEnd = 0;
};

} // namespace veskel::ScriptLines
