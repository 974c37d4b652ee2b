// Drawing with GDI text output: https://learn.microsoft.com/windows/win32/gdi/fonts-and-text
#include "platform/controls/ResultPane.h"

#include <oleacc.h>
#include <windowsx.h>

#include <algorithm>

#include "common/display/RtfRuns.h"
#include "controls/Accessibility.h"
#include "platform/controls/HostSupport.h"
#include "platform/controls/OffscreenPaint.h"
#include "window/WindowLayout.h"

namespace zentra::win32 {
namespace {

constexpr char kClassName[] = "Zentra.ResultPane";
// Pixels at 96 dpi: between the client edge and the text, and one step of the arrow keys.
constexpr int kInsetXPixels = 2;
constexpr int kInsetYPixels = 1;
constexpr int kScrollStepPixels = 8;

// A plain text as a document of its own: RTF's special characters escaped, lines as paragraphs.
std::string PlainTextDocument(const std::string& text) {
    std::string rtf = "{\\rtf1\\ansi ";
    for (const char c : text) {
        if (c == '\\' || c == '{' || c == '}') {
            rtf += '\\';
            rtf += c;
        } else if (c == '\n') {
            rtf += "\\par ";
        } else if (c != '\r') {
            rtf += c;
        }
    }
    return rtf + "}";
}

}  // namespace

class GdiMeasurer final : public TextMeasurer {
  public:
    GdiMeasurer(HDC hdc, ResultPane& pane) : hdc_(hdc), pane_(pane) {}

    FontMetrics Metrics(int halfPoints) const override { return MeasuresOf(halfPoints).metrics; }

    // GDI's extent of a string is the sum of its characters' advances (no kerning), so each
    // character is measured once per size.
    int TextWidth(std::string_view text, int halfPoints) const override {
        auto& measures = MeasuresOf(halfPoints);
        int width = 0;
        for (const char c : text) {
            int& advance = measures.widths[static_cast<unsigned char>(c)];
            if (advance < 0) {
                SelectObject(hdc_, pane_.FontFor(halfPoints));
                SIZE size{};
                GetTextExtentPoint32A(hdc_, &c, 1, &size);
                advance = size.cx;
            }
            width += advance;
        }
        return width;
    }

  private:
    ResultPane::FontMeasures& MeasuresOf(int halfPoints) const {
        auto [it, added] = pane_.measures_.try_emplace(halfPoints);
        if (added) {
            SelectObject(hdc_, pane_.FontFor(halfPoints));
            TEXTMETRICA tm{};
            GetTextMetricsA(hdc_, &tm);
            it->second.metrics = {tm.tmAscent, tm.tmDescent};
            it->second.widths.fill(-1);
        }
        return it->second;
    }

    HDC hdc_;
    ResultPane& pane_;
};

std::unique_ptr<ResultPane> ResultPane::Create(ResultPaneArgs args) {
    WindowCreation creation = WindowCreation::Child(args);
    creation.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_DISABLED;
    std::unique_ptr<ResultPane> pane(new ResultPane(std::move(args)));
    pane->pixelsPerInch_ = std::max(1, ScreenResolution().y);
    WindowClass windowClass;
    windowClass.name = kClassName;
    windowClass.cursor = IDC_IBEAM;
    if (!pane->CreateWindowFor(windowClass, creation)) return nullptr;
    return pane;
}

ResultPane::~ResultPane() {
    // The window goes before the fonts it draws with.
    DestroyOwnWindow();
    for (auto& [size, font] : fonts_) DeleteObject(font);
}

LRESULT ResultPane::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (const auto mouse = DecodeMouseButton(msg, wp, lp);
        mouse && mouse->action == MouseAction::Down) {
        OnMouseDown(*mouse);
        return 0;
    }
    if (const auto painted = PaintSelf(Hwnd(), msg, wp, [this](HDC hdc) { Paint(hdc); })) {
        return *painted;
    }
    if (const auto keyed = TakeArrowKeys(msg, wp, [this](WPARAM key) { return OnKey(key); })) {
        return *keyed;
    }
    switch (msg) {
        case WM_SIZE:
            ScrollTo(scrollX_);
            return 0;
        case WM_ENABLE:
            InvalidateRect(Hwnd(), nullptr, FALSE);
            return 0;
        case WM_MOUSEWHEEL:
            ScrollTo(scrollX_ - GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA * 3 * ScrollStep());
            return 0;
        case WM_GETTEXT:
            return AnswerGetText(PlainText(), wp, lp);
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(PlainText().size());
        case WM_SETTEXT:
            SetText(lp ? reinterpret_cast<const char*>(lp) : "");
            return TRUE;
        default:
            break;
    }
    return Default(msg, wp, lp);
}

void ResultPane::Paint(HDC hdc) {
    const RECT client = FillClient(Hwnd(), hdc, COLOR_WINDOW);
    SetTextColor(hdc, GetSysColor(IsWindowEnabled(Hwnd()) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    SetBkMode(hdc, TRANSPARENT);
    const UINT oldAlign = SetTextAlign(hdc, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
    HGDIOBJ oldFont = nullptr;
    std::string scratch;
    // Only what shows: a long result is mostly out of view.
    const auto runs = PlaceRuns(document_, layout_, GdiMeasurer(hdc, *this), pixelsPerInch_,
                                scrollX_ - InsetX(), scrollX_ - InsetX() + client.right);
    for (const auto& run : runs) {
        HGDIOBJ previous = SelectObject(hdc, FontFor(run.halfPoints));
        if (!oldFont) oldFont = previous;
        const std::string_view text = ShownText(document_, run, scratch);
        TextOutA(hdc, InsetX() + run.x - scrollX_, InsetY() + run.baseline, text.data(),
                 static_cast<int>(text.size()));
    }
    if (oldFont) SelectObject(hdc, oldFont);
    SetTextAlign(hdc, oldAlign);
}

void ResultPane::ShowDocument(std::string rtf) {
    rtf_ = std::move(rtf);
    document_ = ParseRtfDocument(rtf_);
    givenText_.reset();
    if (!Hwnd()) return;
    HDC hdc = GetDC(Hwnd());
    HGDIOBJ oldFont = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    layout_ = LayOutDocument(document_, GdiMeasurer(hdc, *this), pixelsPerInch_);
    SelectObject(hdc, oldFont);
    ReleaseDC(Hwnd(), hdc);
    ScrollTo(scrollX_);
    InvalidateRect(Hwnd(), nullptr, FALSE);
    NotifyAccessible(EVENT_OBJECT_VALUECHANGE, Hwnd(), CHILDID_SELF);
}

// Static text whose value is the result as one line of plain text.
AccessibleItem ResultPane::AccessibleDescribe(long) {
    AccessibleItem item = DescribeWindow(ROLE_SYSTEM_STATICTEXT);
    item.name = "Result";
    item.value = givenText_ ? *givenText_ : FormulaPlainText(document_);
    item.state = STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE;
    return item;
}

std::vector<PlacedRun> ResultPane::PlacedRuns() {
    if (!Hwnd()) return {};
    HDC hdc = GetDC(Hwnd());
    auto runs = PlaceRuns(document_, layout_, GdiMeasurer(hdc, *this), pixelsPerInch_);
    ReleaseDC(Hwnd(), hdc);
    return runs;
}

int ResultPane::InsetX() const {
    return ScalePixels(kInsetXPixels, pixelsPerInch_);
}
int ResultPane::InsetY() const {
    return ScalePixels(kInsetYPixels, pixelsPerInch_);
}
int ResultPane::ScrollStep() const {
    return ScalePixels(kScrollStepPixels, pixelsPerInch_);
}

int ResultPane::MaxScroll() const {
    RECT client{};
    if (Hwnd()) GetClientRect(Hwnd(), &client);
    return std::max(0, layout_.width + 2 * InsetX() - static_cast<int>(client.right));
}

void ResultPane::ScrollTo(int x) {
    const int clamped = std::clamp(x, 0, MaxScroll());
    if (clamped == scrollX_) return;
    scrollX_ = clamped;
    if (Hwnd()) InvalidateRect(Hwnd(), nullptr, FALSE);
}

void ResultPane::OnMouseDown(const MouseButtonEvent& mouse) {
    if (mouse.button == 1) ::SetFocus(Hwnd());
    if (!args_.onMouseDown) return;
    const int twipsPerPixel = TwipsPerPixel(pixelsPerInch_);
    args_.onMouseDown(mouse.button, mouse.shift, mouse.at.x * twipsPerPixel,
                      mouse.at.y * twipsPerPixel);
}

bool ResultPane::OnKey(WPARAM key) {
    switch (key) {
        case VK_LEFT:
            ScrollTo(scrollX_ - ScrollStep());
            return true;
        case VK_RIGHT:
            ScrollTo(scrollX_ + ScrollStep());
            return true;
        case VK_HOME:
            ScrollTo(0);
            return true;
        case VK_END:
            ScrollTo(MaxScroll());
            return true;
        default:
            return false;
    }
}

HFONT ResultPane::FontFor(int halfPoints) {
    auto it = fonts_.find(halfPoints);
    if (it != fonts_.end()) return it->second;
    HFONT font = CreateFontA(-HalfPointsToPixels(halfPoints, pixelsPerInch_), 0, 0, 0, FW_NORMAL,
                             FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                             ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
    fonts_.emplace(halfPoints, font);
    return font;
}

void ResultPane::SetTextRTF(std::string rtf) {
    ShowDocument(std::move(rtf));
}

void ResultPane::SetText(const std::string& text) {
    ShowDocument(text.empty() ? std::string() : PlainTextDocument(text));
    givenText_ = text;
}

void ResultPane::SetEnabled(bool enabled) {
    if (Hwnd()) EnableWindow(Hwnd(), enabled ? TRUE : FALSE);
}

bool ResultPane::Enabled() const {
    return Hwnd() && IsWindowEnabled(Hwnd());
}

void ResultPane::SetDpi(int dpi) {
    if (dpi <= 0 || dpi == pixelsPerInch_) return;
    pixelsPerInch_ = dpi;
    for (const auto& [halfPoints, font] : fonts_) DeleteObject(font);
    fonts_.clear();
    measures_.clear();
    const std::optional<std::string> given = givenText_;
    ShowDocument(rtf_);
    givenText_ = given;
}

void ResultPane::ResetView() {
    ScrollTo(0);
}

}  // namespace zentra::win32
