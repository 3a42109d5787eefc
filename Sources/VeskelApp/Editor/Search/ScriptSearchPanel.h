#pragma once

#include "VeskelApp/Editor/Search/ScriptSearchState.h"

#include <QFrame>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QToolButton;
class QPushButton;

namespace veskel {

class ProjectEditorViewModel;

// The side panel that searches the script: a field with a match counter and steps, an
// optional replace row, and below either the matches (scene badge and the words around) or,
// for an empty query, the outline of scenes and paragraphs that jumps into the text.
class ScriptSearchPanel : public QFrame
{
    Q_OBJECT

public:
    static constexpr int panelWidth = 320;
    static constexpr int minimumPanelWidth = 250;
    // Rows beyond this many matches are not listed; the counter still counts them all.
    static constexpr int listedMatchLimit = 500;

    explicit ScriptSearchPanel(ProjectEditorViewModel &model, QWidget *parent = nullptr);

    ScriptSearchState &state() { return m_state; }
    QLineEdit *field() const { return m_field; }
    QLineEdit *replacementField() const { return m_replacement; }
    QLabel *counter() const { return m_counter; }
    QListWidget *list() const { return m_list; }
    void focusField();

signals:
    void closed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The chosen row is tinted, not filled with the accent: its coloured words stay readable.
    void softenSelection();
    void refresh();
    void fillMatches();
    void fillOutline();
    void addRow(const QString &html, const QIcon &icon, std::function<void()> action);
    // The row as tall as its wrapped text at the list's width.
    void fitRow(QListWidgetItem *item);
    void requestClose();
    // The counter and the current row after a step, without rebuilding the list.
    void showCurrent();

    QPointer<ProjectEditorViewModel> m_model;
    ScriptSearchState m_state;
    QLineEdit *m_field = nullptr;
    QLabel *m_counter = nullptr;
    QToolButton *m_previous = nullptr;
    QToolButton *m_next = nullptr;
    QToolButton *m_replaceToggle = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QCheckBox *m_wholeWords = nullptr;
    QWidget *m_replaceRow = nullptr;
    QLineEdit *m_replacement = nullptr;
    QListWidget *m_list = nullptr;
    QLabel *m_empty = nullptr;
    QList<std::function<void()>> m_rowActions;
};

} // namespace veskel
