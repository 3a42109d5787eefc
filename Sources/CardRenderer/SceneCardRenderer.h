#pragma once

#include "CardRenderer/CardRenderError.h"
#include "CardRenderer/CardRenderInput.h"
#include "CardRenderer/CardRenderResult.h"

#include <QString>

#include <expected>

namespace veskel {

// Renders one scene card to a file. Implementations keep no state, so one object may render
// several cards at once from different threads.
class SceneCardRenderer
{
public:
    virtual ~SceneCardRenderer() = default;

    virtual std::expected<CardRenderResult, CardRenderError>
    renderCard(const CardRenderInput &input, const QString &destinationPath) const = 0;
};

} // namespace veskel
