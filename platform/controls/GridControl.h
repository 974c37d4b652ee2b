// The tabular display's grid: window class "Zentra.Grid", two columns of text cells drawn by
// ourselves, a vertical scroll bar over rows, and the Grid contract for the window logic.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "common/display/Grid.h"
#include "common/display/MemoryGrid.h"
#include "platform/controls/WindowBase.h"

namespace zentra::win32 {

struct GridControlArgs : ChildPlace {
    HFONT font = nullptr;  // borrowed; nullptr draws with MS Sans Serif 8.25 pt
};

// Owns its window: destroying the object destroys the window. Cell events, double-clicks and
// mouse presses reach the receiver given to SetEvents.
class GridControl final : public Grid, private WindowBase {
  public:
    static std::unique_ptr<GridControl> Create(const GridControlArgs& args);
    ~GridControl() override;

    using WindowBase::Hwnd;
    // The whole rows the client area shows (at least 1).
    int VisibleRows() const { return model_.VisibleRows(); }

    int Rows() const override { return model_.Rows(); }
    void SetRows(int rows) override;
    int Row() const override { return model_.Row(); }
    void SetRow(int row) override;
    int Col() const override { return model_.Col(); }
    void SetCol(int col) override;
    int TopRow() const override { return model_.TopRow(); }
    void SetTopRow(int row) override;

    std::string TextMatrix(int row, int col) const override { return model_.TextMatrix(row, col); }
    void SetTextMatrix(int row, int col, const std::string& text) override;

    int ColWidth(int col) const override { return model_.ColWidth(col); }
    void SetColWidth(int col, int twips) override;
    int RowHeight(int row) const override { return model_.RowHeight(row); }
    void SetRowHeightMin(int twips) override;
    void SetColAlignment(int col, int alignment) override;
    int ColAlignment(int col) const override { return model_.ColAlignment(col); }

    void AddItem(const std::string& text) override;
    void RemoveItem(int row) override;
    void Clear() override;
    bool RowIsVisible(int row) const override { return model_.RowIsVisible(row); }

    int Width() const override;
    int Height() const override;
    bool Enabled() const override;
    void SetFocus() override;
    void SetEvents(GridEvents* events) override;
    // Pads the cells' text for `dpi`; the font comes with WM_SETFONT.
    void SetDpi(int dpi);

  private:
    GridControl() = default;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    // A table of rows, one a line (child ids from 1), each with two cells; the current cell is
    // selected and has the focus while the grid does. Events name cells by their part event ids.
    long AccessibleItemCount() override;
    AccessibleItem AccessibleDescribe(long child) override;
    long AccessiblePartCount(long item) override;
    AccessibleItem AccessibleDescribePart(long item, long part) override;
    long AccessibleFocusedItem() override;
    long AccessibleFocusedPart() override;
    static long CellId(int row, int col);
    RECT CellBounds(int row, int col) const;
    // Tells screen readers when the current cell moved.
    void AnnounceCurrentCell();

    void Paint(HDC hdc);
    void PaintCell(HDC hdc, int row, int col, const RECT& cell);
    void OnSize();
    void OnMouseDown(const MouseButtonEvent& mouse);
    void OnDoubleClick(POINT at);
    bool OnKey(WPARAM key);
    void OnVScroll(WPARAM wp);
    void ScrollTo(int topRow);
    void SelectAndShow(int row, int col);

    // Repaint what changed, batched by a short timer; the scroll bar's range catches up once per
    // message-loop turn, so that appending many rows stays cheap.
    void InvalidateAll();
    void InvalidateRow(int row);
    void Repaint();
    void ScheduleScrollBar();
    void SyncScrollBar();
    std::array<LONG, 5> ScrollBarLook() const;
    void UpdateRowHeight();
    int RowPixels() const;
    std::array<int, 2> ColPixels() const;

    HFONT font_ = nullptr;
    HFONT ownFont_ = nullptr;
    GridEvents* events_ = nullptr;
    MemoryGrid model_;
    int twipsPerPixel_ = 15;
    int dpi_ = 96;
    int rowHeightMinTwips_ = 0;
    bool scrollBarPending_ = false;
    bool repaintPending_ = false;
    bool hasFocus_ = false;
    long announcedCell_ = 1;
    std::array<int, 3> scrollBar_{-1, -1, -1};  // range end, page, position last set
    std::array<LONG, 5> drawnScrollBar_{};      // the scroll bar's look when last drawn
};

}  // namespace zentra::win32
