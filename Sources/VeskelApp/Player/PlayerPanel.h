#pragma once

#include "CardRenderer/CardRenderInput.h"
#include "VeskelApp/Player/PlaybackClock.h"
#include "VeskelApp/Player/PlayerViewModel.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

namespace veskel {

class AudioSinkOutput;
class ProjectEditorViewModel;
class SceneNarrations;

// The player in the window: the playing scene's card as large as the panel, drawn by the card
// renderer on the card render pool (never on the main thread), with the time under it. It owns
// the player and its sound (opened when a film first plays, so an editor that never plays
// starts nothing of Qt Multimedia), and hands the player each narration as it comes in. Shown
// while the film plays.
class PlayerPanel : public QWidget
{
    Q_OBJECT

public:
    using Renderer = std::function<QImage(const CardRenderInput &)>;

    PlayerPanel(ProjectEditorViewModel &model,
                SceneNarrations &narrations,
                QWidget *parent = nullptr);
    ~PlayerPanel() override;

    PlayerViewModel &player() { return m_player; }
    // The film from the primary scene (the first without one); its narrations are fetched.
    void playFromSelection();
    const QImage &card() const { return m_card; }

signals:
    void cardShown();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void renderCard();
    QString statusText() const;

    QPointer<ProjectEditorViewModel> m_model;
    SceneNarrations &m_narrations;
    SteadyPlaybackClock m_clock;
    std::unique_ptr<AudioSinkOutput> m_output;
    PlayerViewModel m_player;
    QImage m_card;
    QSize m_cardSize;
    quint64 m_generation = 0;
};

} // namespace veskel
