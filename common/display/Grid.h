// The grid contract: the operations the program uses on the tabular display. The Win32 grid control
// and the in-memory grid both implement it.
#pragma once

#include <string>

namespace zentra {

// Cell events the grid raises synchronously while Row or Col change (also from code).
class GridEvents {
  public:
    virtual ~GridEvents() = default;
    virtual void OnLeaveCell() = 0;
    virtual void OnEnterCell() = 0;
    // The user double-clicked a cell; the click before it has already made that cell current.
    virtual void OnDblClick() {}
    // A mouse button went down over the grid. Button: 1 left, 2 right, 4 middle; shift: 1 Shift,
    // 2 Ctrl, 4 Alt; x and y in twips from the grid's top-left corner. A left press on a cell makes
    // it current (leave-cell, enter-cell) before this event.
    virtual void OnMouseDown(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {}
};

// Column alignments: horizontal (left, centre, right) times vertical (top, centre, bottom), and
// "general": numbers right, other text left, both centred vertically.
enum GridAlignment : int {
    kAlignLeftTop = 0,
    kAlignLeftCenter = 1,
    kAlignLeftBottom = 2,
    kAlignCenterTop = 3,
    kAlignCenterCenter = 4,
    kAlignCenterBottom = 5,
    kAlignRightTop = 6,
    kAlignRightCenter = 7,
    kAlignRightBottom = 8,
    kAlignGeneral = 9,
};

// Preconditions: a grid always has at least one row and exactly two columns. Every `row` argument
// lies in 0 .. Rows() - 1 and every `col` argument is 0 or 1, except where a call says otherwise
// (SetTopRow, RowIsVisible). A call outside them is the caller's fault: the in-memory grid, which
// is also the window control's model, throws std::out_of_range, and the window reports it as an
// internal failure.
class Grid {
  public:
    virtual ~Grid() = default;

    virtual int Rows() const = 0;
    // rows >= 1; setting 1 leaves exactly one row; new rows are empty; a current row below the
    // end moves to the last row.
    virtual void SetRows(int rows) = 0;
    virtual int Row() const = 0;
    virtual void SetRow(int row) = 0;  // raises leave-cell then enter-cell
    virtual int Col() const = 0;
    virtual void SetCol(int col) = 0;  // raises leave-cell then enter-cell
    virtual int TopRow() const = 0;
    // Any row: clamped so that the view never scrolls past the point where the last row is at the
    // bottom.
    virtual void SetTopRow(int row) = 0;

    virtual std::string TextMatrix(int row, int col) const = 0;
    virtual void SetTextMatrix(int row, int col, const std::string& text) = 0;

    // Widths and heights in twips.
    virtual int ColWidth(int col) const = 0;
    virtual void SetColWidth(int col, int twips) = 0;
    virtual int RowHeight(int row) const = 0;
    // The layout's numeric property: the minimum extent of a row, in twips.
    virtual void SetRowHeightMin(int twips) = 0;
    // A GridAlignment; both columns start as kAlignGeneral.
    virtual void SetColAlignment(int col, int alignment) = 0;
    virtual int ColAlignment(int col) const = 0;

    // Appends one row; tab characters separate its cells ("\t" appends an empty row).
    virtual void AddItem(const std::string& text) = 0;
    // Deletes the row; the rows below move up by one. Needs Rows() >= 2: the last row stays.
    virtual void RemoveItem(int row) = 0;
    // Empties every cell; the row count stays.
    virtual void Clear() = 0;
    // Any row: whether the whole row lies inside the visible area (the top row always counts as
    // visible).
    virtual bool RowIsVisible(int row) const = 0;

    // The control's outer size in twips.
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Enabled() const = 0;
    virtual void SetFocus() = 0;

    // Receiver of the cell events (borrowed; nullptr for none).
    virtual void SetEvents(GridEvents* events) = 0;
};

}  // namespace zentra
