#include "FCPXMLKit/XMLEscaping.h"

#include "FCPXMLTestSupport.h"

#include <gtest/gtest.h>

using namespace veskel;

namespace {

struct EscapeCase
{
    QString text;
    QString escaped;
};

// Control characters and lone surrogates shown as code units.
void PrintTo(const EscapeCase &c, std::ostream *out)
{
    for (QChar unit : c.text) {
        if (unit.unicode() < 0x20 || unit.isSurrogate() || unit.unicode() >= 0xFFFE)
            *out << "\\u" << QString::number(unit.unicode(), 16).toStdString();
        else
            *out << QString(unit).toStdString();
    }
}

class XMLEscape : public ::testing::TestWithParam<EscapeCase>
{
};

TEST_P(XMLEscape, Text)
{
    EXPECT_EQ(XMLEscaping::escape(GetParam().text), GetParam().escaped);
}

QString withUnits(std::initializer_list<char16_t> units)
{
    QString text;
    for (char16_t unit : units)
        text += QChar(unit);
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    XMLEscape,
    ::testing::Values(
        EscapeCase{QStringLiteral("a & b < c > d \" e ' f"),
                   QStringLiteral("a &amp; b &lt; c &gt; d &quot; e &apos; f")},
        // An entity already in the text is text: its ampersand is escaped once.
        EscapeCase{QStringLiteral("&lt;&amp;"), QStringLiteral("&amp;lt;&amp;amp;")},
        EscapeCase{QStringLiteral("tab\tlf\ncr\r\n"), QStringLiteral("tab&#9;lf&#10;cr&#13;&#10;")},
        EscapeCase{QStringLiteral("Привет 🎬 \uFFFD\uE000"),
                   QStringLiteral("Привет 🎬 \uFFFD\uE000")},
        EscapeCase{QStringLiteral("\x00"
                                  "a\x01\x08\x0B\x0C\x1F"
                                  "b"),
                   QStringLiteral("ab")},
        EscapeCase{withUnits({u'a', 0xFFFE, u'b', 0xFFFF, u'c'}), QStringLiteral("abc")},
        // Lone surrogates go, pairs stay (U+1F3AC, U+10FFFF).
        EscapeCase{withUnits({0xDC00, u'a', 0xD800, 0xD83C, 0xDFAC, 0xD800}),
                   withUnits({u'a', 0xD83C, 0xDFAC})},
        EscapeCase{withUnits({0xDBFF, 0xDFFF, u'<'}),
                   withUnits({0xDBFF, 0xDFFF, u'&', u'l', u't', u';'})},
        EscapeCase{QString(), QString()}));

} // namespace
