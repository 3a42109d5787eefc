#pragma once

#include "VeskelApp/Editor/Script/ScriptLineStyle.h"

#include <QSyntaxHighlighter>
#include <QTextBlockFormat>
#include <QTextCharFormat>

#include <array>

namespace veskel {

// Draws the script's markup in place: headings large, notes small and grey, on-slide lines
// bold on a faint accent, the markup characters faded. Only the lines an edit touches are
// restyled. Paragraph spacing lives in block formats, which a highlighter cannot set: the
// text view applies `blockFormat` to the blocks it changes.
class ScriptHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    explicit ScriptHighlighter(QTextDocument *document);

    // Rebuilds the formats; the caller restyles (the document may be detached meanwhile).
    void setStyle(double textSize, double lineSpacing, const QPalette &palette);

    QTextCharFormat bodyFormat() const { return format(ScriptLineStyle::Role::body); }
    QTextBlockFormat blockFormat(ScriptLineStyle::Role role) const;

protected:
    void highlightBlock(const QString &text) override;

private:
    QTextCharFormat format(ScriptLineStyle::Role role) const { return m_formats[size_t(role)]; }

    std::array<QTextCharFormat, 4> m_formats;
    std::array<QTextCharFormat, 4> m_fadedFormats;
    double m_lineSpacing = 8;
};

} // namespace veskel
