#include "VeskelApp/Editor/Search/ScriptSearchPanel.h"

#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Editor/Script/ScriptBlockRoleAppearance.h"
#include "VeskelApp/Icons/IconProvider.h"
#include "VeskelApp/Widgets/ColorMixing.h"
#include "VeskelApp/Widgets/SceneTypeAppearance.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace veskel {

namespace {

QToolButton *symbolButton(const char *symbol, const QString &tip)
{
    auto *button = new QToolButton;
    button->setIcon(IconProvider::icon(QString::fromLatin1(symbol)));
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}

QString colored(const QString &text, const QColor &color, bool bold = false)
{
    return QStringLiteral("<span style=\"color:%1;%2\">%3</span>")
        .arg(color.name(QColor::HexArgb), bold ? QStringLiteral("font-weight:600;") : QString(),
             text.toHtmlEscaped());
}

} // namespace

ScriptSearchPanel::ScriptSearchPanel(ProjectEditorViewModel &model, QWidget *parent)
    : QFrame(parent)
    , m_model(&model)
    , m_state(model)
{
    setObjectName(QStringLiteral("ScriptSearchPanel"));
    // Narrower in a small window, so opening it never widens the window.
    setMinimumWidth(minimumPanelWidth);
    setMaximumWidth(panelWidth);
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(8);

    auto *searchRow = new QHBoxLayout;
    searchRow->setSpacing(2);
    m_field = new QLineEdit(m_state.query().text);
    m_field->setObjectName(QStringLiteral("searchField"));
    m_field->setPlaceholderText(tr("Search"));
    m_field->setClearButtonEnabled(true);
    m_field->addAction(IconProvider::icon(QStringLiteral("magnifyingglass")),
                       QLineEdit::LeadingPosition);
    m_field->installEventFilter(this);
    m_counter = new QLabel;
    m_counter->setObjectName(QStringLiteral("matchCounter"));
    m_counter->setForegroundRole(QPalette::PlaceholderText);
    m_previous = symbolButton("chevron.up", QString());
    m_next = symbolButton("chevron.down", QString());
    m_replaceToggle = symbolButton("arrow.2.squarepath", tr("Find and replace"));
    m_replaceToggle->setObjectName(QStringLiteral("replaceToggle"));
    m_replaceToggle->setCheckable(true);
    QToolButton *close = symbolButton("xmark.circle.fill", QString());
    searchRow->addWidget(m_field, 1);
    searchRow->addWidget(m_counter);
    searchRow->addWidget(m_previous);
    searchRow->addWidget(m_next);
    searchRow->addWidget(m_replaceToggle);
    searchRow->addWidget(close);
    layout->addLayout(searchRow);

    auto *optionsRow = new QHBoxLayout;
    optionsRow->setSpacing(12);
    m_matchCase = new QCheckBox(tr("Match case"));
    m_matchCase->setObjectName(QStringLiteral("matchCase"));
    m_matchCase->setChecked(m_state.query().matchCase);
    m_wholeWords = new QCheckBox(tr("Whole words"));
    m_wholeWords->setObjectName(QStringLiteral("wholeWords"));
    m_wholeWords->setChecked(m_state.query().wholeWords);
    optionsRow->addWidget(m_matchCase);
    optionsRow->addWidget(m_wholeWords);
    optionsRow->addStretch(1);
    layout->addLayout(optionsRow);

    m_replaceRow = new QWidget;
    auto *replaceRow = new QHBoxLayout(m_replaceRow);
    replaceRow->setContentsMargins(0, 0, 0, 0);
    replaceRow->setSpacing(4);
    m_replacement = new QLineEdit;
    m_replacement->setObjectName(QStringLiteral("replacementField"));
    m_replacement->setPlaceholderText(tr("Replace with"));
    auto *replaceOne = new QPushButton(tr("Replace"));
    replaceOne->setObjectName(QStringLiteral("replaceOne"));
    auto *replaceAll = new QPushButton(tr("All"));
    replaceAll->setObjectName(QStringLiteral("replaceAll"));
    replaceAll->setToolTip(tr("Replace all occurrences"));
    replaceRow->addWidget(m_replacement, 1);
    replaceRow->addWidget(replaceOne);
    replaceRow->addWidget(replaceAll);
    m_replaceRow->setVisible(false);
    layout->addWidget(m_replaceRow);

    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("searchResults"));
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setWordWrap(true);
    softenSelection();
    // Wrapped rows take the height their text needs at the list's real width, known only once
    // the list is laid out.
    m_list->viewport()->installEventFilter(this);
    layout->addWidget(m_list, 1);
    m_empty = new QLabel;
    m_empty->setObjectName(QStringLiteral("searchEmpty"));
    m_empty->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_empty->setForegroundRole(QPalette::PlaceholderText);
    layout->addWidget(m_empty, 1);

    connect(m_field, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_state.setQuery(text);
        refresh();
    });
    connect(m_matchCase, &QCheckBox::toggled, this, [this](bool on) {
        m_state.setMatchCase(on);
        refresh();
    });
    connect(m_wholeWords, &QCheckBox::toggled, this, [this](bool on) {
        m_state.setWholeWords(on);
        refresh();
    });
    connect(m_replacement, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_state.replacement = text; });
    connect(m_previous, &QToolButton::clicked, this, [this] {
        m_state.advance(-1);
        showCurrent();
    });
    connect(m_next, &QToolButton::clicked, this, [this] {
        m_state.advance(1);
        showCurrent();
    });
    connect(m_replaceToggle, &QToolButton::toggled, this, [this](bool on) {
        m_state.showReplace = on;
        m_replaceRow->setVisible(on);
    });
    connect(replaceOne, &QPushButton::clicked, this, [this] { m_state.replaceCurrent(); });
    connect(replaceAll, &QPushButton::clicked, this, [this] { m_state.replaceAll(); });
    connect(close, &QToolButton::clicked, this, &ScriptSearchPanel::requestClose);
    connect(m_list, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        const int row = m_list->row(item);
        if (row >= 0 && row < m_rowActions.size())
            m_rowActions.at(row)();
    });
    connect(m_list, &QListWidget::itemClicked, m_list, &QListWidget::itemActivated);
    // Matches are found in the current text, so every change of it is a new list.
    connect(&model, &ProjectEditorViewModel::documentTextChanged, this,
            &ScriptSearchPanel::refresh);
    connect(&model, &ProjectEditorViewModel::projectChanged, this, &ScriptSearchPanel::refresh);
    m_state.setQuery(m_field->text());
    refresh();
}

void ScriptSearchPanel::focusField()
{
    m_field->setFocus();
    m_field->selectAll();
}

void ScriptSearchPanel::refresh()
{
    const bool searching = !m_state.query().isEmpty();
    m_counter->setVisible(searching);
    m_previous->setVisible(searching);
    m_next->setVisible(searching);
    m_list->clear();
    m_rowActions.clear();
    // Searching sets the counter as it shows the current match.
    if (searching) {
        fillMatches();
    } else {
        m_counter->setText(m_state.matchCountLabel());
        fillOutline();
    }
    m_list->setVisible(m_list->count() > 0);
    m_empty->setVisible(m_list->count() == 0);
}

void ScriptSearchPanel::addRow(const QString &html, const QIcon &icon, std::function<void()> action)
{
    auto *item = new QListWidgetItem(m_list);
    auto *label = new QLabel(html);
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    label->setContentsMargins(icon.isNull() ? 6 : 28, 4, 6, 4);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    if (!icon.isNull())
        item->setIcon(icon);
    m_list->setItemWidget(item, label);
    fitRow(item);
    m_rowActions.append(std::move(action));
}

void ScriptSearchPanel::fillMatches()
{
    const QList<ScriptSearchMatch> matches = m_state.matches();
    m_empty->setText(tr("No results"));
    const QColor secondary = palette().color(QPalette::PlaceholderText);
    const QColor primary = palette().color(QPalette::Text);
    QColor tertiary = primary;
    tertiary.setAlphaF(0.3f);
    const int listed = std::min<int>(int(matches.size()), listedMatchLimit);
    for (int i = 0; i < listed; ++i) {
        const ScriptSearchMatch &match = matches.at(i);
        QString badge;
        QIcon icon;
        if (const auto scene = m_state.sceneBadge(match)) {
            badge = QStringLiteral("<span style=\"font-family:monospace;font-weight:700;"
                                   "font-size:10px;color:%1\">S%2</span>&nbsp; ")
                        .arg(SceneTypeAppearance::color(scene->type).name(), scene->sceneNumber());
        } else {
            icon = IconProvider::icon(QStringLiteral("rectangle.dashed"), tertiary);
        }
        const ScriptSearchState::Context context = m_state.context(match);
        const QString html = badge + colored(context.markup, tertiary)
                             + colored(context.before, secondary)
                             + QStringLiteral("<span style=\"font-size:12px;font-weight:700;\">")
                             + context.match.toHtmlEscaped() + QStringLiteral("</span>")
                             + colored(context.after, secondary);
        addRow(html, icon, [this, i] {
            m_state.choose(i);
            showCurrent();
        });
    }
    showCurrent();
}

void ScriptSearchPanel::showCurrent()
{
    m_counter->setText(m_state.matchCountLabel());
    if (!m_state.query().isEmpty() && m_state.currentMatchIndex() < m_list->count())
        m_list->setCurrentRow(m_state.currentMatchIndex());
}

void ScriptSearchPanel::fillOutline()
{
    m_empty->setText(tr("The document is empty"));
    const QColor primary = palette().color(QPalette::Text);
    for (const StructureEntry &entry : m_state.structureEntries()) {
        if (const Scene *scene = entry.scene()) {
            const QString title = scene->title.trimmed().isEmpty() ? tr("Untitled") : scene->title;
            const QString html = colored(QStringLiteral("S") + scene->sceneNumber(),
                                         SceneTypeAppearance::color(scene->type), true)
                                 + QStringLiteral("&nbsp; ") + colored(title, primary, true);
            addRow(html,
                   IconProvider::icon(SceneTypeAppearance::symbolName(scene->type),
                                      SceneTypeAppearance::color(scene->type)),
                   [this, id = scene->id] {
                       if (m_model)
                           m_model->selectOnly(id);
                       requestClose();
                   });
        } else if (const ScriptBlock *block = entry.block()) {
            addRow(colored(ScriptSearchState::excerpt(block->text), primary),
                   IconProvider::icon(ScriptBlockRoleAppearance::symbolName(block->role)),
                   [this, id = block->id] {
                       if (m_model)
                           m_model->revealBlock(id);
                       requestClose();
                   });
        }
    }
}

void ScriptSearchPanel::fitRow(QListWidgetItem *item)
{
    const int width = m_list->viewport()->width();
    if (const QWidget *label = m_list->itemWidget(item))
        item->setSizeHint(QSize(width, label->heightForWidth(width) + 2));
}

bool ScriptSearchPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (m_list && watched == m_list->viewport() && event->type() == QEvent::Resize) {
        for (int row = 0; row < m_list->count(); ++row)
            fitRow(m_list->item(row));
    }
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            m_state.advance(key->modifiers() & Qt::ShiftModifier ? -1 : 1);
            showCurrent();
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void ScriptSearchPanel::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        requestClose();
        return;
    }
    QFrame::keyPressEvent(event);
}

void ScriptSearchPanel::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        softenSelection();
}

void ScriptSearchPanel::softenSelection()
{
    QPalette colours = m_list->palette();
    colours.setColor(QPalette::Highlight,
                     colorOver(withAlpha(palette().color(QPalette::Highlight), 0.22),
                               palette().color(QPalette::Base)));
    colours.setColor(QPalette::HighlightedText, palette().color(QPalette::Text));
    m_list->setPalette(colours);
}

void ScriptSearchPanel::requestClose()
{
    m_state.close();
    emit closed();
}

} // namespace veskel
