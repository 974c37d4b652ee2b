// Edit controls: https://learn.microsoft.com/windows/win32/controls/edit-controls
#include "platform/controls/EditBox.h"

#include <algorithm>

#include "platform/controls/HostSupport.h"

namespace zentra::win32 {
namespace {

constexpr int kPointsPerInch = 72;

HFONT MakeFont(const std::string& name, int points, int dpi) {
    return CreateFontA(-MulDiv(points, dpi, kPointsPerInch), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                       FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, name.c_str());
}
// A replacement this soon after the one before is gathered; gathered ones reach the control at
// the latest after kFlushMs (WM_TIMER comes only when no other message waits).
constexpr DWORD kQuickRunMs = 50;
constexpr UINT kFlushMs = 30;
constexpr UINT_PTR kFlushTimer = 0x5A17;

// Typing, pasting, cutting and the control's own undo would change the text behind the keypad's
// back; the window's key preview and the operator keys' access keys do the typing instead.
bool IsSwallowed(UINT message, WPARAM wParam) {
    switch (message) {
        case WM_CHAR:
        case WM_PASTE:
        case WM_CUT:
        case WM_CLEAR:
        case WM_UNDO:
        case EM_UNDO:
        case WM_CONTEXTMENU:
            return true;
        case WM_KEYDOWN:
            return wParam == VK_DELETE || wParam == VK_BACK;
        default:
            return false;
    }
}

}  // namespace

std::unique_ptr<EditBox> EditBox::Create(const EditBoxArgs& args) {
    std::unique_ptr<EditBox> box(new EditBox());
    box->onChange_ = args.onChange;
    box->onFlushed_ = args.onFlushed;
    HWND hwnd = CreateWindowExA(
        0, "EDIT", "",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL, 0, 0, 0,
        0, args.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
        GetModuleHandleA(nullptr), nullptr);
    if (hwnd == nullptr) return nullptr;
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    box->fontPoints_ = args.fontPoints;
    box->fontName_ = args.fontName;
    box->font_ = MakeFont(box->fontName_, box->fontPoints_, dpi);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(box->font_), FALSE);
    // The keypad's own limit applies; the control's default would cut replacements at 30,000.
    SendMessageA(hwnd, EM_SETLIMITTEXT, 0, 0);
    box->Subclass(hwnd);
    return box;
}

void EditBox::SetDpi(int dpi) {
    HFONT font = MakeFont(fontName_, fontPoints_, dpi);
    if (font == nullptr) return;
    SendMessageA(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (font_ != nullptr) DeleteObject(font_);
    font_ = font;
}

EditBox::~EditBox() {
    // Gathered replacements and the window go before the font.
    if (Hwnd() != nullptr) DropGathered();
    DestroyOwnWindow();
    if (font_ != nullptr) DeleteObject(font_);
}

LRESULT EditBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        DropGathered();
    } else if (gathering_) {
        Flush();
    }
    if (message == WM_TIMER && wParam == kFlushTimer) return 0;
    if (message == kReflectedCommand) {
        if (HIWORD(wParam) == EN_CHANGE && onChange_) onChange_();
        return 0;
    }
    if (IsSwallowed(message, wParam)) return 0;
    return Default(message, wParam, lParam);
}

std::string EditBox::Text() const {
    return gathering_ ? gathered_.text : WindowText(Hwnd());
}

void EditBox::SetText(const std::string& text) {
    DropGathered();
    SetWindowTextA(Hwnd(), text.c_str());
}

int EditBox::SelStart() const {
    if (gathering_) return gathered_.selStart;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(Hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(start);
}

int EditBox::SelLength() const {
    if (gathering_) return gathered_.selEnd - gathered_.selStart;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(Hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void EditBox::Select(int start, int length) {
    if (gathering_) {
        const int size = static_cast<int>(gathered_.text.size());
        gathered_.selStart = std::clamp(start, 0, size);
        gathered_.selEnd = std::clamp(start + std::max(length, 0), gathered_.selStart, size);
        return;
    }
    SendMessageA(Hwnd(), EM_SETSEL, static_cast<WPARAM>(start),
                 static_cast<LPARAM>(start + length));
    SendMessageA(Hwnd(), EM_SCROLLCARET, 0, 0);
}

void EditBox::ReplaceSelection(const std::string& text) {
    Flush();
    SendMessageA(Hwnd(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

bool EditBox::ReplaceSelectionSoon(const std::string& text) {
    const DWORD now = GetTickCount();
    const bool quick = now - lastReplacement_ < kQuickRunMs;
    lastReplacement_ = now;
    if (!CanGather()) {
        if (!quick) {
            ReplaceSelection(text);
            return false;
        }
        Flush();
        BeginGathering();
    }
    Gathered& g = gathered_;
    g.text.replace(static_cast<std::size_t>(g.selStart),
                   static_cast<std::size_t>(g.selEnd - g.selStart), text);
    g.inserted += static_cast<int>(text.size());
    g.selStart = g.selEnd = g.from + g.inserted;
    return true;
}

// Only a run of insertions, each at the end of the one before, is gathered: the control then
// differs from the text in one range.
bool EditBox::CanGather() const {
    return gathering_ && gathered_.selStart == gathered_.selEnd &&
           gathered_.selStart == gathered_.from + gathered_.inserted;
}

void EditBox::BeginGathering() {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(Hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    gathered_ =
        Gathered{WindowText(Hwnd()),      static_cast<int>(start),       static_cast<int>(start),
                 static_cast<int>(start), static_cast<int>(end - start), 0};
    // The first replacement removes the selection.
    gathered_.selEnd = static_cast<int>(end);
    gathering_ = true;
    SetTimer(Hwnd(), kFlushTimer, kFlushMs, nullptr);
}

void EditBox::Flush() {
    if (!gathering_) return;
    DropGathered();
    const Gathered g = std::move(gathered_);
    const std::string inserted =
        g.text.substr(static_cast<std::size_t>(g.from), static_cast<std::size_t>(g.inserted));
    SendMessageA(Hwnd(), EM_SETSEL, static_cast<WPARAM>(g.from),
                 static_cast<LPARAM>(g.from + g.removed));
    SendMessageA(Hwnd(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(inserted.c_str()));
    Select(g.selStart, g.selEnd - g.selStart);
    if (onFlushed_) onFlushed_(g.from + g.inserted);
}

void EditBox::DropGathered() {
    if (!gathering_) return;
    gathering_ = false;
    KillTimer(Hwnd(), kFlushTimer);
}

int EditBox::LineCount() const {
    return static_cast<int>(SendMessageA(Hwnd(), EM_GETLINECOUNT, 0, 0));
}

int EditBox::LineHeight() const {
    HDC dc = MeasuringDc();
    HGDIOBJ old = SelectObject(dc, font_);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    return metrics.tmHeight;
}

int EditBox::CharWidth() const {
    HDC dc = MeasuringDc();
    HGDIOBJ old = SelectObject(dc, font_);
    SIZE size{};
    GetTextExtentPoint32A(dc, "0", 1, &size);
    SelectObject(dc, old);
    return size.cx;
}

int EditBox::TextMargins() const {
    RECT client{};
    GetClientRect(Hwnd(), &client);
    RECT format{};
    SendMessageA(Hwnd(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    return (client.right - client.left) - (format.right - format.left);
}

}  // namespace zentra::win32
