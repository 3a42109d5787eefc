#pragma once

#include <QObject>
#include <QPointer>
#include <QVariantAnimation>

class QGraphicsOpacityEffect;
class QWidget;

namespace veskel {

class Preferences;

// The title bar's fading where the window manager owns the title bar: with "fadeOnHover" the
// editor's toolbar row is shown only while the pointer is within `revealDistance` pixels of the
// window's top, or over the row itself (which the menu bar pushes further down), and fades in
// and out over `fadeMs`; with "alwaysShow" it stays. It only looks at the pointer's moves.
class ToolbarRowFader : public QObject
{
    Q_OBJECT

public:
    static constexpr int revealDistance = 44;
    static constexpr int fadeMs = 250;

    // Lives as long as the row (not owned).
    ToolbarRowFader(Preferences &preferences, QWidget &row);
    ~ToolbarRowFader() override;

    // Where the row is going: shown or hidden (the fade may still run).
    bool isShown() const { return m_shown; }
    double opacity() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateMode();
    void setShown(bool shown, bool animated);

    Preferences *m_preferences = nullptr;
    QPointer<QWidget> m_row;
    QGraphicsOpacityEffect *m_effect = nullptr;
    QVariantAnimation m_fade;
    bool m_fading = false;
    bool m_shown = true;
};

} // namespace veskel
