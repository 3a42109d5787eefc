#pragma once

#include "ExportKit/StoryboardPDFInput.h"

#include <QByteArray>
#include <QString>

#include <expected>

namespace veskel {

// The storyboard for the people who approve a video: landscape pages of six scenes in two
// rows, each with its reference image (or a quiet placeholder naming its type), its clip name,
// duration and type, and its on-screen text, voiceover and note, cut with "…" where they do
// not fit. A header names the project, its total duration, format and the export date; the
// footer numbers the pages ("3 / 5"). Text is real text in the bundled card fonts, embedded,
// so it can be selected and searched. Labels follow the installed translator. Stateless; any
// thread.
namespace StoryboardPDFWriter {

inline QString fileName()
{
    return QStringLiteral("storyboard.pdf");
}

constexpr int scenesPerPage = 6;

// The document's bytes, or why it could not be drawn.
std::expected<QByteArray, QString> write(const StoryboardPDFInput &input);

} // namespace StoryboardPDFWriter

} // namespace veskel
