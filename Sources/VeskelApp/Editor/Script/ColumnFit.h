#pragma once

namespace veskel {

// How the script view's width is shared: the text column as wide as the user asked, the
// gutter and margin beside it and the page's padding around the words. When the room runs
// short the gutter, margin and padding give way first, down to their compact sizes; only then
// does the column narrow, never below `minimumText`.
struct ColumnFit
{
    struct Sides
    {
        int gutter = 0;
        int margin = 0;
        // Between the gutter or the margin and the page.
        int spacing = 0;
        // Inside the page, on each side of the words.
        int padding = 0;

        int total() const { return gutter + margin + 2 * spacing + 2 * padding; }
        bool operator==(const Sides &) const = default;
    };

    static constexpr int minimumText = 120;

    Sides sides;
    // The page, padding included.
    int column = 0;
    // Left over, shared either side of gutter, page and margin.
    int free = 0;

    int leftArea() const { return sides.gutter + sides.spacing; }
    int rightArea() const { return sides.margin + sides.spacing; }

    // `preferredColumn` is the page's stored width with the full padding.
    static ColumnFit
    fit(int available, int preferredColumn, const Sides &full, const Sides &compact);

    bool operator==(const ColumnFit &) const = default;
};

} // namespace veskel
