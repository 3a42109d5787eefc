#include "VeskelApp/Inspector/NarrationFitSection.h"

#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Narration/SceneNarrations.h"
#include "VeskelApp/Widgets/NoticeBox.h"
#include "VeskelApp/Widgets/SignalColors.h"

#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace veskel {

namespace {

// Seconds as people say them: "6", "7.5" (tenths at most, the interface language's decimal mark).
QString secondsText(double seconds)
{
    return QLocale().toString(std::round(seconds * 10) / 10, 'g', 12);
}

} // namespace

NarrationFitSection::NarrationFitSection(ProjectEditorViewModel &model,
                                         SceneNarrations &narrations,
                                         QWidget *parent)
    : QWidget(parent)
    , m_model(&model)
    , m_narrations(narrations)
{
    setObjectName(QStringLiteral("narrationFit"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    m_notice = new NoticeBox(QStringLiteral("exclamationmark.triangle.fill"),
                             SignalColors::warning(), 0.12, QString());
    layout->addWidget(m_notice);
    m_fit = new QPushButton(tr("Fit to Narration"));
    m_fit->setObjectName(QStringLiteral("fitToNarration"));
    layout->addWidget(m_fit, 0, Qt::AlignLeft);

    connect(m_fit, &QPushButton::clicked, this, [this] {
        const auto scene = m_model ? m_model->selectedScene() : std::nullopt;
        if (!scene)
            return;
        const NarrationKey key = SceneNarrations::key(*scene, m_model->project());
        if (const std::optional<double> seconds = m_narrations.seconds(key))
            m_model->fitSceneToNarration(scene->id, *seconds);
    });
    connect(&model, &ProjectEditorViewModel::selectedSceneChanged, this,
            &NarrationFitSection::refresh);
    connect(&narrations, &SceneNarrations::narrated, this, &NarrationFitSection::refresh);
    connect(&narrations, &SceneNarrations::unavailableMessageChanged, this,
            &NarrationFitSection::refresh);
    refresh();
}

QString NarrationFitSection::overflowText(double narrationSeconds, double sceneSeconds)
{
    return tr("Narration %1 s is longer than the scene (%2 s)")
        .arg(secondsText(narrationSeconds), secondsText(sceneSeconds));
}

void NarrationFitSection::refresh()
{
    const bool wasVisible = !isHidden();
    const auto scene = m_model ? m_model->selectedScene() : std::nullopt;
    const std::optional<double> overflow
        = scene ? m_narrations.overflow(*scene, m_model->project()) : std::nullopt;
    if (overflow) {
        m_notice->setLines({overflowText(*overflow, scene->durationSeconds)});
        m_fit->show();
    } else if (const auto &unavailable = m_narrations.unavailableMessage(); unavailable && scene) {
        m_notice->setLines({*unavailable});
        m_fit->hide();
    }
    setVisible(scene && (overflow || m_narrations.unavailableMessage()));
    if (wasVisible != !isHidden())
        emit contentChanged();
}

} // namespace veskel
