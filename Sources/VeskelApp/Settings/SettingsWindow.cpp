#include "VeskelApp/Settings/SettingsWindow.h"

#include "VeskelApp/Localization/LanguageStore.h"

#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace veskel {

SettingsWindow::SettingsWindow(Preferences &preferences,
                               LanguageStore &languageStore,
                               SettingsView::LooksDark looksDark,
                               QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_preferences(&preferences)
    , m_languageStore(&languageStore)
    , m_looksDark(std::move(looksDark))
{
    setObjectName(QStringLiteral("SettingsWindow"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(m_languageStore, &LanguageStore::languageChanged, this, &SettingsWindow::rebuild);
    // A settings window closes as a dialog does.
    for (const QKeySequence &keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto *close = new QShortcut(keys, this);
        connect(close, &QShortcut::activated, this, &QWidget::close);
    }
    rebuild();
}

void SettingsWindow::rebuild()
{
    setWindowTitle(tr("Settings"));
    const int tab = m_view ? m_view->findChild<QTabWidget *>()->currentIndex() : 0;
    if (m_view) {
        // The change may come from a control inside the old view, still on the call stack.
        layout()->removeWidget(m_view);
        m_view->hide();
        m_view->deleteLater();
    }
    m_view = new SettingsView(*m_preferences, *m_languageStore, m_looksDark);
    m_view->findChild<QTabWidget *>()->setCurrentIndex(tab);
    layout()->addWidget(m_view);
}

} // namespace veskel
