#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/controls/GridControl.h"
#include "platform/controls/tests/TestWindow.h"

namespace zentra::win32 {
namespace {

using test::Capture;
using test::PumpMessages;

class RecordingEvents final : public GridEvents {
  public:
    // The grid whose current cell each event records.
    const Grid* grid = nullptr;
    void OnLeaveCell() override { Add("L"); }
    void OnEnterCell() override { Add("E"); }
    void OnDblClick() override { Add("D"); }
    void OnMouseDown(int button, int shift, int x, int y) override {
        log += "M" + std::to_string(button) + "/" + std::to_string(shift) + "@" +
               std::to_string(x) + "," + std::to_string(y) + " ";
    }
    std::string Take() { return std::exchange(log, {}); }
    std::string log;

  private:
    void Add(const char* what) {
        log += what + std::to_string(grid->Row()) + "," + std::to_string(grid->Col()) + " ";
    }
};

LPARAM At(int x, int y) {
    return MAKELPARAM(x, y);
}

// Dispatches messages until the grid's batched repaint has surely run.
void SettleRepaint() {
    const ULONGLONG end = GetTickCount64() + 80;
    while (GetTickCount64() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
    }
}

// The vertical scroll bar's pixels as they show in the window, top to bottom.
std::vector<COLORREF> ScrollBarPixels(HWND hwnd) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    RECT window;
    if (!GetScrollBarInfo(hwnd, OBJID_VSCROLL, &info) || !GetWindowRect(hwnd, &window)) return {};
    std::vector<COLORREF> pixels;
    HDC hdc = GetWindowDC(hwnd);
    for (LONG y = info.rcScrollBar.top; y < info.rcScrollBar.bottom; ++y) {
        for (LONG x = info.rcScrollBar.left; x < info.rcScrollBar.right; ++x) {
            pixels.push_back(GetPixel(hdc, x - window.left, y - window.top));
        }
    }
    ReleaseDC(hwnd, hdc);
    return pixels;
}

// A 240 x 100 pixel grid without border, rows of 20 pixels: five whole rows show.
class GridControlTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { host_ = test::CreateHostWindow(400, 300); }
    static void TearDownTestSuite() { DestroyWindow(host_); }
    void SetUp() override {
        grid_ = GridControl::Create({{host_, 1, {0, 0, 240, 100}, false}, nullptr});
        ASSERT_NE(grid_, nullptr);
        grid_->SetRowHeightMin(300);
        events_.grid = grid_.get();
        grid_->SetEvents(&events_);
        PumpMessages();
    }
    void TearDown() override { grid_.reset(); }
    void AddRows(int count) {
        for (int i = 0; i < count; ++i) grid_->AddItem(std::to_string(i + 1) + "\t= row");
    }
    std::string WindowText() const {
        HWND hwnd = grid_->Hwnd();
        std::string text(static_cast<std::size_t>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0)) + 1,
                         '\0');
        text.resize(static_cast<std::size_t>(
            SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        return text;
    }

    // One host for the suite: Wine waits for the X server to map each new top-level window.
    static inline HWND host_ = nullptr;
    std::unique_ptr<GridControl> grid_;
    RecordingEvents events_;
};

TEST_F(GridControlTest, SettingRowColAndRowsRaisesLeaveThenEnterBeforeReturning) {
    struct Step {
        const char* name;
        std::function<void(Grid&)> action;
        const char* log;
    };
    const Step steps[] = {
        {"add rows", [](Grid& g) { g.AddItem("\t"), g.AddItem("\t"), g.AddItem("\t"); }, ""},
        {"row 2", [](Grid& g) { g.SetRow(2); }, "L0,0 E2,0 "},
        {"col 1", [](Grid& g) { g.SetCol(1); }, "L2,0 E2,1 "},
        {"same row", [](Grid& g) { g.SetRow(2); }, "L2,1 E2,1 "},
        {"rows below current", [](Grid& g) { g.SetRows(2); }, "L2,1 E1,1 "},
        {"rows above current", [](Grid& g) { g.SetRows(5); }, ""},
        {"remove a row", [](Grid& g) { g.RemoveItem(0); }, ""},
        {"clear", [](Grid& g) { g.Clear(); }, ""},
    };
    for (const auto& step : steps) {
        step.action(*grid_);
        EXPECT_EQ(events_.Take(), step.log) << step.name;
    }
    EXPECT_EQ(grid_->Rows(), 4);
    EXPECT_THROW(grid_->SetRow(4), std::out_of_range);
    EXPECT_THROW(grid_->SetCol(2), std::out_of_range);
}

TEST_F(GridControlTest, MouseSelectsCellsAndReportsPressesAndDoubleClicks) {
    AddRows(3);
    events_.Take();
    // Column 0 is 1200 twips = 80 pixels wide; rows are 20 pixels high.
    SendMessageA(grid_->Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(100, 45));
    EXPECT_EQ(events_.Take(), "L0,0 E2,1 M1/0@1500,675 ");
    SendMessageA(grid_->Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, At(100, 45));
    EXPECT_EQ(events_.Take(), "M1/1@1500,675 ");
    SendMessageA(grid_->Hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(100, 45));
    EXPECT_EQ(events_.Take(), "D2,1 ");
    SendMessageA(grid_->Hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, At(10, 5));
    EXPECT_EQ(events_.Take(), "M2/0@150,75 ");
    EXPECT_EQ(grid_->Row(), 2);
    // Below the last row: no cell, no selection, no double-click.
    SendMessageA(grid_->Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(10, 90));
    SendMessageA(grid_->Hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(10, 90));
    EXPECT_EQ(events_.Take(), "M1/0@150,1350 ");
    EXPECT_EQ(GetFocus(), grid_->Hwnd());
}

TEST_F(GridControlTest, ArrowKeysMoveTheCurrentCellAndScrollItIntoView) {
    AddRows(9);
    events_.Take();
    for (int i = 0; i < 5; ++i) SendMessageA(grid_->Hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(grid_->Row(), 5);
    EXPECT_EQ(grid_->TopRow(), 1);
    SendMessageA(grid_->Hwnd(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(grid_->Col(), 1);
    SendMessageA(grid_->Hwnd(), WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(grid_->Row(), 9);
    EXPECT_EQ(grid_->TopRow(), 5);
    SendMessageA(grid_->Hwnd(), WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(grid_->TopRow(), 0);
    EXPECT_EQ(events_.Take().substr(0, 20), "L0,0 E1,0 L1,0 E2,0 ");
    EXPECT_EQ(SendMessageA(grid_->Hwnd(), WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
}

TEST_F(GridControlTest, TopRowScrollsRowsAndTheScrollBarFollows) {
    AddRows(19);
    EXPECT_EQ(grid_->Width(), 3600);
    EXPECT_EQ(grid_->Height(), 1500);
    EXPECT_EQ(grid_->RowHeight(0), 300);
    EXPECT_EQ(grid_->VisibleRows(), 5);
    grid_->SetTopRow(3);
    EXPECT_EQ(grid_->TopRow(), 3);
    for (int row = 0; row < 20; ++row) {
        EXPECT_EQ(grid_->RowIsVisible(row), row >= 3 && row <= 7) << "row " << row;
    }
    grid_->SetTopRow(100);
    EXPECT_EQ(grid_->TopRow(), 15);
    PumpMessages();
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(grid_->Hwnd(), SB_VERT, &si));
    EXPECT_EQ(si.nMax, 19);
    EXPECT_EQ(si.nPage, 5u);
    EXPECT_EQ(si.nPos, 15);
    EXPECT_NE(GetWindowLongA(grid_->Hwnd(), GWL_STYLE) & WS_VSCROLL, 0);
    SendMessageA(grid_->Hwnd(), WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(grid_->TopRow(), 14);
    SendMessageA(grid_->Hwnd(), WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(grid_->TopRow(), 9);
    SendMessageA(grid_->Hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(grid_->TopRow(), 6);
    // Scrolling never moves the current cell.
    EXPECT_EQ(grid_->Row(), 0);
    EXPECT_EQ(events_.Take(), "");

    grid_->SetRows(5);
    PumpMessages();
    EXPECT_EQ(grid_->TopRow(), 0);
    EXPECT_EQ(GetWindowLongA(grid_->Hwnd(), GWL_STYLE) & WS_VSCROLL, 0);
}

// The bar is drawn again only when its look changes; what shows is always what a full redraw of
// the bar would show, while rows are added, the view follows the end or goes back to the top, and
// the grid is disabled and enabled again.
TEST_F(GridControlTest, ScrollBarAlwaysShowsItsCurrentThumb) {
    for (int step = 0; step < 24; ++step) {
        AddRows(step < 12 ? 1 : 9);
        if (step % 3 != 2) grid_->SetTopRow(grid_->Rows());
        if (step % 7 == 6) grid_->SetTopRow(0);
        EnableWindow(grid_->Hwnd(), step % 5 != 4);
        SettleRepaint();
        const std::vector<COLORREF> shown = ScrollBarPixels(grid_->Hwnd());
        RedrawWindow(grid_->Hwnd(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        ASSERT_EQ(shown, ScrollBarPixels(grid_->Hwnd())) << "after step " << step;
    }
}

TEST_F(GridControlTest, WindowTextIsEveryCellInSameAndOtherProcess) {
    grid_->SetTextMatrix(0, 0, "12");
    grid_->SetTextMatrix(0, 1, "= 2^2 * 3");
    grid_->AddItem("18\t= 2 * 3^2");
    grid_->AddItem("\t");
    const std::string expected = "12\t= 2^2 * 3\r\n18\t= 2 * 3^2\r\n\t";
    EXPECT_EQ(WindowText(), expected);
    EXPECT_EQ(test::ReadTextFromOtherProcess(grid_->Hwnd()), expected);

    char small[5] = "xxxx";
    EXPECT_EQ(
        SendMessageA(grid_->Hwnd(), WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)), 4);
    EXPECT_STREQ(small, "12\t=");
    EXPECT_EQ(SendMessageA(grid_->Hwnd(), WM_GETTEXT, 0, reinterpret_cast<LPARAM>(small)), 0);
    // Setting the window text does not touch the cells.
    SendMessageA(grid_->Hwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("other"));
    EXPECT_EQ(WindowText(), expected);
}

TEST_F(GridControlTest, AHundredThousandRowsStayQuick) {
    const int rows = 100000;
    std::size_t expectedLength = 1;  // the first row's tab
    const auto start = std::chrono::steady_clock::now();
    for (int i = 1; i < rows; ++i) {
        const std::string number = std::to_string(i);
        grid_->AddItem(number + "\t= " + number);
        expectedLength += 2 + number.size() + 1 + 2 + number.size();
    }
    PumpMessages();
    const auto appended = std::chrono::steady_clock::now();
    const std::string text = WindowText();
    grid_->SetTopRow(rows);
    UpdateWindow(grid_->Hwnd());
    const auto read = std::chrono::steady_clock::now();
    const auto ms = [](auto d) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(d).count();
    };
    std::printf("append %d rows: %lld ms; WM_GETTEXT of %zu chars and a repaint: %lld ms\n", rows,
                static_cast<long long>(ms(appended - start)), text.size(),
                static_cast<long long>(ms(read - appended)));
    EXPECT_EQ(grid_->Rows(), rows);
    EXPECT_EQ(text.size(), expectedLength);
    EXPECT_EQ(text.substr(text.size() - 14), "\n99999\t= 99999");
    EXPECT_EQ(grid_->TopRow(), rows - 5);
    EXPECT_EQ(test::ReadTextFromOtherProcess(grid_->Hwnd()), text);
    EXPECT_LT(ms(appended - start), 5000);
    EXPECT_LT(ms(read - appended), 2000);
}

TEST_F(GridControlTest, GeneralAlignmentDrawsNumbersRightAndTextLeft) {
    grid_->SetTextMatrix(0, 0, "1");
    grid_->SetTextMatrix(0, 1, "=");
    grid_->AddItem("\t");
    grid_->SetRow(1);  // the focus rectangle moves out of row 0
    const Capture general(grid_->Hwnd());
    // Column 0 spans pixels 0-79, column 1 80-239; row 0 is pixels 0-19.
    EXPECT_EQ(general.TopmostDark(0, 40, 128, 0, 19), -1);
    EXPECT_GE(general.TopmostDark(60, 79, 128, 0, 19), 0);
    EXPECT_GE(general.TopmostDark(80, 100, 128, 0, 19), 0);
    EXPECT_EQ(general.TopmostDark(120, 239, 128, 0, 19), -1);
    // The current cell carries a focus rectangle.
    EXPECT_EQ(general.TopmostDark(5, 70, 128, 20, 40), 21);
    grid_->SetColAlignment(0, kAlignLeftTop);
    const Capture left(grid_->Hwnd());
    EXPECT_GE(left.TopmostDark(0, 20, 128, 0, 19), 0);
}

// Changes made by code repaint together after a short delay; the focus, which the grid remembers
// instead of asking for, still comes back after another window took it.
TEST_F(GridControlTest, CodeChangesRepaintOnceAndFocusComesBack) {
    ValidateRect(grid_->Hwnd(), nullptr);
    AddRows(3);
    grid_->SetTextMatrix(1, 0, "42");
    EXPECT_FALSE(GetUpdateRect(grid_->Hwnd(), nullptr, FALSE)) << "repainted before the batch";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!GetUpdateRect(grid_->Hwnd(), nullptr, FALSE) &&
           std::chrono::steady_clock::now() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        // Leave WM_PAINT queued so that the pending update can be seen.
        while (PeekMessageA(&msg, nullptr, 0, WM_PAINT - 1, PM_REMOVE) ||
               PeekMessageA(&msg, nullptr, WM_PAINT + 1, 0xFFFF, PM_REMOVE)) {
            DispatchMessageA(&msg);
        }
    }
    EXPECT_TRUE(GetUpdateRect(grid_->Hwnd(), nullptr, FALSE)) << "never repainted";

    for (HWND other : {host_, static_cast<HWND>(nullptr)}) {
        grid_->SetFocus();
        EXPECT_EQ(GetFocus(), grid_->Hwnd());
        SetFocus(other);
        grid_->SetFocus();
        EXPECT_EQ(GetFocus(), grid_->Hwnd()) << "after the focus went to " << other;
    }
}

TEST_F(GridControlTest, RowHeightNeverFallsBelowTheFontsLine) {
    grid_->SetRowHeightMin(15);
    EXPECT_GE(grid_->RowHeight(0), 13 * 15);
    EXPECT_EQ(grid_->RowHeight(0) % 15, 0);
    grid_->SetRowHeightMin(601);
    EXPECT_EQ(grid_->RowHeight(0), 615);
    EXPECT_EQ(grid_->VisibleRows(), 2);
}

}  // namespace
}  // namespace zentra::win32
