// The grid control's arithmetic, kept apart from the window: twips and pixels, hit testing, cell
// alignment and keyboard movement.
#pragma once

#include <array>
#include <string_view>

namespace zentra {

// Pixels for twips, rounded to nearest; twips for pixels.
int TwipsToPixels(int twips, int twipsPerPixel);
inline int PixelsToTwips(int pixels, int twipsPerPixel) {
    return pixels * twipsPerPixel;
}

// A row's height in twips: at least the font's line plus its padding, at least the requested
// minimum, and a whole number of pixels so that the twips and pixel views of the grid agree.
int EffectiveRowHeightTwips(int minimumTwips, int fontRowPixels, int twipsPerPixel);

// The row under a client y, or -1 below the last row.
int RowAtY(int y, int topRow, int rowHeightPixels, int rows);
// The column under a client x, or -1 right of the last column.
int ColAtX(int x, const std::array<int, 2>& colWidthsPixels);

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Center, Bottom };
struct CellAlignment {
    HAlign horizontal = HAlign::Left;
    VAlign vertical = VAlign::Top;
};
// A column alignment (GridAlignment) applied to one cell's text; "general" puts numbers right.
CellAlignment ResolveAlignment(int alignment, std::string_view text);
// Text that reads as a number: optional blanks and sign, digits with at most one decimal point.
bool LooksNumeric(std::string_view text);

enum class GridKey { Up, Down, Left, Right, PageUp, PageDown, Home, End };
struct GridCell {
    int row = 0;
    int col = 0;
};
// Where a navigation key moves the current cell (Home and End go to the first and last row).
GridCell MoveByKey(GridKey key, GridCell current, int rows, int visibleRows);
// The top row that brings `row` wholly into view, moving the view as little as possible.
int TopRowShowing(int row, int topRow, int visibleRows);

}  // namespace zentra
