// Clipboard access: https://learn.microsoft.com/windows/win32/dataxchg/using-the-clipboard
#include "platform/window/Clipboard.h"

#include <cstring>

namespace zentra::win32 {
namespace {

// Another program may hold the clipboard open for a moment (a script setting it, a viewer).
constexpr int kOpenAttempts = 20;
constexpr DWORD kOpenRetryMs = 10;

class ClipboardLock {
  public:
    explicit ClipboardLock(bool opened) : opened_(opened) {}
    ~ClipboardLock() {
        if (opened_) CloseClipboard();
    }
    ClipboardLock(const ClipboardLock&) = delete;
    ClipboardLock& operator=(const ClipboardLock&) = delete;
    explicit operator bool() const { return opened_; }

  private:
    bool opened_;
};

}  // namespace

Clipboard::Clipboard(HWND owner)
    : owner_(owner), rtfFormat_(RegisterClipboardFormatA("Rich Text Format")) {}

bool Clipboard::Open() const {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (OpenClipboard(owner_)) return true;
        Sleep(kOpenRetryMs);
    }
    return false;
}

std::string Clipboard::Text() const {
    if (!IsClipboardFormatAvailable(CF_TEXT)) return {};
    ClipboardLock lock(Open());
    if (!lock) return {};
    HANDLE handle = GetClipboardData(CF_TEXT);
    if (handle == nullptr) return {};
    const auto* text = static_cast<const char*>(GlobalLock(handle));
    if (text == nullptr) return {};
    // The block may be larger than the text and is not guaranteed to hold a NUL: stop at either.
    const std::size_t capacity = GlobalSize(handle);
    const auto* end = static_cast<const char*>(std::memchr(text, '\0', capacity));
    std::string result(text, end != nullptr ? static_cast<std::size_t>(end - text) : capacity);
    GlobalUnlock(handle);
    return result;
}

bool Clipboard::HasText() const {
    return IsClipboardFormatAvailable(CF_TEXT) != FALSE;
}

void Clipboard::SetText(const std::string& text) {
    Replace(CF_TEXT, text);
}

void Clipboard::SetRtf(const std::string& rtf) {
    if (rtfFormat_ != 0) Replace(rtfFormat_, rtf);
}

void Clipboard::Replace(UINT format, const std::string& data) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, data.size() + 1);
    if (block == nullptr) return;
    if (auto* bytes = static_cast<char*>(GlobalLock(block)); bytes != nullptr) {
        std::memcpy(bytes, data.c_str(), data.size() + 1);
        GlobalUnlock(block);
    }
    ClipboardLock lock(Open());
    if (!lock || !EmptyClipboard() || SetClipboardData(format, block) == nullptr) {
        GlobalFree(block);  // the clipboard took no ownership
    }
}

}  // namespace zentra::win32
