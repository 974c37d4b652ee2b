// Window messages used here: https://learn.microsoft.com/windows/win32/controls/scroll-bars and
// https://learn.microsoft.com/windows/win32/winmsg/wm-gettext
#include "platform/controls/GridControl.h"

#include <oleacc.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "controls/Accessibility.h"
#include "controls/GridGeometry.h"
#include "platform/controls/HostSupport.h"
#include "platform/controls/OffscreenPaint.h"
#include "window/WindowLayout.h"

namespace zentra::win32 {
namespace {

constexpr char kClassName[] = "Zentra.Grid";
constexpr UINT kSyncScrollBar = WM_USER + 1;
// Changes made by code repaint together, at most once per this many milliseconds: a paste or a
// burst of DDE executes changes the grid thousands of times between two frames.
constexpr UINT_PTR kRepaintTimer = 1;
constexpr UINT kRepaintDelayMs = 15;
constexpr Colour kGridLineColor = RGB(0xC0, 0xC0, 0xC0);
constexpr int kTextPaddingPixels = 2;  // between a cell's edge and its text, at 96 dpi
constexpr int kWheelRows = 3;

UINT DrawTextFlags(CellAlignment alignment) {
    UINT flags = DT_SINGLELINE | DT_NOPREFIX;
    flags |= alignment.horizontal == HAlign::Left    ? DT_LEFT
             : alignment.horizontal == HAlign::Right ? DT_RIGHT
                                                     : DT_CENTER;
    flags |= alignment.vertical == VAlign::Top      ? DT_TOP
             : alignment.vertical == VAlign::Bottom ? DT_BOTTOM
                                                    : DT_VCENTER;
    return flags;
}

}  // namespace

std::unique_ptr<GridControl> GridControl::Create(const GridControlArgs& args) {
    std::unique_ptr<GridControl> control(new GridControl());
    control->twipsPerPixel_ = TwipsPerPixel(ScreenResolution().y);
    control->dpi_ = std::max(1, ScreenResolution().y);
    control->font_ = args.font;
    if (!control->font_) {
        // MS Sans Serif 8.25 pt: 11 pixels at 96 dpi.
        control->ownFont_ =
            CreateFontA(-MulDiv(33, std::max(1, ScreenResolution().y), 288), 0, 0, 0, FW_NORMAL,
                        FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
        control->font_ = control->ownFont_;
    }
    WindowCreation creation = WindowCreation::Child(args);
    creation.style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | WS_CLIPSIBLINGS;
    WindowClass windowClass;
    windowClass.name = kClassName;
    windowClass.style = CS_DBLCLKS;
    if (!control->CreateWindowFor(windowClass, creation)) return nullptr;
    control->UpdateRowHeight();
    control->OnSize();
    control->SyncScrollBar();
    return control;
}

GridControl::~GridControl() {
    // The window goes before the font it draws with.
    DestroyOwnWindow();
    if (ownFont_) DeleteObject(ownFont_);
}

LRESULT GridControl::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (const auto painted = PaintSelf(Hwnd(), msg, wp, [this](HDC hdc) { Paint(hdc); })) {
        return *painted;
    }
    if (const auto mouse = DecodeMouseButton(msg, wp, lp)) {
        if (mouse->action == MouseAction::Down) {
            OnMouseDown(*mouse);
            return 0;
        }
        if (mouse->action == MouseAction::DoubleClick && mouse->button == 1) {
            OnDoubleClick(mouse->at);
            return 0;
        }
    }
    if (const auto keyed = TakeArrowKeys(msg, wp, [this](WPARAM key) { return OnKey(key); })) {
        return *keyed;
    }
    switch (msg) {
        case WM_SIZE:
            OnSize();
            return 0;
        case WM_VSCROLL:
            OnVScroll(wp);
            return 0;
        case WM_MOUSEWHEEL: {
            const int notches = GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA;
            ScrollTo(TopRow() - notches * kWheelRows);
            return 0;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            hasFocus_ = msg == WM_SETFOCUS;
            InvalidateAll();
            // After the system's event for the window, the reader hears which cell has it.
            if (hasFocus_) NotifyAccessible(EVENT_OBJECT_FOCUS, Hwnd(), CellId(Row(), Col()));
            break;
        case WM_ENABLE:
            InvalidateAll();
            break;
        case WM_TIMER:
            if (wp != kRepaintTimer) break;
            Repaint();
            return 0;
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wp);
            if (!font_)
                font_ = ownFont_ ? ownFont_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
            UpdateRowHeight();
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_GETTEXT:
            return AnswerGetText(model_.AllText(), wp, lp);
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(model_.AllText().size());
        case WM_SETTEXT:
            return TRUE;  // the window's text is its cells
        case kSyncScrollBar:
            scrollBarPending_ = false;
            SyncScrollBar();
            return 0;
        default:
            break;
    }
    return Default(msg, wp, lp);
}

void GridControl::Paint(HDC hdc) {
    const RECT client = FillClient(Hwnd(), hdc, COLOR_WINDOW);
    HGDIOBJ oldFont = SelectObject(hdc, font_);
    const bool enabled = IsWindowEnabled(Hwnd()) != FALSE;
    SetTextColor(hdc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    SetBkMode(hdc, TRANSPARENT);
    const Colour line = ChooseColour(ColourUse::GridLine, kGridLineColor, HighContrast());
    HPEN pen = CreatePen(PS_SOLID, 1, IsSystemColour(line) ? GetSysColor(line & 0xFF) : line);
    HGDIOBJ oldPen = SelectObject(hdc, pen);

    const int rowPixels = RowPixels();
    const auto cols = ColPixels();
    for (int row = TopRow(), y = 0; row < Rows() && y < client.bottom; ++row, y += rowPixels) {
        int x = 0;
        for (int col = 0; col < 2; ++col) {
            const RECT cell{x, y, x + cols[static_cast<std::size_t>(col)], y + rowPixels};
            PaintCell(hdc, row, col, cell);
            x = cell.right;
        }
    }
    SelectObject(hdc, oldPen);
    DeleteObject(pen);
    SelectObject(hdc, oldFont);

    // The current cell's focus rectangle, also on the row that shows only in part.
    if (enabled && Row() >= TopRow() && Row() <= TopRow() + VisibleRows()) {
        const int x = Col() == 0 ? 0 : cols[0];
        const int y = (Row() - TopRow()) * rowPixels;
        RECT focus{x + 1, y + 1, x + cols[static_cast<std::size_t>(Col())] - 2, y + rowPixels - 2};
        SetTextColor(hdc, RGB(0, 0, 0));
        SetBkColor(hdc, RGB(255, 255, 255));
        DrawFocusRect(hdc, &focus);
    }
}

void GridControl::PaintCell(HDC hdc, int row, int col, const RECT& cell) {
    const std::string text = model_.TextMatrix(row, col);
    const int padding = ScalePixels(kTextPaddingPixels, dpi_);
    RECT textRect{cell.left + padding, cell.top + 1, cell.right - padding - 1, cell.bottom - 1};
    DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DrawTextFlags(ResolveAlignment(ColAlignment(col), text)));
    // Flat grid lines on the right and bottom edges of every cell.
    MoveToEx(hdc, cell.right - 1, cell.top, nullptr);
    LineTo(hdc, cell.right - 1, cell.bottom - 1);
    LineTo(hdc, cell.left - 1, cell.bottom - 1);
}

void GridControl::SetDpi(int dpi) {
    if (dpi <= 0 || dpi == dpi_) return;
    dpi_ = dpi;
    InvalidateAll();
}

void GridControl::OnSize() {
    RECT client;
    GetClientRect(Hwnd(), &client);
    model_.SetSize(PixelsToTwips(client.right, twipsPerPixel_),
                   PixelsToTwips(client.bottom, twipsPerPixel_));
    InvalidateAll();
    ScheduleScrollBar();
}

void GridControl::OnMouseDown(const MouseButtonEvent& mouse) {
    if (mouse.button == 1) {
        ::SetFocus(Hwnd());
        const int row = RowAtY(mouse.at.y, TopRow(), RowPixels(), Rows());
        const int col = ColAtX(mouse.at.x, ColPixels());
        if (row >= 0 && col >= 0) SelectAndShow(row, col);
    }
    if (events_) {
        events_->OnMouseDown(mouse.button, mouse.shift, PixelsToTwips(mouse.at.x, twipsPerPixel_),
                             PixelsToTwips(mouse.at.y, twipsPerPixel_));
    }
}

void GridControl::OnDoubleClick(POINT at) {
    const int row = RowAtY(at.y, TopRow(), RowPixels(), Rows());
    const int col = ColAtX(at.x, ColPixels());
    if (row < 0 || col < 0) return;
    model_.DoubleClickCell(row, col);
    InvalidateAll();
}

bool GridControl::OnKey(WPARAM key) {
    GridKey gridKey;
    switch (key) {
        case VK_UP:
            gridKey = GridKey::Up;
            break;
        case VK_DOWN:
            gridKey = GridKey::Down;
            break;
        case VK_LEFT:
            gridKey = GridKey::Left;
            break;
        case VK_RIGHT:
            gridKey = GridKey::Right;
            break;
        case VK_PRIOR:
            gridKey = GridKey::PageUp;
            break;
        case VK_NEXT:
            gridKey = GridKey::PageDown;
            break;
        case VK_HOME:
            gridKey = GridKey::Home;
            break;
        case VK_END:
            gridKey = GridKey::End;
            break;
        default:
            return false;
    }
    const GridCell next = MoveByKey(gridKey, {Row(), Col()}, Rows(), VisibleRows());
    SelectAndShow(next.row, next.col);
    return true;
}

void GridControl::OnVScroll(WPARAM wp) {
    const int top = TopRow();
    switch (LOWORD(wp)) {
        case SB_LINEUP:
            ScrollTo(top - 1);
            break;
        case SB_LINEDOWN:
            ScrollTo(top + 1);
            break;
        case SB_PAGEUP:
            ScrollTo(top - VisibleRows());
            break;
        case SB_PAGEDOWN:
            ScrollTo(top + VisibleRows());
            break;
        case SB_TOP:
            ScrollTo(0);
            break;
        case SB_BOTTOM:
            ScrollTo(Rows());
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            // The 32-bit track position: the message's own is 16 bits, too few for long displays.
            SCROLLINFO si{};
            si.cbSize = sizeof si;
            si.fMask = SIF_TRACKPOS;
            GetScrollInfo(Hwnd(), SB_VERT, &si);
            ScrollTo(si.nTrackPos);
            break;
        }
        default:
            break;
    }
}

void GridControl::ScrollTo(int topRow) {
    SetTopRow(topRow);
    SyncScrollBar();
}

void GridControl::SelectAndShow(int row, int col) {
    model_.SelectCell(row, col);
    const int top = TopRowShowing(Row(), TopRow(), VisibleRows());
    if (top != TopRow()) ScrollTo(top);
    InvalidateAll();
    AnnounceCurrentCell();
}

long GridControl::CellId(int row, int col) {
    return PartEventId(row + 1, col + 1);
}

void GridControl::AnnounceCurrentCell() {
    const long cell = CellId(Row(), Col());
    if (cell == announcedCell_) return;
    announcedCell_ = cell;
    if (hasFocus_) NotifyAccessible(EVENT_OBJECT_FOCUS, Hwnd(), cell);
    NotifyAccessible(EVENT_OBJECT_SELECTION, Hwnd(), cell);
}

long GridControl::AccessibleItemCount() {
    return Rows();
}

long GridControl::AccessiblePartCount(long item) {
    return item >= 1 && item <= Rows() ? 2 : 0;
}

long GridControl::AccessibleFocusedItem() {
    return Row() + 1;
}

long GridControl::AccessibleFocusedPart() {
    return Col() + 1;
}

// A table of lines. A line reads as it is written, "12 = 2^2 * 3": the number with its
// factorization, so that a reader going down the lines hears each result whole.
AccessibleItem GridControl::AccessibleDescribe(long child) {
    AccessibleItem item = DescribeWindow(ROLE_SYSTEM_TABLE);
    item.name = "Calculator display";
    if (child <= 0) return item;
    const int row = static_cast<int>(child - 1);
    item.role = ROLE_SYSTEM_ROW;
    item.name = "Line " + std::to_string(row + 1);
    item.value = TextMatrix(row, 0);
    const std::string factors = TextMatrix(row, 1);
    if (!factors.empty()) item.value += (item.value.empty() ? "" : " ") + factors;
    item.state = row == Row() ? STATE_SYSTEM_SELECTED : 0;
    const auto cols = ColPixels();
    item.bounds = CellBounds(row, 0);
    item.bounds.right = item.bounds.left + cols[0] + cols[1];
    if (!RowIsVisible(row)) item.state |= STATE_SYSTEM_OFFSCREEN | STATE_SYSTEM_INVISIBLE;
    return item;
}

// Two cells a line, the number and its factorization, named with their line so that a focus
// event alone says where the reader is.
AccessibleItem GridControl::AccessibleDescribePart(long item, long part) {
    const int row = static_cast<int>(item - 1);
    const int col = static_cast<int>(part - 1);
    AccessibleItem cell;
    cell.role = ROLE_SYSTEM_CELL;
    cell.name = "Line " + std::to_string(row + 1) + (col == 0 ? " number" : " factors");
    cell.value = TextMatrix(row, col);
    cell.state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (row == Row() && col == Col()) cell.state |= STATE_SYSTEM_SELECTED;
    cell.bounds = CellBounds(row, col);
    if (!RowIsVisible(row)) cell.state |= STATE_SYSTEM_OFFSCREEN | STATE_SYSTEM_INVISIBLE;
    return cell;
}

RECT GridControl::CellBounds(int row, int col) const {
    const int rowPixels = RowPixels();
    const auto cols = ColPixels();
    const int left = col == 0 ? 0 : cols[0];
    const int top = (row - TopRow()) * rowPixels;
    return {left, top, left + cols[static_cast<std::size_t>(col)], top + rowPixels};
}

void GridControl::InvalidateAll() {
    if (!Hwnd() || repaintPending_) return;
    repaintPending_ = SetTimer(Hwnd(), kRepaintTimer, kRepaintDelayMs, nullptr) != 0;
    // Without a timer the change shows at once.
    if (!repaintPending_) InvalidateRect(Hwnd(), nullptr, FALSE);
}

void GridControl::InvalidateRow(int row) {
    // Only rows on screen cost a repaint; the row just below the whole ones may show in part.
    if (row < TopRow() || row > TopRow() + VisibleRows()) return;
    InvalidateAll();
}

void GridControl::Repaint() {
    KillTimer(Hwnd(), kRepaintTimer);
    repaintPending_ = false;
    // The scroll bar's look catches up with its position here too, but only when it changed:
    // drawing the bar costs several milliseconds under Wine, far more than the cells do, and a
    // long grid's thumb moves by a pixel only every few rows.
    const auto look = ScrollBarLook();
    const UINT frame = look != drawnScrollBar_ ? RDW_FRAME : 0;
    drawnScrollBar_ = look;
    RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | frame);
}

// Whether the bar shows and can be used, its length and its thumb's place, in pixels; and
// whether the grid is enabled, since a disabled window's bar is drawn grey.
std::array<LONG, 5> GridControl::ScrollBarLook() const {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    if (!GetScrollBarInfo(Hwnd(), OBJID_VSCROLL, &info)) return {-1, -1, -1, -1, -1};
    return {static_cast<LONG>(info.rgstate[0]), info.rcScrollBar.bottom - info.rcScrollBar.top,
            info.xyThumbTop, info.xyThumbBottom, IsWindowEnabled(Hwnd())};
}

void GridControl::ScheduleScrollBar() {
    if (!Hwnd() || scrollBarPending_) return;
    scrollBarPending_ = true;
    PostMessageA(Hwnd(), kSyncScrollBar, 0, 0);
}

void GridControl::SyncScrollBar() {
    if (!Hwnd()) return;
    // A page as large as the range hides the bar: it shows exactly when some row is out of view.
    const std::array<int, 3> bar{Rows() - 1, VisibleRows(), TopRow()};
    if (bar == scrollBar_) return;
    scrollBar_ = bar;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = bar[0];
    si.nPage = static_cast<UINT>(bar[1]);
    si.nPos = bar[2];
    // Showing or hiding the bar happens here; drawing it waits for the next repaint.
    SetScrollInfo(Hwnd(), SB_VERT, &si, FALSE);
    InvalidateAll();
}

void GridControl::UpdateRowHeight() {
    int fontRowPixels = 16;
    if (Hwnd()) {
        HDC hdc = MeasuringDc();
        HGDIOBJ old = SelectObject(hdc, font_);
        TEXTMETRICA metrics;
        if (GetTextMetricsA(hdc, &metrics)) fontRowPixels = metrics.tmHeight + 3;
        SelectObject(hdc, old);
    }
    model_.SetRowHeightMin(
        EffectiveRowHeightTwips(rowHeightMinTwips_, fontRowPixels, twipsPerPixel_));
    InvalidateAll();
    ScheduleScrollBar();
}

int GridControl::RowPixels() const {
    return std::max(1, TwipsToPixels(model_.RowHeight(0), twipsPerPixel_));
}

std::array<int, 2> GridControl::ColPixels() const {
    return {TwipsToPixels(ColWidth(0), twipsPerPixel_), TwipsToPixels(ColWidth(1), twipsPerPixel_)};
}

void GridControl::SetRows(int rows) {
    model_.SetRows(rows);
    InvalidateAll();
    ScheduleScrollBar();
}

void GridControl::SetRow(int row) {
    model_.SetRow(row);
    InvalidateAll();
    AnnounceCurrentCell();
}

void GridControl::SetCol(int col) {
    model_.SetCol(col);
    InvalidateAll();
    AnnounceCurrentCell();
}

void GridControl::SetTopRow(int row) {
    const int before = TopRow();
    model_.SetTopRow(row);
    if (TopRow() == before) return;
    InvalidateAll();
    ScheduleScrollBar();
}

void GridControl::SetTextMatrix(int row, int col, const std::string& text) {
    model_.SetTextMatrix(row, col, text);
    InvalidateRow(row);
    // Only the line being typed is spoken: an operation rewrites every line.
    if (row == Row()) NotifyAccessible(EVENT_OBJECT_VALUECHANGE, Hwnd(), CellId(row, col));
}

void GridControl::SetColWidth(int col, int twips) {
    model_.SetColWidth(col, std::max(0, twips));
    InvalidateAll();
}

void GridControl::SetRowHeightMin(int twips) {
    rowHeightMinTwips_ = twips;
    UpdateRowHeight();
}

void GridControl::SetColAlignment(int col, int alignment) {
    model_.SetColAlignment(col, alignment);
    InvalidateAll();
}

void GridControl::AddItem(const std::string& text) {
    model_.AddItem(text);
    InvalidateRow(Rows() - 1);
    ScheduleScrollBar();
}

void GridControl::RemoveItem(int row) {
    model_.RemoveItem(row);
    InvalidateAll();
    ScheduleScrollBar();
    AnnounceCurrentCell();
}

void GridControl::Clear() {
    model_.Clear();
    InvalidateAll();
    AnnounceCurrentCell();
}

int GridControl::Width() const {
    return Hwnd() ? PixelsToTwips(OuterSize(Hwnd()).cx, twipsPerPixel_) : 0;
}

int GridControl::Height() const {
    return Hwnd() ? PixelsToTwips(OuterSize(Hwnd()).cy, twipsPerPixel_) : 0;
}

bool GridControl::Enabled() const {
    return Hwnd() && IsWindowEnabled(Hwnd());
}

void GridControl::SetFocus() {
    // Focusing the focused window changes nothing; asking the system costs a round trip per key.
    if (Hwnd() && !hasFocus_) ::SetFocus(Hwnd());
}

void GridControl::SetEvents(GridEvents* events) {
    events_ = events;
    model_.SetEvents(events);
}

}  // namespace zentra::win32
