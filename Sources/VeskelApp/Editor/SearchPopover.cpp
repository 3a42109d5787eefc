#include "VeskelApp/Editor/SearchPopover.h"

#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Icons/IconProvider.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace veskel {

SearchPopover::SearchPopover(ProjectEditorViewModel &model, QWidget *parent)
    : Popover(parent)
    , m_model(&model)
{
    setObjectName(QStringLiteral("SearchPopover"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(4);
    m_field = new QLineEdit(model.activeSearchQuery());
    m_field->setObjectName(QStringLiteral("searchField"));
    m_field->setPlaceholderText(tr("Search"));
    m_field->setClearButtonEnabled(true);
    m_field->addAction(IconProvider::icon(QStringLiteral("magnifyingglass")),
                       QLineEdit::LeadingPosition);
    m_field->setMinimumWidth(240);
    m_counter = new QLabel;
    m_counter->setForegroundRole(QPalette::PlaceholderText);
    m_counter->setMinimumWidth(48);
    m_counter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_previous = new QToolButton;
    m_previous->setIcon(IconProvider::icon(QStringLiteral("chevron.up")));
    m_previous->setAutoRaise(true);
    m_next = new QToolButton;
    m_next->setIcon(IconProvider::icon(QStringLiteral("chevron.down")));
    m_next->setAutoRaise(true);
    layout->addWidget(m_field, 1);
    layout->addWidget(m_counter);
    layout->addWidget(m_previous);
    layout->addWidget(m_next);

    connect(m_field, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_current = -1;
        if (m_model)
            m_model->setActiveSearchQuery(text);
        updateCounter();
    });
    connect(m_previous, &QToolButton::clicked, this, [this] { step(-1); });
    connect(m_next, &QToolButton::clicked, this, [this] { step(1); });
    updateCounter();
    m_field->selectAll();
    m_field->setFocus();
}

void SearchPopover::step(int direction)
{
    if (!m_model)
        return;
    const QList<ScriptSearchMatch> matches = m_model->searchMatches(m_field->text());
    if (matches.isEmpty())
        return;
    const int count = int(matches.size());
    m_current = m_current < 0 ? (direction > 0 ? 0 : count - 1)
                              : ((m_current + direction) % count + count) % count;
    emit matchChosen(matches[m_current].range);
    updateCounter();
}

void SearchPopover::updateCounter()
{
    const QString query = m_field->text();
    const bool searching = !query.isEmpty() && m_model;
    const qsizetype count = searching ? m_model->searchMatches(query).size() : 0;
    m_counter->setVisible(searching);
    m_previous->setVisible(searching);
    m_next->setVisible(searching);
    m_previous->setEnabled(count > 0);
    m_next->setEnabled(count > 0);
    m_counter->setText(m_current < 0 ? QString::number(count)
                                     : QStringLiteral("%1/%2").arg(m_current + 1).arg(count));
}

void SearchPopover::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        step(event->modifiers() & Qt::ShiftModifier ? -1 : 1);
        return;
    }
    Popover::keyPressEvent(event);
}

void SearchPopover::hideEvent(QHideEvent *event)
{
    // Highlights belong to an open search only.
    if (m_model)
        m_model->setActiveSearchQuery(QString());
    Popover::hideEvent(event);
}

} // namespace veskel
