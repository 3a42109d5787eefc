#include "VeskelApp/Editor/Script/ScriptTextLayout.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

namespace veskel::test {
namespace {

// Headings spaced as the script view spaces them, other lines with the body's spacing.
void applyFormats(QTextDocument &document)
{
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const bool heading = block.text().startsWith(QStringLiteral("# "));
        QTextBlockFormat format;
        format.setLineHeight(heading ? 4 : 8, QTextBlockFormat::LineDistanceHeight);
        format.setTopMargin(heading ? 14 : 0);
        format.setBottomMargin(heading ? 6 : 8);
        if (block.blockFormat() == format)
            continue;
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
    cursor.endEditBlock();
}

QString script(int scenes)
{
    QString text;
    for (int i = 0; i < scenes; ++i) {
        text += QStringLiteral("# Scene %1\n\nA voiceover long enough to wrap over several lines "
                               "of a narrow column, so that heights differ.\n\n> Slide %1\n\n")
                    .arg(i);
    }
    return text + QStringLiteral("The end.");
}

class LaidOutDocument
{
public:
    explicit LaidOutDocument(const QString &text)
    {
        m_layout = new ScriptTextLayout(&document);
        document.setDocumentLayout(m_layout);
        document.setPlainText(text);
        QTextFrameFormat frame = document.rootFrame()->frameFormat();
        frame.setMargin(0);
        frame.setTopMargin(30);
        frame.setBottomMargin(40);
        frame.setLeftMargin(12);
        frame.setRightMargin(12);
        document.rootFrame()->setFrameFormat(frame);
        applyFormats(document);
        document.setPageSize(QSizeF(320, -1));
    }

    ScriptTextLayout &layout() { return *m_layout; }

    // Every block's rectangle and its lines' tops, then the document's size.
    QList<QRectF> geometry()
    {
        m_layout->completeLayout();
        QList<QRectF> rects;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            rects << m_layout->blockBoundingRect(block);
            for (int i = 0; i < block.layout()->lineCount(); ++i)
                rects << block.layout()->lineAt(i).rect();
        }
        rects << QRectF(QPointF(), m_layout->documentSize());
        return rects;
    }

    QString text() const { return document.toRawText().replace(QChar::ParagraphSeparator, u'\n'); }

    QTextDocument document;

private:
    ScriptTextLayout *m_layout = nullptr;
};

struct Edit
{
    const char *name;
    int from;
    int removed;
    QString inserted;
};

// How much of the script was laid out before the edit: all of it, or the top only.
enum class Before { complete, top };

class ScriptTextLayoutEdits : public ::testing::TestWithParam<std::tuple<Edit, Before>>
{
};

// Whatever an edit does, the blocks end where laying out the edited script afresh puts them.
TEST_P(ScriptTextLayoutEdits, AnEditLeavesTheGeometryOfAFreshLayout)
{
    const auto &[edit, before] = GetParam();
    LaidOutDocument edited(script(12));
    if (before == Before::complete)
        edited.geometry();
    else
        edited.layout().blockBoundingRect(edited.document.findBlockByNumber(3));

    QTextCursor cursor(&edited.document);
    const int length = edited.document.characterCount() - 1;
    const int from = edit.from < 0 ? length + edit.from + 1 : edit.from;
    cursor.setPosition(from);
    cursor.setPosition(std::min(from + edit.removed, length), QTextCursor::KeepAnchor);
    cursor.insertText(edit.inserted);
    applyFormats(edited.document);

    LaidOutDocument fresh(edited.text());
    EXPECT_EQ(edited.geometry(), fresh.geometry()) << edit.name;
}

INSTANTIATE_TEST_SUITE_P(
    Edits,
    ScriptTextLayoutEdits,
    ::testing::Combine(::testing::Values(Edit{"a letter in a line", 40, 0, "x"},
                                         Edit{"words that wrap a line more", 12, 0,
                                              " and a good many more words here"},
                                         Edit{"a line broken in two", 40, 0, "\n"},
                                         Edit{"two lines joined", 9, 2, ""},
                                         Edit{"a paste of scenes", 60, 0,
                                              "one\n\n# New scene\n\ntwo\nthree"},
                                         Edit{"a cut across scenes", 30, 400, ""},
                                         Edit{"a line made a heading", 11, 0, "# "},
                                         Edit{"words at the end", -1, 0, "\nmore at the end"},
                                         Edit{"words at the start", 0, 0, "Draft.\n\n"},
                                         Edit{"everything replaced", 0, 100000, "# Only\n\nthis"}),
                       ::testing::Values(Before::complete, Before::top)),
    [](const auto &info) {
        QString name = QString::fromLatin1(std::get<0>(info.param).name);
        name.replace(u' ', u'_');
        return (name + (std::get<1>(info.param) == Before::top ? "_top" : "_all")).toStdString();
    });

// Edits at random, some asked about in between (a caret rectangle far down, a hit test), some
// left to the idle layout: the geometry is always a fresh layout's.
TEST(ScriptTextLayoutTest, RandomEditsKeepTheGeometryOfAFreshLayout)
{
    const QStringList pieces{
        "x",           "word ",
        "\n",          "\n\n",
        "# Heading\n", "> slide",
        "// note\n",   "a longer run of words that wraps the narrow column at least once "};
    QRandomGenerator random(20261207);
    LaidOutDocument edited(script(20));
    for (int step = 0; step < 120; ++step) {
        QTextCursor cursor(&edited.document);
        const int length = edited.document.characterCount() - 1;
        const int from = int(random.bounded(length + 1));
        cursor.setPosition(from);
        cursor.setPosition(std::min(length, from + int(random.bounded(40))),
                           QTextCursor::KeepAnchor);
        cursor.insertText(random.bounded(4) == 0 ? QString()
                                                 : pieces.at(random.bounded(pieces.size())));
        if (random.bounded(3) == 0)
            applyFormats(edited.document);
        const QTextBlock block
            = edited.document.findBlockByNumber(int(random.bounded(edited.document.blockCount())));
        if (random.bounded(2) == 0)
            edited.layout().blockBoundingRect(block);
        if (step % 10 == 9) {
            applyFormats(edited.document);
            LaidOutDocument fresh(edited.text());
            ASSERT_EQ(edited.geometry(), fresh.geometry()) << "after step " << step;
        }
    }
}

// A long script is laid out as far as it is asked for, the rest while the event loop idles;
// what is asked for stands where the whole layout puts it.
TEST(ScriptTextLayoutTest, ALongScriptIsLaidOutAsAskedAndTheRestWhenIdle)
{
    LaidOutDocument lazy(script(300));
    LaidOutDocument whole(script(300));
    const QList<QRectF> expected = whole.geometry();
    EXPECT_FALSE(lazy.layout().isComplete());

    const QTextBlock middle = lazy.document.findBlockByNumber(600);
    const QRectF rect = lazy.layout().blockBoundingRect(middle);
    EXPECT_EQ(rect, whole.layout().blockBoundingRect(whole.document.findBlockByNumber(600)));
    EXPECT_FALSE(lazy.layout().isComplete());

    while (!lazy.layout().isComplete())
        QCoreApplication::processEvents();
    EXPECT_EQ(lazy.geometry(), expected);
}

// A point turns into the position whose caret is drawn there; points off the text are taken to
// its nearest end unless the hit must be exact.
TEST(ScriptTextLayoutTest, HitTestFindsThePositionWhoseCaretIsThere)
{
    LaidOutDocument laidOut(script(3));
    ScriptTextLayout &layout = laidOut.layout();
    const int length = laidOut.document.characterCount() - 1;
    for (const int position : {0, 5, 20, 70, 100, 121, 200, length}) {
        const QTextBlock block = laidOut.document.findBlock(position);
        const QRectF rect = layout.blockBoundingRect(block);
        const QTextLine line = block.layout()->lineForTextPosition(position - block.position());
        ASSERT_TRUE(line.isValid()) << position;
        const QPointF caret
            = rect.topLeft()
              + QPointF(line.cursorToX(position - block.position()), line.y() + line.height() / 2);
        EXPECT_EQ(layout.hitTest(caret, Qt::FuzzyHit), position);
    }
    EXPECT_EQ(layout.hitTest(QPointF(100, -50), Qt::FuzzyHit), 0);
    EXPECT_EQ(layout.hitTest(QPointF(0, 1e6), Qt::FuzzyHit), length);
    EXPECT_EQ(layout.hitTest(QPointF(100, -50), Qt::ExactHit), -1);
    EXPECT_EQ(layout.hitTest(QPointF(315, 35), Qt::ExactHit), -1);
}

} // namespace
} // namespace veskel::test
