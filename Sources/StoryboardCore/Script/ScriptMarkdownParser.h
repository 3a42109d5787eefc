#pragma once

#include "StoryboardCore/Script/ParsedScript.h"

#include <QString>

namespace veskel {

// Turns a script written elsewhere into blocks and scenes.
//
// It understands one structured layout, recognised by a "[визуал:" anywhere in the text:
//     ## Сценарий                      the script (without it the whole text is the script)
//     [визуал: Intro]                  a paragraph opening with a marker opens a scene
//     Voiceover prose ...
//     [пауза]                          dropped
//     [b-roll: city at night]          a note block
//     ## Визуалы                       optional
//     ### Intro                        selects the scene with that marker
//     **Текст на слайде:** ...         on-slide text, placed first; also the scene's title
//     **Что на экране:** ...           a note, placed last
// Any other text becomes voiceover paragraphs without scenes, markup left literal.
namespace ScriptMarkdownParser {

// Accepts any text; new scenes are placeholders timed by their voiceover.
ParsedScript parse(const QString &text);

// At most 60 user-perceived characters: longer slide texts are cut to 57 and end in "…".
QString sceneTitle(const QString &slideText);

} // namespace ScriptMarkdownParser

} // namespace veskel
