// Window messages used:
// https://learn.microsoft.com/windows/win32/inputdev/mouse-input-notifications and tooltips:
// https://learn.microsoft.com/windows/win32/controls/tooltip-control-reference
#include "platform/controls/CommandButtonWindow.h"

#include <commctrl.h>
#include <oleacc.h>
#include <windowsx.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "controls/Accessibility.h"
#include "platform/controls/HostSupport.h"
#include "platform/controls/OffscreenPaint.h"
#include "window/WindowLayout.h"

namespace zentra::win32 {
namespace {

constexpr UINT_PTR kFlashTimerId = 1;

PixelScale ScreenScale() {
    const ScreenDpi& dpi = ScreenResolution();
    return {TwipsPerPixel(dpi.x), TwipsPerPixel(dpi.y), ScalePixels(1, dpi.y)};
}

COLORREF ToColorRef(Colour colour) {
    if (IsSystemColour(colour)) return GetSysColor(static_cast<int>(colour & 0xFF));
    return static_cast<COLORREF>(colour & 0x00FFFFFF);
}

int CALLBACK NoteFaceFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// Looked up once per face: the keys share a handful of faces, and enumerating fonts is slow.
bool FaceInstalled(const std::string& face) {
    static std::map<std::string, bool> installed;
    if (const auto it = installed.find(face); it != installed.end()) return it->second;
    LOGFONTA query{};
    query.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(query.lfFaceName, face.c_str(), LF_FACESIZE);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExA(screen, &query, NoteFaceFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    installed.emplace(face, found);
    return found;
}

// Whether every character of `text` has a glyph in the font selected into `dc`.
bool HasGlyphs(HDC dc, const std::string& text, bool unicode) {
    const std::string probe = text.empty() ? std::string("P") : text;
    std::vector<WORD> glyphs(probe.size() + 1);
    DWORD count = 0;
    if (unicode) {
        const std::u16string wide = SymbolToUnicode(probe);
        count = GetGlyphIndicesW(dc, reinterpret_cast<LPCWSTR>(wide.c_str()),
                                 static_cast<int>(wide.size()), glyphs.data(),
                                 GGI_MARK_NONEXISTING_GLYPHS);
    } else {
        count = GetGlyphIndicesA(dc, probe.c_str(), static_cast<int>(probe.size()), glyphs.data(),
                                 GGI_MARK_NONEXISTING_GLYPHS);
    }
    if (count == GDI_ERROR) return false;
    return std::none_of(glyphs.begin(), glyphs.begin() + count,
                        [](WORD glyph) { return glyph == 0xFFFF; });
}

HFONT CreateFace(const ButtonFont& font, const FaceCandidate& candidate, int dpi) {
    const int height = -MulDiv(font.sizeCentipoints, dpi, 7200);
    return CreateFontA(height, 0, 0, 0, candidate.weight, font.italic, font.underline,
                       font.strikethrough, static_cast<DWORD>(candidate.charset),
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, candidate.face.c_str());
}

// The first installed face of the font's kind that can show the caption; symbol fonts only
// count when they really hold the caption's glyphs.
HFONT CreateButtonFont(const ButtonFont& font, const std::string& caption, int dpi, bool& unicode) {
    const auto candidates = SameKindFaces(font);
    HDC screen = MeasuringDc();
    HFONT chosen = nullptr;
    for (const auto& candidate : candidates) {
        if (!FaceInstalled(candidate.face)) continue;
        HFONT made = CreateFace(font, candidate, dpi);
        if (made == nullptr) continue;
        HGDIOBJ old = SelectObject(screen, made);
        const bool usable = (candidate.charset != kSymbolCharset && !candidate.symbolAsUnicode) ||
                            HasGlyphs(screen, caption, candidate.symbolAsUnicode);
        SelectObject(screen, old);
        if (usable) {
            chosen = made;
            unicode = candidate.symbolAsUnicode;
            break;
        }
        DeleteObject(made);
    }
    if (chosen == nullptr) {
        chosen = CreateFace(font, candidates.back(), dpi);
        unicode = candidates.back().symbolAsUnicode;
    }
    return chosen;
}

// The common controls are loaded with the first tooltip rather than with the program: most
// sessions never hover over a key, and loading them costs every start-up under Wine.
bool LoadToolTipClass() {
    static const bool loaded = [] {
        using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        HMODULE module = LoadLibraryA("comctl32.dll");
        if (module == nullptr) return false;
        const auto init = reinterpret_cast<InitFunction>(
            reinterpret_cast<void (*)()>(GetProcAddress(module, "InitCommonControlsEx")));
        const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        return init != nullptr && init(&controls) != FALSE;
    }();
    return loaded;
}

// The first image of a .cur or .ico file as a cursor.
HCURSOR CursorFromIconFile(const std::vector<std::uint8_t>& file) {
    auto u16 = [&](std::size_t at) { return static_cast<WORD>(file[at] | file[at + 1] << 8); };
    auto u32 = [&](std::size_t at) { return static_cast<DWORD>(u16(at) | u16(at + 2) << 16); };
    if (file.size() < 22 || u16(0) != 0 || (u16(2) != 1 && u16(2) != 2) || u16(4) == 0) {
        return nullptr;
    }
    const bool isCursor = u16(2) == 2;
    const DWORD size = u32(14);
    const DWORD offset = u32(18);
    if (offset > file.size() || size > file.size() - offset || size == 0) return nullptr;
    // CreateIconFromResourceEx expects a cursor image to start with its hot spot.
    std::vector<BYTE> image;
    if (isCursor) {
        const WORD hotX = u16(10);
        const WORD hotY = u16(12);
        image = {static_cast<BYTE>(hotX), static_cast<BYTE>(hotX >> 8), static_cast<BYTE>(hotY),
                 static_cast<BYTE>(hotY >> 8)};
    }
    image.insert(image.end(), file.begin() + offset, file.begin() + offset + size);
    return reinterpret_cast<HCURSOR>(
        CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()), !isCursor,
                                 0x00030000, 0, 0, LR_DEFAULTCOLOR));
}

LPCSTR StandardCursor(std::int16_t pointer) {
    switch (pointer) {
        case 2:
            return IDC_CROSS;
        case 3:
            return IDC_IBEAM;
        case 5:
        case 15:
            return IDC_SIZEALL;
        case 6:
            return IDC_SIZENESW;
        case 7:
            return IDC_SIZENS;
        case 8:
            return IDC_SIZENWSE;
        case 9:
            return IDC_SIZEWE;
        case 10:
            return IDC_UPARROW;
        case 11:
            return IDC_WAIT;
        case 12:
            return IDC_NO;
        case 13:
            return IDC_APPSTARTING;
        case 14:
            return IDC_HELP;
        default:
            return IDC_ARROW;
    }
}

std::int16_t KeyShiftState() {
    return static_cast<std::int16_t>(KeyboardShiftState());
}

std::int16_t HeldButtons(WPARAM keys) {
    int buttons = 0;
    if (keys & MK_LBUTTON) buttons |= 1;
    if (keys & MK_RBUTTON) buttons |= 2;
    if (keys & MK_MBUTTON) buttons |= 4;
    return static_cast<std::int16_t>(buttons);
}

// Draws (or with DT_CALCRECT measures) a caption, as Unicode when a stand-in shows a symbol font.
void DrawCaptionText(HDC dc, const std::string& text, bool unicode, RECT& rect, UINT flags) {
    flags |= DT_LEFT | DT_TOP | DT_SINGLELINE;
    if (unicode) {
        const std::u16string wide = SymbolToUnicode(text);
        DrawTextW(dc, reinterpret_cast<LPCWSTR>(wide.c_str()), static_cast<int>(wide.size()), &rect,
                  flags);
    } else {
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
    }
}

// The drawing port on a GDI device context.
class GdiCanvas : public ButtonCanvas {
  public:
    // `highContrast`: the face and caption take the user's colours; the frame's system colours
    // follow the theme anyway.
    GdiCanvas(HDC dc, HFONT font, bool unicode, bool highContrast, bool enabled)
        : dc_(dc), font_(font), unicode_(unicode), highContrast_(highContrast), enabled_(enabled) {}

    void FillRect(const PixelRect& r, Colour colour) override {
        if (r.width <= 0 || r.height <= 0) return;
        const RECT rect{r.left, r.top, r.left + r.width, r.top + r.height};
        if (!IsSystemColour(colour))
            colour = ChooseColour(ColourUse::KeyFace, colour, highContrast_);
        HBRUSH brush = CreateSolidBrush(ToColorRef(colour));
        ::FillRect(dc_, &rect, brush);
        DeleteObject(brush);
    }

    void FrameLine(int x1, int y1, int x2, int y2, Colour colour) override {
        // Axis-parallel lines as one-pixel rectangles: exact ends, like a pen that stops short.
        if (y1 == y2) return FillRect({std::min(x1, x2), y1, std::abs(x2 - x1), 1}, colour);
        if (x1 == x2) return FillRect({x1, std::min(y1, y2), 1, std::abs(y2 - y1)}, colour);
        HPEN pen = CreatePen(PS_SOLID, 1, ToColorRef(colour));
        HGDIOBJ old = SelectObject(dc_, pen);
        MoveToEx(dc_, x1, y1, nullptr);
        LineTo(dc_, x2, y2);
        SelectObject(dc_, old);
        DeleteObject(pen);
    }

    void DrawCaption(const PixelRect& clip, int x, int y, const std::string& text,
                     const ButtonFont&, Colour colour, bool useMnemonic) override {
        if (clip.width <= 0 || clip.height <= 0) return;
        const int saved = SaveDC(dc_);
        IntersectClipRect(dc_, clip.left, clip.top, clip.left + clip.width, clip.top + clip.height);
        SelectObject(dc_, font_);
        SetBkMode(dc_, TRANSPARENT);
        const ColourUse use = enabled_ ? ColourUse::KeyText : ColourUse::KeyDisabledText;
        SetTextColor(dc_, ToColorRef(ChooseColour(use, colour, highContrast_)));
        RECT at{x, y, x + 32767, y + 32767};
        DrawCaptionText(dc_, text, unicode_, at, useMnemonic ? 0u : DT_NOPREFIX);
        RestoreDC(dc_, saved);
    }

    void DrawPicture(const PixelRect& clip, int x, int y, const ButtonPicture& picture) override {
        if (clip.width <= 0 || clip.height <= 0) return;
        const int saved = SaveDC(dc_);
        IntersectClipRect(dc_, clip.left, clip.top, clip.left + clip.width, clip.top + clip.height);
        const auto* info =
            reinterpret_cast<const BITMAPINFO*>(picture.bmp.data() + picture.infoOffset);
        StretchDIBits(dc_, x, y, picture.width, picture.height, 0, 0, picture.width, picture.height,
                      picture.bmp.data() + picture.bitsOffset, info, DIB_RGB_COLORS, SRCCOPY);
        RestoreDC(dc_, saved);
    }

  private:
    HDC dc_;
    HFONT font_;
    bool unicode_;
    bool highContrast_;
    bool enabled_;
};

}  // namespace

CommandButtonArgs ArgsFromDesign(const KeyDesign& design, HWND parent, int id) {
    constexpr int kDesignTwipsPerPixel = 15;
    CommandButtonArgs args;
    args.parent = parent;
    args.id = id;
    args.x = design.left / kDesignTwipsPerPixel;
    args.y = design.top / kDesignTwipsPerPixel;
    args.width = design.width / kDesignTwipsPerPixel;
    args.height = design.height / kDesignTwipsPerPixel;
    args.properties = &design.properties;
    args.toolTip = design.toolTip;
    args.designArray = design.array;
    args.designIndex = design.index;
    args.helpContextId = static_cast<DWORD>(design.helpContextId);
    return args;
}

CommandButtonWindow::CommandButtonWindow(const CommandButtonArgs& args)
    : initialProperties_(args.properties),
      onClick_(args.onClick),
      onDblClick_(args.onDblClick),
      onMouseDown_(args.onMouseDown),
      designArray_(args.designArray),
      designIndex_(args.designIndex),
      dpi_(std::max(1, ScreenResolution().y)),
      button_(*this, *this, ScreenScale()) {
    button_.SetEvents(this);
}

std::unique_ptr<CommandButtonWindow> CommandButtonWindow::Create(const CommandButtonArgs& args) {
    std::unique_ptr<CommandButtonWindow> self(new CommandButtonWindow(args));
    WindowCreation creation = WindowCreation::Child(
        {args.parent, args.id, {args.x, args.y, args.x + args.width, args.y + args.height}});
    creation.style = WS_CHILD | WS_CLIPSIBLINGS | (args.visible ? WS_VISIBLE : 0);
    WindowClass windowClass;
    windowClass.name = kClassName;
    windowClass.style = CS_DBLCLKS;
    if (!self->CreateWindowFor(windowClass, creation)) return nullptr;
    self->initialProperties_ = nullptr;  // borrowed only while creating
    if (args.helpContextId != 0) SetWindowContextHelpId(self->Hwnd(), args.helpContextId);
    if (!args.toolTip.empty()) self->SetToolTip(args.toolTip);
    return self;
}

CommandButtonWindow* CommandButtonWindow::FromHwnd(HWND hwnd) {
    char name[64];
    if (hwnd == nullptr || GetClassNameA(hwnd, name, sizeof name) == 0 ||
        lstrcmpA(name, kClassName) != 0) {
        return nullptr;
    }
    return static_cast<CommandButtonWindow*>(BoundTo(hwnd));
}

namespace {

// A disabled panel or window takes no input for the keys on it, whatever their own state.
bool TakesInput(HWND window) {
    for (HWND w = window; w != nullptr;
         w = (GetWindowLongPtrA(w, GWL_STYLE) & WS_CHILD) != 0 ? GetParent(w) : nullptr) {
        if (!IsWindowEnabled(w)) return false;
    }
    return true;
}

}  // namespace

bool CommandButtonWindow::PressAccessKey(HWND parent, char key) {
    if (!TakesInput(parent)) return false;
    const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        CommandButtonWindow* self = FromHwnd(child);
        if (self == nullptr || !IsWindowVisible(child) || !self->button_.Enabled()) continue;
        const std::string& keys = self->button_.Accelerator();
        if (std::any_of(keys.begin(), keys.end(), [&](char c) { return lower(c) == lower(key); })) {
            self->button_.OnAccessKey();
            return true;
        }
    }
    return false;
}

CommandButtonWindow::~CommandButtonWindow() {
    // The window goes before its tooltip, font and cursor.
    if (Hwnd() != nullptr) KillTimer(Hwnd(), kFlashTimerId);
    DestroyOwnWindow();
    if (toolTip_ != nullptr) DestroyWindow(toolTip_);
    if (font_ != nullptr) DeleteObject(font_);
    if (customCursor_ != nullptr) DestroyCursor(customCursor_);
}

void CommandButtonWindow::SetVisible(bool visible) {
    if (Hwnd() != nullptr) ShowWindow(Hwnd(), visible ? SW_SHOWNA : SW_HIDE);
}

void CommandButtonWindow::SetToolTip(const std::string& text) {
    toolTipText_ = text;
    if (toolTip_ == nullptr) return;  // made with this text when first needed
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;  // accepted by every comctl32 version
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(Hwnd());
    tool.uId = reinterpret_cast<UINT_PTR>(Hwnd());
    std::string copy = toolTipText_;  // the control copies it; it only asks for a writable pointer
    tool.lpszText = copy.data();
    if (SendMessageA(toolTip_, TTM_GETTOOLCOUNT, 0, 0) == 0) {
        SendMessageA(toolTip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    } else {
        SendMessageA(toolTip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void CommandButtonWindow::CreateToolTip() {
    if (toolTip_ != nullptr || Hwnd() == nullptr || toolTipText_.empty()) return;
    if (!LoadToolTipClass()) return;
    toolTip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Hwnd(), nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    if (toolTip_ != nullptr) SetToolTip(toolTipText_);
}

LRESULT CommandButtonWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto mouse = DecodeMouseButton(message, wParam, lParam)) {
        OnMouseButton(*mouse);
        return 0;
    }
    // Drawn off screen first so that a press never shows half a frame.
    if (const auto painted = PaintSelf(Hwnd(), message, wParam, [this](HDC dc) { PaintTo(dc); })) {
        return *painted;
    }
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    switch (message) {
        case WM_DESTROY:
            // The tooltip belongs to the top-level window; it must not outlive its tool.
            if (toolTip_ != nullptr) DestroyWindow(toolTip_);
            toolTip_ = nullptr;
            break;
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_SIZE:
            button_.OnResize(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_SETCURSOR:
            if (OnSetCursor()) return TRUE;
            break;
        case WM_MOUSEMOVE:
            if (toolTip_ == nullptr && !toolTipText_.empty()) {
                // The tooltip watches the key's messages from now on; this first move it is told.
                CreateToolTip();
                MSG move{Hwnd(), message, wParam, lParam, 0, {}};
                if (toolTip_ != nullptr) {
                    SendMessageA(toolTip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
                }
            }
            button_.OnMouseMove(HeldButtons(wParam),
                                static_cast<std::int16_t>(MouseShiftState(wParam)), x, y);
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != Hwnd()) button_.OnMouseCancelled();
            return 0;
        case WM_TIMER:
            if (wParam == kFlashTimerId) button_.OnTimer();
            return 0;
        case WM_KEYDOWN:
        case WM_KEYUP: {
            auto code = static_cast<std::int16_t>(wParam);
            std::int16_t shift = KeyShiftState();
            if (message == WM_KEYDOWN) {
                button_.OnKeyDown(code, shift);
            } else {
                button_.OnKeyUp(code, shift);
            }
            return 0;
        }
        case WM_CHAR: {
            auto ascii = static_cast<std::int16_t>(wParam & 0xFF);
            button_.OnKeyPress(ascii);
            return 0;
        }
        case WM_SETTEXT:
            button_.SetCaption(lParam != 0 ? reinterpret_cast<const char*>(lParam) : "");
            return TRUE;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            Invalidate();
            break;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

// The left button captures the mouse while it is down; a second click of the left button is a
// double-click, of the others a press.
void CommandButtonWindow::OnMouseButton(const MouseButtonEvent& mouse) {
    const auto button = static_cast<std::int16_t>(mouse.button);
    const auto shift = static_cast<std::int16_t>(mouse.shift);
    const bool left = button == 1;
    switch (mouse.action) {
        case MouseAction::Down:
            if (left) SetCapture(Hwnd());
            button_.OnMouseDown(button, shift, mouse.at.x, mouse.at.y);
            break;
        case MouseAction::DoubleClick:
            if (!left) {
                button_.OnMouseDown(button, shift, mouse.at.x, mouse.at.y);
                break;
            }
            SetCapture(Hwnd());
            button_.OnDoubleClick();
            break;
        case MouseAction::Up:
            button_.OnMouseUp(button, shift, mouse.at.x, mouse.at.y);
            if (left && Hwnd() != nullptr && GetCapture() == Hwnd()) ReleaseCapture();
            break;
    }
}

void CommandButtonWindow::OnCreate() {
    if (initialProperties_ != nullptr) {
        button_.LoadProperties(*initialProperties_);
    } else {
        button_.SetCaption("");
    }
    RECT client{};
    GetClientRect(Hwnd(), &client);
    button_.OnResize(client.right, client.bottom);
}

void CommandButtonWindow::PaintTo(HDC dc) {
    HFONT font = FontFor(button_.Font(), button_.Caption());
    GdiCanvas canvas(dc, font, fontIsUnicode_, HighContrast(), button_.Enabled());
    button_.Draw(canvas);
    // A key that holds the keyboard focus shows it, inside its frame.
    if (GetFocus() == Hwnd()) {
        RECT focus{};
        GetClientRect(Hwnd(), &focus);
        InflateRect(&focus, -4, -4);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &focus);
    }
}

bool CommandButtonWindow::OnSetCursor() {
    const std::int16_t pointer = static_cast<std::int16_t>(button_.MousePointer());
    if (pointer == 0) return false;  // the class cursor, or what the parent sets
    if (pointer == 99) {
        if (customCursor_ == nullptr) return false;
        SetCursor(customCursor_);
        return true;
    }
    SetCursor(LoadCursorA(nullptr, StandardCursor(pointer)));
    return true;
}

void CommandButtonWindow::Rescale(int dpi, int width, int height) {
    if (dpi != dpi_) {
        dpi_ = dpi;
        button_.SetFrameLinePixels(ScalePixels(1, dpi));
        if (font_ != nullptr) DeleteObject(font_);
        font_ = nullptr;
    }
    SetWindowPos(Hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The same size still measures the caption again in the new font.
    button_.OnResize(width, height);
}

HFONT CommandButtonWindow::FontFor(const ButtonFont& font, const std::string& caption) {
    if (font_ == nullptr || !(font == fontSpec_) || caption != fontCaption_) {
        if (font_ != nullptr) DeleteObject(font_);
        font_ = CreateButtonFont(font, caption, dpi_, fontIsUnicode_);
        fontSpec_ = font;
        fontCaption_ = caption;
    }
    return font_;
}

PixelSize CommandButtonWindow::MeasureCaption(const std::string& text, const ButtonFont& font,
                                              bool useMnemonic) {
    HDC dc = MeasuringDc();
    HGDIOBJ old = SelectObject(dc, FontFor(font, text));
    RECT rect{0, 0, 0, 0};
    DrawCaptionText(dc, text, fontIsUnicode_, rect, DT_CALCRECT | (useMnemonic ? 0u : DT_NOPREFIX));
    SelectObject(dc, old);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void CommandButtonWindow::Invalidate() {
    if (Hwnd() != nullptr) InvalidateRect(Hwnd(), nullptr, FALSE);
}

void CommandButtonWindow::SetAccessKeys(const std::string&) {
    // The Accelerator stays in the core; PressAccessKey reads it from there.
}

void CommandButtonWindow::SetInputEnabled(bool enabled) {
    if (Hwnd() != nullptr) EnableWindow(Hwnd(), enabled);
}

void CommandButtonWindow::SetPointer(std::int16_t, const std::vector<std::uint8_t>* icon) {
    if (customCursor_ != nullptr) DestroyCursor(customCursor_);
    customCursor_ = icon != nullptr ? CursorFromIconFile(*icon) : nullptr;
}

void CommandButtonWindow::PropertyChanged(std::string_view key) {
    if (Hwnd() == nullptr) return;
    if (key == "Caption") {
        // The window text mirrors the caption for accessibility and WM_GETTEXT.
        DefWindowProcA(Hwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(button_.Caption().c_str()));
    }
}

void CommandButtonWindow::Start(int milliseconds) {
    if (Hwnd() != nullptr)
        SetTimer(Hwnd(), kFlashTimerId, static_cast<UINT>(milliseconds), nullptr);
}

void CommandButtonWindow::Stop() {
    if (Hwnd() != nullptr) KillTimer(Hwnd(), kFlashTimerId);
}

AccessibleItem CommandButtonWindow::AccessibleDescribe(long) {
    AccessibleItem item = DescribeWindow(ROLE_SYSTEM_PUSHBUTTON);
    const KeyAccessText text = KeyAccessibleText(designArray_, designIndex_, button_.Caption());
    item.name = text.name;
    item.shortcut = text.shortcut;
    item.description = toolTipText_;
    item.defaultAction = "Press";
    item.state = STATE_SYSTEM_FOCUSABLE;
    if (!button_.Enabled()) item.state |= STATE_SYSTEM_UNAVAILABLE;
    if (button_.Pressed()) item.state |= STATE_SYSTEM_PRESSED;
    return item;
}

bool CommandButtonWindow::AccessibleDoDefault(long) {
    if (!button_.Enabled()) return false;
    RECT client{};
    GetClientRect(Hwnd(), &client);
    PostClick(Hwnd(), client);
    return true;
}

void CommandButtonWindow::Click() {
    if (onClick_) onClick_();
}

void CommandButtonWindow::DblClick() {
    if (onDblClick_) onDblClick_();
}

void CommandButtonWindow::KeyDown(std::int16_t&, std::int16_t&) {}
void CommandButtonWindow::KeyPress(std::int16_t&) {}
void CommandButtonWindow::KeyUp(std::int16_t&, std::int16_t&) {}

void CommandButtonWindow::MouseDown(ButtonMouse& mouse) {
    if (onMouseDown_) onMouseDown_(mouse);
}

void CommandButtonWindow::MouseMove(ButtonMouse&) {}
void CommandButtonWindow::MouseUp(ButtonMouse&) {}

}  // namespace zentra::win32
