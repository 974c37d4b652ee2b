// window_text_probe <hwnd> <file>: reads the window's text with WM_GETTEXTLENGTH and WM_GETTEXT
// from this separate process and writes it to the file. Exit code 0 when both agree.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) return 3;
    HWND hwnd =
        reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::strtoull(argv[1], nullptr, 10)));
    if (!IsWindow(hwnd)) return 4;
    const LRESULT length = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    std::FILE* out = std::fopen(argv[2], "wb");
    if (!out) return 5;
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
    return copied == length ? 0 : 2;
}
