#include "CardRenderer/CardTextDrawer.h"

#include "CardRenderer/CardFonts.h"

#include <QList>
#include <QPainter>
#include <QTextBoundaryFinder>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace veskel {

namespace {

const QChar ellipsis(0x2026);

QColor whiteLevel(qreal level)
{
    return QColor::fromRgbF(float(level), float(level), float(level));
}

// Lays out every line of `layout` from y = 0 downward; returns the total height.
qreal layOut(QTextLayout &layout, qreal width, qreal lineSpacing, bool wrap)
{
    QTextOption option;
    option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    qreal y = 0;
    bool first = true;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max<qreal>(width, 0));
        if (!first)
            y += lineSpacing;
        line.setPosition(QPointF(0, y));
        y += line.height();
        first = false;
    }
    layout.endLayout();
    return y;
}

// End positions of the user-perceived characters of `text`.
QList<qsizetype> graphemeEnds(const QString &text)
{
    QList<qsizetype> ends;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype position = finder.toNextBoundary(); position > 0;
         position = finder.toNextBoundary()) {
        ends.append(position);
    }
    return ends;
}

} // namespace

QString CardTextDrawer::layoutText(const QString &text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(u'\r', u'\n');
    result.replace(u'\n', QChar::LineSeparator);
    return result;
}

CardTextDrawer::CardTextDrawer(QPainter &painter, qreal canvasHeight, qreal scale)
    : m_painter(painter)
    , m_canvasHeight(canvasHeight)
    , m_scale(scale)
    , m_lineSpacing(10 * scale * 0.25)
{
}

QFont CardTextDrawer::titleFont() const
{
    return CardFonts::font(CardFonts::Face::bold, 52 * m_scale);
}

QFont CardTextDrawer::metaFont() const
{
    return CardFonts::font(CardFonts::Face::monoMedium, 24 * m_scale);
}

QFont CardTextDrawer::labelFont() const
{
    return CardFonts::font(CardFonts::Face::semiBold, 20 * m_scale);
}

QFont CardTextDrawer::bodyFont() const
{
    return CardFonts::font(CardFonts::Face::regular, 30 * m_scale);
}

QFont CardTextDrawer::typeLineFont() const
{
    return CardFonts::font(CardFonts::Face::monoMedium, 24 * m_scale);
}

CardTextDrawer::~CardTextDrawer() = default;

const CardTextDrawer::LaidOut &
CardTextDrawer::laidOut(const QString &text, const QFont &font, qreal width, bool wrap) const
{
    const auto found = std::find_if(m_laidOut.begin(), m_laidOut.end(), [&](const LaidOut &done) {
        return done.width == width && done.wrap == wrap && done.text == text && done.font == font;
    });
    if (found != m_laidOut.end())
        return *found;
    auto layout = std::make_unique<QTextLayout>(layoutText(text), font, m_painter.device());
    const qreal height = layOut(*layout, width, m_lineSpacing, wrap);
    return m_laidOut.emplace_back(LaidOut{text, font, width, wrap, std::move(layout), height});
}

qreal CardTextDrawer::measuredHeight(const QString &text, const QFont &font, qreal width) const
{
    return laidOut(text, font, width, true).height;
}

void CardTextDrawer::drawBlock(const QString &text,
                               const QFont &font,
                               const QColor &color,
                               QPointF origin,
                               qreal width,
                               qreal height,
                               bool wrap) const
{
    const QTextLayout &layout = *laidOut(text, font, width, wrap).layout;
    // The box's top edge in the canvas, whose y grows downward.
    const qreal top = m_canvasHeight - origin.y() - height;
    m_drawn.append({text, QRectF(origin.x(), top, width, height)});
    m_painter.save();
    m_painter.setPen(color);
    m_painter.setClipRect(QRectF(origin.x(), top, width, height));
    // A line that does not fit the box whole is not drawn, as a text container of that
    // height would not hold it.
    constexpr qreal tolerance = 0.01;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        if (line.y() + line.height() > height + tolerance)
            break;
        line.draw(&m_painter, QPointF(origin.x(), top));
    }
    m_painter.restore();
}

qreal CardTextDrawer::drawHeader(const QString &sceneNumber,
                                 const QString &title,
                                 const QString &metaLine,
                                 QPointF origin,
                                 qreal width) const
{
    const QString titleLine = QStringLiteral("Scene ") + sceneNumber + QStringLiteral(" \u00B7 ")
                              + (title.isEmpty() ? QStringLiteral("Untitled") : title);
    const QFont title1 = titleFont();
    const qreal titleHeight
        = std::min(std::ceil(measuredHeight(titleLine, title1, width)), 2.4 * title1.pointSizeF());
    drawBlock(titleLine, title1, whiteLevel(0.12), origin, width, titleHeight);

    const QFont meta = metaFont();
    const QPointF metaOrigin(origin.x(), origin.y() + titleHeight + 10 * m_scale);
    const qreal metaHeight
        = std::min(std::ceil(measuredHeight(metaLine, meta, width)), 1.8 * meta.pointSizeF());
    drawBlock(metaLine, meta, whiteLevel(0.35), metaOrigin, width, metaHeight);
    return titleHeight + 10 * m_scale + metaHeight;
}

CardTextDrawer::SectionResult CardTextDrawer::drawSection(const QString &label,
                                                          const QString &text,
                                                          QPointF origin,
                                                          qreal width,
                                                          qreal maximumBodyHeight) const
{
    const QString trimmed = text.trimmed();
    const QString body = trimmed.isEmpty() ? QStringLiteral("\u2014") : trimmed;
    const QFont bodyFace = bodyFont();
    const TruncatedText shortened = truncatedText(body, bodyFace, width, maximumBodyHeight);
    const qreal bodyHeight
        = std::min(std::ceil(measuredHeight(shortened.text, bodyFace, width)), maximumBodyHeight);
    drawBlock(shortened.text, bodyFace, whiteLevel(0.15), origin, width, bodyHeight);

    const QFont labelFace = labelFont();
    const qreal labelHeight = std::min(std::ceil(measuredHeight(label, labelFace, width)),
                                       1.5 * labelFace.pointSizeF());
    const QPointF labelOrigin(origin.x(), origin.y() + bodyHeight + 5 * m_scale);
    drawBlock(label, labelFace, whiteLevel(0.45), labelOrigin, width, labelHeight);
    return {labelHeight + 5 * m_scale + bodyHeight, shortened.truncated};
}

qreal CardTextDrawer::drawTypeLine(const QString &text, qreal x, qreal top, qreal width) const
{
    const QFont font = typeLineFont();
    const qreal height = laidOut(text, font, width, false).height;
    drawBlock(text, font, whiteLevel(0.4), QPointF(x, top - height), width, height, false);
    return height;
}

CardTextDrawer::TruncatedText CardTextDrawer::truncatedText(const QString &text,
                                                            const QFont &font,
                                                            qreal width,
                                                            qreal maximumHeight) const
{
    if (measuredHeight(text, font, width) <= maximumHeight)
        return {text, false};

    // Dropping characters one at a time from the end and taking the first candidate that fits
    // gives the longest fitting prefix. A candidate's height never shrinks as characters are
    // added, so the same prefix is found by galloping up from the start and then bisecting,
    // which measures only texts about as long as what fits.
    const QList<qsizetype> ends = graphemeEnds(text);
    const auto candidate = [&](qsizetype kept) {
        return kept == 0 ? QString(ellipsis) : text.left(ends[kept - 1]) + ellipsis;
    };
    const auto fits = [&](qsizetype kept) {
        return measuredHeight(candidate(kept), font, width) <= maximumHeight;
    };
    qsizetype fitting = 0;           // "…" alone is the answer when nothing else fits
    qsizetype tooLong = ends.size(); // the whole text does not fit

    // The whole text's lines tell where the answer lies: from the start of the last line that
    // fits (a cut in an earlier line fits, the ellipsis wrapping or not) to the end of the first
    // that does not (the start of a word that did not fit before may, shortened, but not the
    // whole of it). When both bounds measure as they should, the search is between them, else
    // from the first character.
    const QTextLayout &whole = *laidOut(text, font, width, true).layout;
    int lines = 0;
    while (lines < whole.lineCount()) {
        const QTextLine line = whole.lineAt(lines);
        if (line.y() + line.height() > maximumHeight)
            break;
        ++lines;
    }
    bool bracketed = false;
    if (lines > 0 && lines < whole.lineCount() && whole.text().size() == text.size()) {
        const auto keptThrough = [&ends](qsizetype position) {
            return qsizetype(std::upper_bound(ends.begin(), ends.end(), position) - ends.begin());
        };
        const QTextLine over = whole.lineAt(lines);
        const qsizetype low = keptThrough(whole.lineAt(lines - 1).textStart());
        const qsizetype high
            = std::min(keptThrough(over.textStart() + over.textLength()) + 1, tooLong);
        if (low < high && (low == 0 || fits(low)) && (high == tooLong || !fits(high))) {
            fitting = low;
            tooLong = high;
            bracketed = true;
        }
    }
    for (qsizetype step = 1; !bracketed && fitting + step < tooLong; step *= 2) {
        if (!fits(fitting + step)) {
            tooLong = fitting + step;
            break;
        }
        fitting += step;
    }
    while (tooLong - fitting > 1) {
        const qsizetype middle = fitting + (tooLong - fitting) / 2;
        if (fits(middle))
            fitting = middle;
        else
            tooLong = middle;
    }
    return {candidate(fitting), true};
}

} // namespace veskel
