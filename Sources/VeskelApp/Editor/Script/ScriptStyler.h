#pragma once

class QString;
class QTextEdit;

namespace veskel {

class ScriptHighlighter;

// Block formats and highlighting of the text view's document. What typing touches is styled as
// it happens, by the highlighter and `applyBlockFormats`; a text the view is given whole is
// styled in one pass.
class ScriptStyler
{
public:
    ScriptStyler(QTextEdit &view, ScriptHighlighter &highlighter);

    // While true, the document's changes are formats, not the user's text.
    bool isStyling() const { return m_styling; }

    // The block formats of the blocks from the one holding `from` to the one holding `to`.
    void applyBlockFormats(int from, int to);
    // Everything anew in one pass, after the styles changed.
    void restyleAll();
    // The view's new text, styled.
    void setText(const QString &text);

private:
    QTextEdit &m_view;
    ScriptHighlighter &m_highlighter;
    bool m_styling = false;
};

} // namespace veskel
