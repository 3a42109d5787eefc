#pragma once

#include "StoryboardCore/Models/VideoSettings.h"
#include "StoryboardCore/Script/ParsedScriptDocument.h"
#include "StoryboardCore/Script/ScriptDocumentLayout.h"

#include <QList>
#include <QString>

namespace veskel {

// The script document text and the project's blocks and scenes, turned into each other.
//
// The format, line by line after trimming tabs and Unicode space separators from both ends:
// "# Title" (one or more "#", then nothing or a space) opens a scene; an empty line ends a
// paragraph; "//" starts a note, ">" on-slide text, anything else is voiceover. Consecutive
// lines of one role form one paragraph (one block). Text before the first heading is draft
// text that belongs to no scene. Neither direction ever fails.
namespace ScriptDocumentCodec {

struct SerializedDocument
{
    QString text;
    ScriptDocumentLayout layout;

    bool operator==(const SerializedDocument &) const = default;
};

// Writes the normalised text: one blank line between paragraphs and headings, a single line
// feed at the end. Blocks come in list order, a heading before each scene's first run of
// blocks; a scene that owns no block has its heading where its `order` puts it among the
// others. Scene ids must be unique.
SerializedDocument serialize(const QList<ScriptBlock> &blocks, const QList<Scene> &scenes);

// Reads the text (CR LF read as LF; ranges refer to the converted text). Headings take over
// the previous scenes by exact title (in `order`), then the scenes kept aside by exact title
// (in list order: the caller puts the most recently removed first), then what is left of the
// previous scenes by position; the others become new placeholder scenes timed by their
// voiceover. Scene texts are derived from the blocks; previous scenes claimed by no heading
// are dropped. A kept-aside scene whose id is among the previous scenes is never taken.
// Estimates are made at the project's speaking rate.
ParsedScriptDocument parse(const QString &text,
                           const QList<Scene> &previousScenes,
                           const QList<Scene> &keptAside = {},
                           int wordsPerMinute = VideoSettings::defaultWordsPerMinute);

} // namespace ScriptDocumentCodec

} // namespace veskel
