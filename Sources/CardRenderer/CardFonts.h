#pragma once

#include <QFont>

namespace veskel {

// The typefaces compiled into the program for card text: Inter (regular, semibold, bold)
// stands for the system font, JetBrains Mono Medium for the monospaced one. Cards are drawn
// only with these, so a card looks the same on every machine.
namespace CardFonts {

enum class Face { regular, semiBold, bold, monoMedium };

// Registers the bundled faces with the font database once per process; safe to call from
// any thread once a QGuiApplication exists. False when they could not be registered.
bool ensureRegistered();

// The face at `size` card points. Cards are drawn on a 72-dpi canvas, so one point is one
// pixel; the size may be fractional.
QFont font(Face face, qreal size);

// Logical dots per meter of card canvases and measuring devices: 72 dpi.
constexpr int canvasDotsPerMeter = 2835;

} // namespace CardFonts

} // namespace veskel
