#include "VeskelApp/Editor/Script/ScriptStyler.h"

#include "VeskelApp/Editor/Script/ScriptHighlighter.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

namespace veskel {

namespace {

// Sets a flag for the length of a scope and puts back what it was.
class Raised
{
public:
    explicit Raised(bool &flag)
        : m_flag(flag)
        , m_was(flag)
    {
        m_flag = true;
    }
    ~Raised() { m_flag = m_was; }
    Raised(const Raised &) = delete;
    Raised &operator=(const Raised &) = delete;

private:
    bool &m_flag;
    bool m_was;
};

} // namespace

ScriptStyler::ScriptStyler(QTextEdit &view, ScriptHighlighter &highlighter)
    : m_view(view)
    , m_highlighter(highlighter)
{
}

void ScriptStyler::applyBlockFormats(int from, int to)
{
    const Raised styling(m_styling);
    QTextDocument *document = m_view.document();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (QTextBlock block = document->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        const QTextBlockFormat wanted
            = m_highlighter.blockFormat(ScriptLineStyle::of(block.text()).role);
        if (block.blockFormat() == wanted)
            continue;
        cursor.setPosition(block.position());
        cursor.setBlockFormat(wanted);
    }
    cursor.endEditBlock();
}

void ScriptStyler::restyleAll()
{
    const Raised styling(m_styling);
    // One pass: block formats with the highlighter detached, then one highlight of everything.
    m_highlighter.setDocument(nullptr);
    applyBlockFormats(0, int(m_view.document()->characterCount()));
    m_highlighter.setDocument(m_view.document());
    // At once: typing before the highlighter's own deferred pass would cancel it.
    m_highlighter.rehighlight();
}

void ScriptStyler::setText(const QString &text)
{
    const Raised styling(m_styling);
    m_highlighter.setDocument(nullptr);
    m_view.setPlainText(text);
    applyBlockFormats(0, int(text.size()) + 1);
    m_highlighter.setDocument(m_view.document());
    m_highlighter.rehighlight();
}

} // namespace veskel
