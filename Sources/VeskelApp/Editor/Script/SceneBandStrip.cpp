#include "VeskelApp/Editor/Script/SceneBandStrip.h"

#include "VeskelApp/Editor/ProjectEditorViewModel.h"
#include "VeskelApp/Editor/Script/DocumentTextView.h"

namespace veskel {

SceneBandStrip::SceneBandStrip(ProjectEditorViewModel &model,
                               DocumentTextView &text,
                               QWidget *parent)
    : QWidget(parent)
    , m_model(&model)
    , m_text(&text)
{
    connect(&text, &DocumentTextView::bandsChanged, this, qOverload<>(&QWidget::update));
    connect(&text, &DocumentTextView::scrolled, this, qOverload<>(&QWidget::update));
    connect(&model, &ProjectEditorViewModel::projectChanged, this, qOverload<>(&QWidget::update));
}

} // namespace veskel
