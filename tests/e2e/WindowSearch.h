// Finding the program's windows from another process, for the end-to-end probe and the
// benchmark's client: the window "Quorvel" and its children by class (and caption).
#pragma once

#include <windows.h>

namespace zentra::outside {

inline constexpr const char* kMainCaption = "Quorvel";

inline HWND FindMainWindow() {
    return FindWindowA(nullptr, kMainCaption);
}

struct ChildQuery {
    const char* className;
    const char* caption;  // nullptr: any; else only a visible child with this text
    HWND found;
};

inline BOOL CALLBACK MatchChild(HWND hwnd, LPARAM param) {
    auto* query = reinterpret_cast<ChildQuery*>(param);
    char name[256] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpiA(name, query->className) != 0) return TRUE;
    if (query->caption != nullptr) {
        char text[256] = {};
        GetWindowTextA(hwnd, text, sizeof text);
        if (lstrcmpA(text, query->caption) != 0 || !IsWindowVisible(hwnd)) return TRUE;
    }
    query->found = hwnd;
    return FALSE;
}

// The first child of `parent`, at any depth, of that window class (and caption); nullptr when
// there is none.
inline HWND FindChildWindow(HWND parent, const char* className, const char* caption = nullptr) {
    if (parent == nullptr) return nullptr;
    ChildQuery query{className, caption, nullptr};
    EnumChildWindows(parent, &MatchChild, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

}  // namespace zentra::outside
