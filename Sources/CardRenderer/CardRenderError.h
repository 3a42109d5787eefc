#pragma once

#include <QString>

namespace veskel {

// Why a card could not be rendered. A missing or undecodable reference image is not an error:
// the card is drawn without a thumbnail.
struct CardRenderError
{
    enum class Kind {
        writeFailed,
        // Kept for other renderers; the PNG renderer never raises it.
        imageLoadFailed,
        invalidDimensions,
        // Writing the encoded file failed. The file system's own message is passed on as is.
        fileWriteFailed,
    };

    Kind kind = Kind::writeFailed;
    QString message;

    static CardRenderError writeFailed(const QString &message)
    {
        return {Kind::writeFailed, message};
    }
    static CardRenderError imageLoadFailed(const QString &message)
    {
        return {Kind::imageLoadFailed, message};
    }
    static CardRenderError invalidDimensions() { return {Kind::invalidDimensions, {}}; }
    static CardRenderError fileWriteFailed(const QString &message)
    {
        return {Kind::fileWriteFailed, message};
    }

    // Case name and payload, `writeFailed("Could not encode PNG image.")` or
    // `invalidDimensions`; a file write failure is its own message.
    QString description() const;

    bool operator==(const CardRenderError &) const = default;
};

} // namespace veskel
