#pragma once

#include "CardRenderer/CardTextDrawer.h"
#include "CardRenderer/SceneCardRenderer.h"

#include <QImage>
#include <QList>

#include <expected>
#include <optional>

namespace veskel {

// Draws a scene card at the project's video resolution and writes it as PNG. Stateless: cards
// may be rendered on several threads at once, and each comes out the same as alone.
// `renderCard` draws on a canvas kept per thread for that thread's next card.
class PNGCardRenderer final : public SceneCardRenderer
{
public:
    // Cards wider or taller than this are refused as "Could not create bitmap context."; a
    // project file can claim any size, and a bigger raster would exhaust memory.
    static constexpr int maximumSide = 16384;

    std::expected<CardRenderResult, CardRenderError>
    renderCard(const CardRenderInput &input, const QString &destinationPath) const override;

    // The card as an in-memory image of the video's size, neither encoded nor written.
    std::expected<QImage, CardRenderError> renderImage(const CardRenderInput &input) const;
    // The text blocks the card draws, in drawing order, with their boxes on the canvas.
    std::expected<QList<CardTextDrawer::DrawnBlock>, CardRenderError>
    textLayout(const CardRenderInput &input) const;

    // The reference image file the card would show, when the scene has one that is safe to
    // open (a plain name, and no symbolic link below the package) and exists.
    static std::optional<QString> thumbnailPath(const CardRenderInput &input);
    // The square a card of this size fills with its reference image: the cover size it asks
    // the image to be decoded at.
    static QSizeF thumbnailCover(int width, int height);

private:
    // Draws the card on `canvas`, which is made anew unless it already has the card's size.
    std::expected<void, CardRenderError> render(QImage &canvas,
                                                const CardRenderInput &input,
                                                QList<CardTextDrawer::DrawnBlock> *blocks) const;
};

} // namespace veskel
