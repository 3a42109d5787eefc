#include "VeskelApp/Editor/Script/ScriptHighlighter.h"

#include "VeskelApp/Widgets/ColorMixing.h"

#include <QApplication>
#include <QPalette>

#include <algorithm>

namespace veskel {

namespace {

using Role = ScriptLineStyle::Role;

QFont sized(double pixels, QFont::Weight weight, bool italic)
{
    QFont font = QApplication::font();
    font.setPixelSize(std::max(1, qRound(pixels)));
    font.setWeight(weight);
    font.setItalic(italic);
    return font;
}

} // namespace

ScriptHighlighter::ScriptHighlighter(QTextDocument *document)
    : QSyntaxHighlighter(document)
{
    setStyle(17, 8, QApplication::palette());
}

void ScriptHighlighter::setStyle(double textSize, double lineSpacing, const QPalette &palette)
{
    m_lineSpacing = lineSpacing;
    const QColor label = palette.color(QPalette::Text);
    const QColor secondary = withAlpha(label, 0.55f);
    const QColor tertiary = withAlpha(label, 0.3f);

    QTextCharFormat body;
    body.setFont(sized(textSize, QFont::Normal, false));
    body.setForeground(label);
    QTextCharFormat heading;
    heading.setFont(sized(textSize + 2, QFont::DemiBold, false));
    heading.setForeground(label);
    QTextCharFormat note;
    note.setFont(sized(std::max(textSize - 2, 11.0), QFont::Normal, true));
    note.setForeground(secondary);
    QTextCharFormat onSlide;
    onSlide.setFont(sized(textSize, QFont::DemiBold, false));
    onSlide.setForeground(label);
    onSlide.setBackground(withAlpha(palette.color(QPalette::Highlight), 0.08f));

    m_formats[size_t(Role::body)] = body;
    m_formats[size_t(Role::heading)] = heading;
    m_formats[size_t(Role::note)] = note;
    m_formats[size_t(Role::onSlide)] = onSlide;
    for (size_t r = 0; r < m_formats.size(); ++r) {
        m_fadedFormats[r] = m_formats[r];
        m_fadedFormats[r].setForeground(tertiary);
    }
}

QTextBlockFormat ScriptHighlighter::blockFormat(Role role) const
{
    // Every script line is a block of its own, and Qt spaces only the wrapped lines inside a
    // block: the space after a block's last line is its bottom margin.
    double spacing = m_lineSpacing;
    double before = 0;
    double after = 0;
    switch (role) {
    case Role::heading:
        spacing = 4;
        before = 14;
        after = 2;
        break;
    case Role::note:
        spacing = 6;
        break;
    case Role::body:
    case Role::onSlide:
        break;
    }
    QTextBlockFormat format;
    format.setLineHeight(spacing, QTextBlockFormat::LineDistanceHeight);
    format.setTopMargin(before);
    format.setBottomMargin(spacing + after);
    return format;
}

void ScriptHighlighter::highlightBlock(const QString &text)
{
    if (text.isEmpty())
        return;
    const ScriptLineStyle style = ScriptLineStyle::of(text);
    const size_t role = size_t(style.role);
    setFormat(0, int(text.size()), m_formats[role]);
    if (style.fadedLength > 0)
        setFormat(0, style.fadedLength, m_fadedFormats[role]);
}

} // namespace veskel
