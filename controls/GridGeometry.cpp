#include "controls/GridGeometry.h"

#include <algorithm>
#include <cctype>

#include "common/display/Grid.h"

namespace zentra {

int TwipsToPixels(int twips, int twipsPerPixel) {
    if (twipsPerPixel <= 0) return 0;
    const int half = twipsPerPixel / 2;
    return twips >= 0 ? (twips + half) / twipsPerPixel : -((-twips + half) / twipsPerPixel);
}

int EffectiveRowHeightTwips(int minimumTwips, int fontRowPixels, int twipsPerPixel) {
    const int tpp = std::max(1, twipsPerPixel);
    const int minimumPixels = (std::max(0, minimumTwips) + tpp - 1) / tpp;
    return std::max({minimumPixels, fontRowPixels, 1}) * tpp;
}

int RowAtY(int y, int topRow, int rowHeightPixels, int rows) {
    if (y < 0 || rowHeightPixels <= 0) return -1;
    const int row = topRow + y / rowHeightPixels;
    return row < rows ? row : -1;
}

int ColAtX(int x, const std::array<int, 2>& colWidthsPixels) {
    if (x < 0) return -1;
    if (x < colWidthsPixels[0]) return 0;
    if (x < colWidthsPixels[0] + colWidthsPixels[1]) return 1;
    return -1;
}

bool LooksNumeric(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    while (i < text.size() && text[i] == ' ') ++i;
    return digits && i == text.size();
}

CellAlignment ResolveAlignment(int alignment, std::string_view text) {
    if (alignment < kAlignLeftTop || alignment > kAlignRightBottom) {
        return {LooksNumeric(text) ? HAlign::Right : HAlign::Left, VAlign::Center};
    }
    static constexpr HAlign kHorizontal[] = {HAlign::Left, HAlign::Center, HAlign::Right};
    static constexpr VAlign kVertical[] = {VAlign::Top, VAlign::Center, VAlign::Bottom};
    return {kHorizontal[alignment / 3], kVertical[alignment % 3]};
}

GridCell MoveByKey(GridKey key, GridCell current, int rows, int visibleRows) {
    const int last = std::max(0, rows - 1);
    const int page = std::max(1, visibleRows);
    GridCell next = current;
    switch (key) {
        case GridKey::Up:
            next.row -= 1;
            break;
        case GridKey::Down:
            next.row += 1;
            break;
        case GridKey::Left:
            next.col = 0;
            break;
        case GridKey::Right:
            next.col = 1;
            break;
        case GridKey::PageUp:
            next.row -= page;
            break;
        case GridKey::PageDown:
            next.row += page;
            break;
        case GridKey::Home:
            next.row = 0;
            break;
        case GridKey::End:
            next.row = last;
            break;
    }
    next.row = std::clamp(next.row, 0, last);
    return next;
}

int TopRowShowing(int row, int topRow, int visibleRows) {
    const int visible = std::max(1, visibleRows);
    if (row < topRow) return row;
    if (row >= topRow + visible) return row - visible + 1;
    return topRow;
}

}  // namespace zentra
