// In-memory grid: the grid contract without a window, for the engine's tests, the command-line
// front end and the window logic's tests.
#pragma once

#include <algorithm>
#include <array>
#include <vector>

#include "common/display/Grid.h"

namespace zentra {

class MemoryGrid final : public Grid {
  public:
    MemoryGrid();

    int Rows() const override { return static_cast<int>(cells_.size()); }
    void SetRows(int rows) override;
    int Row() const override { return row_; }
    void SetRow(int row) override;
    int Col() const override { return col_; }
    void SetCol(int col) override;
    int TopRow() const override { return topRow_; }
    void SetTopRow(int row) override;

    std::string TextMatrix(int row, int col) const override;
    void SetTextMatrix(int row, int col, const std::string& text) override;

    int ColWidth(int col) const override;
    void SetColWidth(int col, int twips) override;
    int RowHeight(int row) const override;
    void SetRowHeightMin(int twips) override {
        if (twips > 0) rowHeight_ = twips;
        ClampTopRow();
    }
    void SetColAlignment(int col, int alignment) override;
    int ColAlignment(int col) const override;

    void AddItem(const std::string& text) override;
    void RemoveItem(int row) override;
    void Clear() override;
    bool RowIsVisible(int row) const override;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    bool Enabled() const override { return enabled_; }
    void SetFocus() override { ++focusCount_; }
    void SetEvents(GridEvents* events) override { events_ = events; }

    // Test and host controls.
    void SetSize(int widthTwips, int heightTwips);
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    int FocusCount() const { return focusCount_; }
    // Rows appended without events, for bulk loading (the command line's input).
    void AppendRow(std::string col0, std::string col1 = {});
    // All cells: rows joined by CR LF, the two cells of a row joined by a tab.
    std::string AllText() const;
    // Rows that fit wholly into the height (at least 1), and the largest top row that keeps the
    // last row at the bottom of the view.
    int VisibleRows() const;
    int MaxTopRow() const;
    // What a click or an arrow key does: makes the cell current with one leave-cell / enter-cell
    // pair, or raises nothing when it already is current. When the leave-cell handler sets Row or
    // Col itself, the move ends on the cell it chose.
    void SelectCell(int row, int col);
    // A double-click on a cell: its first click selects it, then the double-click event.
    void DoubleClickCell(int row, int col);

  private:
    void MoveCurrent(int row, int col);
    void ClampTopRow() { topRow_ = std::clamp(topRow_, 0, MaxTopRow()); }
    static void CheckColumn(int col);
    void CheckRow(int row) const;

    std::vector<std::array<std::string, 2>> cells_;
    std::array<int, 2> colWidths_{1200, 2400};
    std::array<int, 2> colAlignment_{kAlignGeneral, kAlignGeneral};
    int row_ = 0;
    int col_ = 0;
    int topRow_ = 0;
    int rowHeight_ = 240;
    int width_ = 4890;
    int height_ = 1125;
    bool enabled_ = true;
    int focusCount_ = 0;
    GridEvents* events_ = nullptr;
    bool leaving_ = false;            // SelectCell is raising leave-cell
    bool movedWhileLeaving_ = false;  // ... and its handler set Row or Col
};

}  // namespace zentra
