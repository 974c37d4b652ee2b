#include "platform/controls/AccessibleObject.h"

#include <oleacc.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/controls/WindowBase.h"

namespace zentra::win32 {
namespace {

// MinGW's x86-64 oleacc import library resolves IID_IAccessible to a code stub, not the GUID.
constexpr IID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

HRESULT AnswerText(const std::string& text, BSTR* out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    *out = SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (*out == nullptr) return E_OUTOFMEMORY;
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), *out, length);
    return S_OK;
}

void SetChild(VARIANT* out, long child) {
    out->vt = VT_I4;
    out->lVal = child;
}

// A window is unavailable when it or a window it lies in is disabled.
bool Unavailable(HWND hwnd) {
    for (HWND w = hwnd; w != nullptr;
         w = (GetWindowLongPtrW(w, GWL_STYLE) & WS_CHILD) != 0 ? GetParent(w) : nullptr) {
        if (!IsWindowEnabled(w)) return true;
    }
    return false;
}

// Parts' event ids: -(item * kPartsPerItem + part).
constexpr long kPartsPerItem = 16;

IDispatch* ClientObject(HWND hwnd) {
    IDispatch* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), IID_IDispatch,
                                          reinterpret_cast<void**>(&object)))) {
        return nullptr;
    }
    return object;
}

// The window's object (item 0), or one of its items that has parts (a table's row).
class WindowAccessible final : public IAccessible {
  public:
    explicit WindowAccessible(HWND hwnd, long item = 0) : hwnd_(hwnd), item_(item) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kIidAccessible) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&refs_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG refs = InterlockedDecrement(&refs_);
        if (refs == 0) delete this;
        return static_cast<ULONG>(refs);
    }

    // IDispatch: clients of this object call IAccessible directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count != nullptr) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (parent == nullptr) return E_POINTER;
        *parent = nullptr;
        if (!IsWindow(hwnd_)) return CO_E_OBJNOTCONNECTED;
        if (item_ != 0) {
            *parent = new WindowAccessible(hwnd_);
            return S_OK;
        }
        if ((GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_CHILD) == 0) return S_FALSE;
        *parent = ClientObject(GetParent(hwnd_));
        return *parent != nullptr ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (count == nullptr) return E_POINTER;
        AccessibleSource* source = Source();
        if (source == nullptr) return CO_E_OBJNOTCONNECTED;
        *count = OwnChildCount(*source) + static_cast<long>(ChildWindows().size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        AccessibleSource* source = Source();
        if (source == nullptr) return CO_E_OBJNOTCONNECTED;
        if (child.vt != VT_I4) return E_INVALIDARG;
        const long items = OwnChildCount(*source);
        if (item_ == 0 && child.lVal > 0 && child.lVal <= items &&
            source->AccessiblePartCount(child.lVal) > 0) {
            *out = new WindowAccessible(hwnd_, child.lVal);
            return S_OK;
        }
        if (child.lVal >= 0 && child.lVal <= items) return S_FALSE;  // simple elements
        if (child.lVal < 0) {                                        // a part named by an event
            AccessibleItem part;
            return Item(child, part) == S_OK ? S_FALSE : E_INVALIDARG;
        }
        const std::vector<HWND> windows = ChildWindows();
        const long index = child.lVal - items - 1;
        if (index < 0 || index >= static_cast<long>(windows.size())) return E_INVALIDARG;
        *out = ClientObject(windows[static_cast<std::size_t>(index)]);
        return *out != nullptr ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
        return Describe(child, out, [](const AccessibleItem& item) { return item.name; });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        return Describe(child, out, [](const AccessibleItem& item) { return item.value; });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        return Describe(child, out, [](const AccessibleItem& item) { return item.description; });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override {
        if (out != nullptr) *out = nullptr;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (file != nullptr) *file = nullptr;
        if (topic != nullptr) *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        return Describe(child, out, [](const AccessibleItem& item) { return item.shortcut; });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        return Describe(child, out, [](const AccessibleItem& item) { return item.defaultAction; });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
        if (out == nullptr) return E_POINTER;
        VariantInit(out);
        AccessibleItem item;
        const HRESULT hr = Item(child, item);
        if (hr == S_OK) SetChild(out, item.role);
        return hr;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
        if (out == nullptr) return E_POINTER;
        VariantInit(out);
        AccessibleItem item;
        const HRESULT hr = Item(child, item);
        if (hr != S_OK) return hr;
        long state = item.state;
        if (Unavailable(hwnd_)) state |= STATE_SYSTEM_UNAVAILABLE;
        if (!IsWindowVisible(hwnd_)) state |= STATE_SYSTEM_INVISIBLE;
        // A row's focus is its cell's.
        const bool hasParts =
            item_ == 0 && child.lVal > 0 && Source()->AccessiblePartCount(child.lVal) > 0;
        if (GetFocus() == hwnd_ && !hasParts &&
            child.lVal == FocusedChild(*Source(), child.lVal < 0)) {
            state |= STATE_SYSTEM_FOCUSED;
        }
        SetChild(out, state);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        if (out == nullptr) return E_POINTER;
        VariantInit(out);
        AccessibleSource* source = Source();
        if (source == nullptr) return CO_E_OBJNOTCONNECTED;
        HWND focus = GetFocus();
        if (focus == hwnd_) return AnswerFocused(*source, out);
        for (HWND window : ChildWindows()) {
            if (window == focus || IsChild(window, focus)) {
                out->vt = VT_DISPATCH;
                out->pdispVal = ClientObject(window);
                return out->pdispVal != nullptr ? S_OK : S_FALSE;
            }
        }
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        if (out == nullptr) return E_POINTER;
        VariantInit(out);
        AccessibleSource* source = Source();
        if (source == nullptr) return CO_E_OBJNOTCONNECTED;
        if (FocusedChild(*source, false) <= 0) return S_FALSE;
        return AnswerFocused(*source, out);
    }
    // Only the window itself takes the focus (as a reader's "move focus here" asks).
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        AccessibleItem item;
        const HRESULT hr = Item(child, item);
        if (hr != S_OK) return hr;
        if (flags != SELFLAG_TAKEFOCUS || child.lVal != CHILDID_SELF || item_ != 0) {
            return E_NOTIMPL;
        }
        if (Unavailable(hwnd_) || !IsWindowVisible(hwnd_)) return E_FAIL;
        SetFocus(hwnd_);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* width, long* height,
                                          VARIANT child) override {
        if (x == nullptr || y == nullptr || width == nullptr || height == nullptr) return E_POINTER;
        AccessibleItem item;
        const HRESULT hr = Item(child, item);
        if (hr != S_OK) return hr;
        RECT rect = item.bounds;
        MapWindowPoints(hwnd_, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
        *x = rect.left;
        *y = rect.top;
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT* out) override {
        if (out != nullptr) VariantInit(out);
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
        if (out == nullptr) return E_POINTER;
        VariantInit(out);
        AccessibleSource* source = Source();
        if (source == nullptr) return CO_E_OBJNOTCONNECTED;
        POINT at{x, y};
        ScreenToClient(hwnd_, &at);
        RECT client{};
        GetClientRect(hwnd_, &client);
        if (!PtInRect(&client, at)) return S_FALSE;
        HWND hit = ChildWindowFromPointEx(hwnd_, at, CWP_SKIPINVISIBLE);
        if (hit != nullptr && hit != hwnd_) {
            out->vt = VT_DISPATCH;
            out->pdispVal = ClientObject(hit);
            return out->pdispVal != nullptr ? S_OK : S_FALSE;
        }
        const long count = OwnChildCount(*source);
        for (long child = 1; child <= count; ++child) {
            const RECT bounds = DescribeChild(*source, child).bounds;
            if (!PtInRect(&bounds, at)) continue;
            if (item_ == 0 && source->AccessiblePartCount(child) > 0) {
                out->vt = VT_DISPATCH;
                out->pdispVal = new WindowAccessible(hwnd_, child);
            } else {
                SetChild(out, child);
            }
            return S_OK;
        }
        SetChild(out, CHILDID_SELF);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        AccessibleItem item;
        const HRESULT hr = Item(child, item);
        if (hr != S_OK) return hr;
        if (item.defaultAction.empty() || Unavailable(hwnd_) || item_ != 0 || child.lVal < 0) {
            return DISP_E_MEMBERNOTFOUND;
        }
        return Source()->AccessibleDoDefault(child.lVal) ? S_OK : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  private:
    ~WindowAccessible() = default;

    AccessibleSource* Source() const {
        return IsWindow(hwnd_) ? WindowBase::AccessibleSourceOf(hwnd_) : nullptr;
    }
    // The window's items, or the parts of the item this object is.
    long OwnChildCount(AccessibleSource& source) const {
        return item_ == 0 ? source.AccessibleItemCount() : source.AccessiblePartCount(item_);
    }
    AccessibleItem DescribeChild(AccessibleSource& source, long child) const {
        if (item_ == 0 || child == CHILDID_SELF) {
            return source.AccessibleDescribe(item_ == 0 ? child : item_);
        }
        return source.AccessibleDescribePart(item_, child);
    }
    // The child of this object that holds the focus while the window does: an item, a part, or
    // with `asPart` the part's event id; -1 when the focus is elsewhere.
    long FocusedChild(AccessibleSource& source, bool asPart) const {
        const long item = source.AccessibleFocusedItem();
        const long part =
            item > 0 && source.AccessiblePartCount(item) > 0 ? source.AccessibleFocusedPart() : 0;
        if (item_ != 0) return item == item_ && part > 0 ? part : -1;
        if (asPart) return part > 0 ? PartEventId(item, part) : -1;
        return item;
    }
    // The focused (and selected) child: an item with parts as its own object.
    HRESULT AnswerFocused(AccessibleSource& source, VARIANT* out) const {
        const long child = FocusedChild(source, false);
        if (child < 0) return S_FALSE;
        if (item_ == 0 && child > 0 && source.AccessiblePartCount(child) > 0) {
            out->vt = VT_DISPATCH;
            out->pdispVal = new WindowAccessible(hwnd_, child);
            return S_OK;
        }
        SetChild(out, child);
        return S_OK;
    }
    // The window's own children in their order, including hidden ones (whose state says so).
    std::vector<HWND> ChildWindows() const {
        std::vector<HWND> windows;
        if (item_ != 0) return windows;
        for (HWND child = GetWindow(hwnd_, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            windows.push_back(child);
        }
        return windows;
    }
    // The window (child 0) or one of its items; child windows answer through their own objects.
    HRESULT Item(const VARIANT& child, AccessibleItem& item) const {
        AccessibleSource* source = Source();
        if (source == nullptr) return CO_E_OBJNOTCONNECTED;
        if (item_ > source->AccessibleItemCount()) return CO_E_OBJNOTCONNECTED;  // row removed
        if (child.vt != VT_I4) return E_INVALIDARG;
        if (item_ == 0 && child.lVal < 0) {  // a part by its event id
            const long owner = -child.lVal / kPartsPerItem;
            const long part = -child.lVal % kPartsPerItem;
            if (owner > source->AccessibleItemCount() || part < 1 ||
                part > source->AccessiblePartCount(owner)) {
                return E_INVALIDARG;
            }
            item = source->AccessibleDescribePart(owner, part);
            return S_OK;
        }
        if (child.lVal < 0 || child.lVal > OwnChildCount(*source)) return E_INVALIDARG;
        item = DescribeChild(*source, child.lVal);
        return S_OK;
    }
    template <typename Field>
    HRESULT Describe(const VARIANT& child, BSTR* out, Field field) const {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        AccessibleItem item;
        const HRESULT hr = Item(child, item);
        return hr == S_OK ? AnswerText(field(item), out) : hr;
    }

    HWND hwnd_;
    long item_;
    LONG refs_ = 1;
};

bool ReadHighContrast() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    if (SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
        (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0) {
        return true;
    }
    wchar_t flags[16] = {};
    DWORD size = sizeof flags - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Accessibility\\HighContrast", L"Flags",
                     RRF_RT_REG_SZ, nullptr, flags, &size) != ERROR_SUCCESS) {
        return false;
    }
    return (std::wcstoul(flags, nullptr, 10) & HCF_HIGHCONTRASTON) != 0;
}

int highContrast = -1;  // not read yet

}  // namespace

LRESULT AnswerAccessibleObject(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT)) return 0;
    // A single-threaded apartment on the window's thread: a client's calls then arrive through
    // its message loop, never beside it on another thread. Made with the first request, so that
    // a session without a screen reader never loads COM.
    static thread_local const HRESULT apartment = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)apartment;
    auto* object = new WindowAccessible(hwnd);
    const LRESULT result = LresultFromObject(kIidAccessible, wParam, object);
    object->Release();
    return result;
}

void NotifyAccessible(DWORD event, HWND hwnd, long child) {
    if (hwnd != nullptr) NotifyWinEvent(event, hwnd, OBJID_CLIENT, child);
}

long PartEventId(long item, long part) {
    return -(item * kPartsPerItem + part);
}

void PostClick(HWND hwnd, const RECT& rect) {
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(hwnd, WM_LBUTTONUP, 0, at);
}

bool HighContrast() {
    if (highContrast < 0) highContrast = ReadHighContrast() ? 1 : 0;
    return highContrast == 1;
}

void RefreshHighContrast() {
    highContrast = -1;
}

}  // namespace zentra::win32
