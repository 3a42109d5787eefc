#include "VeskelApp/Editor/Script/DocumentTextView.h"

#include "VeskelApp/Editor/EditorLog.h"
#include "VeskelApp/Editor/Markup/ScriptMarkupTransform.h"
#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Editor/Script/EditorTheme.h"
#include "VeskelApp/Editor/Script/FocusRange.h"
#include "VeskelApp/Editor/Script/SceneBandCalculator.h"
#include "VeskelApp/Editor/Script/ScriptBlockRoleAppearance.h"
#include "VeskelApp/Editor/Script/ScriptHighlighter.h"
#include "VeskelApp/Editor/Script/ScriptStyler.h"
#include "VeskelApp/Editor/Script/ScriptTextLayout.h"
#include "VeskelApp/Editor/Script/ScrollTarget.h"
#include "VeskelApp/Icons/IconProvider.h"
#include "VeskelApp/Settings/AppearanceController.h"
#include "VeskelApp/Settings/Preferences.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTimer>
#include <QVariantAnimation>

#include <algorithm>

namespace veskel {

namespace {
constexpr int topSpace = 36;
constexpr int bottomSpace = 120;
} // namespace

DocumentTextView::DocumentTextView(ProjectEditorViewModel &model,
                                   Preferences &preferences,
                                   QWidget *parent)
    : QTextEdit(parent)
    , m_model(&model)
    , m_preferences(&preferences)
{
    setObjectName(QStringLiteral("scriptEditor"));
    auto *text = new QTextDocument(this);
    m_layout = new ScriptTextLayout(text);
    text->setDocumentLayout(m_layout);
    setDocument(text);
    setAcceptRichText(false);
    setUndoRedoEnabled(false);
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(false);
    setCursorWidth(2);
    // Paper also beside the column, under the gutter and the margin.
    setAutoFillBackground(true);
    document()->setDocumentMargin(0);

    m_highlighter = new ScriptHighlighter(document());
    m_styler = std::make_unique<ScriptStyler>(*this, *m_highlighter);
    m_scroll = new QVariantAnimation(this);
    m_scroll->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_scroll, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        verticalScrollBar()->setValue(qRound(value.toDouble()));
    });

    m_focusMode = m_preferences->focusMode();
    applyStyle();
    takeModelText();

    connect(document(), &QTextDocument::contentsChange, this, &DocumentTextView::noteChange);
    connect(this, &QTextEdit::textChanged, this, &DocumentTextView::handOverText);
    connect(this, &QTextEdit::cursorPositionChanged, this, [this] {
        refreshFocusHighlight();
        scrollCaretToTypewriterLine();
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &DocumentTextView::onScroll);

    connect(&model, &ProjectEditorViewModel::documentTextChanged, this,
            &DocumentTextView::takeModelText);
    connect(&model, &ProjectEditorViewModel::projectChanged, this,
            &DocumentTextView::scheduleBandsUpdate);
    connect(&model, &ProjectEditorViewModel::documentRevealChanged, this, [this] {
        const auto &reveal = m_model->documentReveal();
        if (!reveal || reveal == m_handledReveal)
            return;
        m_handledReveal = reveal;
        perform(*reveal);
    });
    connect(&model, &ProjectEditorViewModel::markupCommandChanged, this, [this] {
        const auto &command = m_model->markupCommand();
        if (!command || command == m_handledMarkup)
            return;
        m_handledMarkup = command;
        perform(*command);
    });
    connect(&model, &ProjectEditorViewModel::activeSearchQueryChanged, this,
            [this] { refreshSearchHighlight(m_model->activeSearchQuery()); });
    connect(m_preferences, &Preferences::changed, this, [this](const QString &key) {
        if (key == EditorTheme::textSize.key || key == EditorTheme::lineSpacing.key) {
            applyStyle();
            restyleAll();
        } else if (key == EditorTheme::columnWidth.key) {
            updateColumn();
        } else if (key == Preferences::focusModeKey) {
            m_focusMode = m_preferences->focusMode();
            applyFrameMargins();
            refreshFocusHighlight();
            scrollCaretToTypewriterLine();
        }
    });

    m_lastScrollY = scrollY();
    refreshSearchHighlight(model.activeSearchQuery());
    refreshFocusHighlight();
    scheduleBandsUpdate();
}

int DocumentTextView::scrollY() const
{
    return verticalScrollBar()->value();
}

void DocumentTextView::setSideAreas(const ColumnFit::Sides &full, const ColumnFit::Sides &compact)
{
    m_fullSides = full;
    m_compactSides = compact;
    updateColumn();
}

// --- styling -----------------------------------------------------------------------------------

void DocumentTextView::applyStyle()
{
    m_styledForPalette = QApplication::palette().cacheKey();
    const double size = m_preferences->editorNumber(EditorTheme::textSize);
    m_highlighter->setStyle(size, m_preferences->editorNumber(EditorTheme::lineSpacing), palette());
    // Empty lines take the body's height.
    document()->setDefaultFont(m_highlighter->bodyFormat().font());
    setCurrentCharFormat(m_highlighter->bodyFormat());
    applyPaper();
    applyFrameMargins();
}

void DocumentTextView::restyleAll()
{
    m_styler->restyleAll();
    scheduleBandsUpdate();
}

void DocumentTextView::applyPaper()
{
    const QColor paper = EditorTheme::paper(AppearanceController::looksDark());
    if (palette().color(QPalette::Base) == paper)
        return;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, paper);
    pal.setColor(QPalette::Window, paper);
    setPalette(pal);
}

void DocumentTextView::changeEvent(QEvent *event)
{
    QTextEdit::changeEvent(event);
    // Colours and paper follow the appearance, which arrives as a change of this view's own
    // palette (it sets its paper); setting its paper comes back here, for the same palette.
    const bool paletteEvent = event->type() == QEvent::ApplicationPaletteChange
                              || event->type() == QEvent::PaletteChange;
    if (paletteEvent && QApplication::palette().cacheKey() != m_styledForPalette) {
        applyStyle();
        restyleAll();
    }
}

void DocumentTextView::applyFrameMargins()
{
    const double vertical = m_focusMode == FocusMode::typewriter
                                ? ScrollTarget::typewriterPadding(viewport()->height())
                                : -1;
    QTextFrameFormat format = document()->rootFrame()->frameFormat();
    const double top = (vertical < 0 ? topSpace : vertical) + textInset;
    const double bottom = (vertical < 0 ? bottomSpace : vertical) + textInset;
    const double side = m_fit.sides.padding + textInset;
    if (format.topMargin() == top && format.bottomMargin() == bottom && format.leftMargin() == side
        && format.rightMargin() == side)
        return;
    format.setTopMargin(top);
    format.setBottomMargin(bottom);
    format.setLeftMargin(side);
    format.setRightMargin(side);
    const bool wasFormatting = m_formattingBlocks;
    m_formattingBlocks = true;
    document()->rootFrame()->setFrameFormat(format);
    m_formattingBlocks = wasFormatting;
    scheduleBandsUpdate();
}

void DocumentTextView::updateColumn()
{
    // A centred column no wider than the stored width, the gutter and margin beside it; the
    // paper around belongs to the view, so the scroll bar stays at the window's edge.
    const int column = int(m_preferences->editorNumber(EditorTheme::columnWidth));
    const int available = width() - verticalScrollBar()->sizeHint().width();
    m_fit = ColumnFit::fit(available, column, m_fullSides, m_compactSides);
    const int free = m_fit.free;
    const QMargins margins(free / 2 + m_fit.leftArea(), 0, free - free / 2 + m_fit.rightArea(), 0);
    if (viewportMargins() != margins)
        setViewportMargins(margins);
    applyFrameMargins();
    emit columnChanged();
}

void DocumentTextView::resizeEvent(QResizeEvent *event)
{
    updateColumn();
    QTextEdit::resizeEvent(event);
    applyFrameMargins();
    scheduleBandsUpdate();
    emit columnChanged();
}

// --- keeping view and model in step ------------------------------------------------------------

QString DocumentTextView::readTypedText() const
{
    // Plain text would turn no-break spaces into spaces and line separators into line feeds;
    // the user's characters go to the model as they are, paragraph breaks as line feeds.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

void DocumentTextView::followText(int from, int removed, int added)
{
    // The document's last paragraph separator is not part of the text.
    const int end = std::min(from + added, document()->characterCount() - 1);
    const qsizetype oldEnd = std::min<qsizetype>(qsizetype(from) + removed, m_typed.size());
    if (from < 0 || from > m_typed.size() || end < from) {
        m_typed = readTypedText();
        m_difference.reset();
        return;
    }
    QString piece;
    if (end > from) {
        QTextCursor cursor(document());
        cursor.setPosition(from);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        piece = cursor.selectedText();
        piece.replace(QChar::ParagraphSeparator, u'\n');
    }
    // A change of formats only hands back the same characters.
    if (QStringView(m_typed).sliced(from, oldEnd - from) == piece)
        return;
    // While the model holds this very text, where the two will differ is known.
    const bool modelHoldsIt = m_model && !m_difference
                              && m_model->documentText().constData() == m_typed.constData()
                              && m_model->documentText().size() == m_typed.size();
    m_difference = modelHoldsIt ? std::optional(TextDifference{from, m_typed.size() - oldEnd})
                                : std::nullopt;
    m_typed.replace(from, oldEnd - from, piece);
    if (m_typed.size() != document()->characterCount() - 1) {
        m_typed = readTypedText();
        m_difference.reset();
    }
    Q_ASSERT_X(m_typed == readTypedText(), "DocumentTextView", "typed text out of step");
}

void DocumentTextView::takeModelText()
{
    // While our own text goes to the model, what comes back is that same text.
    if (!m_model || m_handingOver)
        return;
    const QString text = m_model->documentText();
    if (text == typedText())
        return;
    // The model rewrote the document (an operation, undo): show it, keeping the caret where
    // it was as far as the new text allows.
    const QTextCursor old = textCursor();
    const int length = int(text.size());
    const int start = std::min(old.selectionStart(), length);
    const int end = std::min(old.selectionEnd(), length);
    const int scroll = scrollY();
    m_takingModelText = true;
    m_styler->setText(text);
    m_typed = readTypedText();
    m_difference.reset();
    applyFrameMargins();
    m_changed.reset();
    QTextCursor restored(document());
    restored.setPosition(start);
    restored.setPosition(end, QTextCursor::KeepAnchor);
    setTextCursor(restored);
    m_takingModelText = false;
    m_layout->showThrough(scroll + viewport()->height());
    verticalScrollBar()->setValue(scroll);
    refreshSearchHighlight(m_activeSearchQuery);
    refreshFocusHighlight();
    scheduleBandsUpdate();
}

void DocumentTextView::noteChange(int from, int removed, int added)
{
    followText(from, removed, added);
    if (m_takingModelText || m_formattingBlocks || m_styler->isStyling())
        return;
    const int to = from + added;
    m_changed = m_changed
                    ? std::pair(std::min(m_changed->first, from), std::max(m_changed->second, to))
                    : std::pair(from, to);
}

void DocumentTextView::handOverText()
{
    if (m_takingModelText || m_formattingBlocks || m_styler->isStyling() || !m_model)
        return;
    if (m_changed) {
        const auto [from, to] = *m_changed;
        m_changed.reset();
        m_styler->applyBlockFormats(from, to);
    }
    m_handingOver = true;
    m_model->applyDocumentText(m_typed, std::exchange(m_difference, std::nullopt));
    m_handingOver = false;
    refreshSearchHighlight(m_activeSearchQuery);
    refreshFocusHighlight();
    scrollCaretToTypewriterLine();
    scheduleBandsUpdate();
}

void DocumentTextView::keyPressEvent(QKeyEvent *event)
{
    if (m_model && event->matches(QKeySequence::Undo)) {
        m_model->undo();
        return;
    }
    if (m_model
        && (event->matches(QKeySequence::Redo)
            || event->keyCombination()
                   == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z))) {
        m_model->redo();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // Qt's own Return resets the format of an empty line instead of breaking it when that
        // format is not the default one, which the line spacing makes every line's.
        QTextCursor cursor = textCursor();
        cursor.insertBlock();
        setTextCursor(cursor);
        ensureCursorVisible();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

// --- display-only highlights -------------------------------------------------------------------

void DocumentTextView::refreshFocusHighlight()
{
    m_focusSelections.clear();
    // Blocks are read from the model's parse, which follows every handed-over keystroke.
    const QString text = dimsSurroundings(m_focusMode) && m_model ? typedText() : QString();
    const auto focus = m_model && text == m_model->documentText()
                           ? FocusRange::around(m_focusMode, text, m_model->documentLayout(),
                                                textCursor().selectionStart())
                           : std::nullopt;
    if (focus) {
        QTextCharFormat dim;
        QColor faded = palette().color(QPalette::Text);
        faded.setAlphaF(0.3f);
        dim.setForeground(faded);
        const auto addDimmed = [&](qsizetype from, qsizetype to) {
            if (to <= from)
                return;
            QTextCursor cursor(document());
            cursor.setPosition(int(from));
            cursor.setPosition(int(to), QTextCursor::KeepAnchor);
            m_focusSelections.append({cursor, dim});
        };
        addDimmed(0, focus->location);
        addDimmed(focus->end(), text.size());
    }
    updateExtraSelections();
}

void DocumentTextView::refreshSearchHighlight(const SearchQuery &query)
{
    m_activeSearchQuery = query;
    m_searchSelections.clear();
    if (!query.isEmpty() && m_model) {
        QTextCharFormat found;
        QColor yellow(0xFF, 0xCC, 0x00);
        yellow.setAlphaF(0.35f);
        found.setBackground(yellow);
        for (const ScriptSearchMatch &match : m_model->searchMatches(query)) {
            QTextCursor cursor(document());
            cursor.setPosition(int(match.range.location));
            cursor.setPosition(int(match.range.end()), QTextCursor::KeepAnchor);
            m_searchSelections.append({cursor, found});
        }
    }
    updateExtraSelections();
}

void DocumentTextView::updateExtraSelections()
{
    setExtraSelections(m_searchSelections + m_focusSelections);
}

// --- scrolling ---------------------------------------------------------------------------------

void DocumentTextView::animateScrollTo(double target, int durationMs)
{
    m_scroll->stop();
    m_scroll->setDuration(durationMs);
    m_scroll->setStartValue(double(scrollY()));
    m_scroll->setEndValue(target);
    m_scroll->start();
}

void DocumentTextView::onScroll(int value)
{
    if (value != m_lastScrollY) {
        m_lastScrollY = value;
        // Bands are measured near the screen only, so scrolling brings new ones.
        scheduleBandsUpdate();
        emit scrolled();
    }
}

void DocumentTextView::scrollCaretToTypewriterLine()
{
    if (m_focusMode != FocusMode::typewriter || m_takingModelText)
        return;
    const QRect caret = cursorRect();
    const double middle = caret.center().y() + scrollY();
    const double documentHeight = verticalScrollBar()->maximum() + viewport()->height();
    if (const auto target
        = ScrollTarget::typewriter(middle, viewport()->height(), documentHeight, scrollY()))
        animateScrollTo(*target, typewriterScrollMs);
}

void DocumentTextView::perform(const DocumentReveal &reveal)
{
    const qsizetype length = document()->characterCount() - 1;
    const qsizetype start = std::clamp<qsizetype>(reveal.range.location, 0, length);
    const qsizetype end = std::clamp<qsizetype>(reveal.range.end(), start, length);
    if (reveal.select) {
        // A search field stepping through matches keeps the keyboard.
        const QWidget *focused = QApplication::focusWidget();
        if (!qobject_cast<const QLineEdit *>(focused))
            setFocus();
        QTextCursor cursor(document());
        cursor.setPosition(int(start));
        cursor.setPosition(int(end), QTextCursor::KeepAnchor);
        setTextCursor(cursor);
    }
    const double top = extent(TextRange{start, end - start}).first;
    const double documentHeight = verticalScrollBar()->maximum() + viewport()->height();
    if (const auto target
        = ScrollTarget::reveal(top, viewport()->height(), documentHeight, scrollY()))
        animateScrollTo(*target, revealScrollMs);
}

// --- markup ------------------------------------------------------------------------------------

void DocumentTextView::perform(const MarkupCommand &command)
{
    setFocus();
    if (document()->isEmpty()) {
        insertPlainText(ScriptMarkupTransform::prefix(command.kind));
        return;
    }
    rewriteSelectedLines(command.kind);
}

void DocumentTextView::applyRole(ScriptBlockRole role)
{
    perform(MarkupCommand{MarkupCommand::Kind::role(role), QString()});
}

void DocumentTextView::rewriteSelectedLines(const MarkupCommand::Kind &kind)
{
    const QTextCursor selection = textCursor();
    const int start = selection.selectionStart();
    int end = selection.selectionEnd();
    // A selection that ends where a line starts does not take that line in.
    if (end > start && document()->findBlock(end).position() == end)
        --end;
    const QTextBlock first = document()->findBlock(start);
    const QTextBlock last = document()->findBlock(end);
    QTextCursor lines(document());
    lines.setPosition(first.position());
    lines.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
    const QString original = lines.selectedText().replace(QChar::ParagraphSeparator, u'\n');
    const QString transformed = ScriptMarkupTransform::transformLines(original, kind);
    if (transformed == original)
        return;
    // Inserted as typing is, so the model parses it and undo takes it with the typing run.
    lines.insertText(transformed);
}

void DocumentTextView::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu(event->pos());
    // Undo belongs to the model, not to Qt's own history of the text.
    const auto rewire
        = [&](const char *name, bool enabled, void (ProjectEditorViewModel::*step)()) {
              QAction *action = menu->findChild<QAction *>(QString::fromLatin1(name));
              if (!action || !m_model)
                  return;
              action->disconnect();
              action->setEnabled(enabled);
              connect(action, &QAction::triggered, m_model, step);
          };
    rewire("edit-undo", m_model && m_model->canUndo(), &ProjectEditorViewModel::undo);
    rewire("edit-redo", m_model && m_model->canRedo(), &ProjectEditorViewModel::redo);
    QAction *first = menu->actions().value(0);
    for (ScriptBlockRole role : EnumTraits<ScriptBlockRole>::allCases) {
        auto *action = new QAction(IconProvider::icon(ScriptBlockRoleAppearance::symbolName(role)),
                                   ScriptBlockRoleAppearance::menuName(role), menu);
        action->setData(rawValue(role));
        connect(action, &QAction::triggered, this, [this, action] {
            if (const auto chosen = fromRawValue<ScriptBlockRole>(action->data().toString()))
                applyRole(*chosen);
        });
        menu->insertAction(first, action);
    }
    menu->insertSeparator(first);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

// --- scene bands -------------------------------------------------------------------------------

void DocumentTextView::paintEvent(QPaintEvent *event)
{
    QTextEdit::paintEvent(event);
    if (!m_drawnScript && !document()->isEmpty()) {
        m_drawnScript = true;
        // The start-up measurement waits for this line.
        qCInfo(veskelEditorLog) << "script drawn";
    }
    if (!m_model || m_bands.isEmpty())
        return;
    // The dashed thread from a scene's heading to its reference thumbnail in the margin starts
    // here, after the heading's words.
    QPainter painter(viewport());
    QColor thread = palette().color(QPalette::Text);
    thread.setAlphaF(0.3f);
    painter.setPen(QPen(thread, 1, Qt::DashLine));
    const ScriptDocumentLayout &layout = m_model->documentLayout();
    for (const Scene &scene : m_model->project().scenes) {
        if (!scene.image)
            continue;
        const auto heading = layout.sceneHeadingRanges.constFind(scene.id);
        if (heading == layout.sceneHeadingRanges.cend()
            || heading->end() > document()->characterCount() - 1)
            continue;
        const QTextBlock block = document()->findBlock(int(heading->location));
        const QTextLine line = block.layout()->lineAt(0);
        if (!line.isValid())
            continue;
        const QRectF rect = document()->documentLayout()->blockBoundingRect(block);
        const double y = rect.top() + line.y() + 10 - scrollY();
        if (y < 0 || y > viewport()->height())
            continue;
        const double x = rect.left() + line.naturalTextWidth() + 12;
        if (x < viewport()->width())
            painter.drawLine(QPointF(x, y), QPointF(viewport()->width(), y));
    }
}

void DocumentTextView::scheduleBandsUpdate()
{
    if (m_bandsUpdateScheduled)
        return;
    m_bandsUpdateScheduled = true;
    QTimer::singleShot(0, this, &DocumentTextView::computeBands);
}

std::pair<double, double> DocumentTextView::extent(const TextRange &range) const
{
    QAbstractTextDocumentLayout *layout = document()->documentLayout();
    const auto lineEdge = [&](qsizetype position, bool bottom) {
        const QTextBlock block = document()->findBlock(int(position));
        const QRectF rect = layout->blockBoundingRect(block);
        const QTextLine line
            = block.layout()->lineForTextPosition(int(position - block.position()));
        if (!line.isValid())
            return bottom ? rect.bottom() : rect.top();
        return rect.top() + line.y() + (bottom ? line.height() : 0);
    };
    const double top = lineEdge(range.location, false);
    const double bottom = lineEdge(std::max(range.location, range.end() - 1), true);
    return {top, std::max(top, bottom)};
}

void DocumentTextView::computeBands()
{
    m_bandsUpdateScheduled = false;
    if (!m_model)
        return;
    // The part of the text on screen, with a screen to spare above and below.
    QAbstractTextDocumentLayout *layout = document()->documentLayout();
    const double height = viewport()->height();
    const int from = layout->hitTest(QPointF(0, scrollY() - height), Qt::FuzzyHit);
    const int to
        = layout->hitTest(QPointF(viewport()->width(), scrollY() + 2 * height), Qt::FuzzyHit);
    const std::optional<TextRange> window
        = from < 0 || to < 0 ? std::nullopt
                             : std::optional(TextRange{from, std::max(0, to - from)});
    QList<SceneBand> bands = SceneBandCalculator::compute(
        m_model->documentLayout(), document()->characterCount() - 1,
        [this](const TextRange &range) { return extent(range); }, window);
    if (bands == m_bands)
        return;
    m_bands = std::move(bands);
    emit bandsChanged();
}

} // namespace veskel
