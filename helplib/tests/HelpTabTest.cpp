// Zentra!.dll as the help viewer uses it: exports found by ordinal and by name, the About page
// created as a borderless child of a viewer window, with its picture and text.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

using OpenTabDialogFn = HWND(WINAPI*)(HWND, DWORD, DWORD);
using TabDialogProcFn = INT_PTR(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);

class HelpTab : public ::testing::Test {
  protected:
    void SetUp() override {
        library_ = LoadLibraryA("Zentra!.dll");
        ASSERT_NE(library_, nullptr) << "error " << GetLastError();
        open_ = reinterpret_cast<OpenTabDialogFn>(
            reinterpret_cast<void*>(GetProcAddress(library_, MAKEINTRESOURCEA(10))));
        proc_ = reinterpret_cast<TabDialogProcFn>(
            reinterpret_cast<void*>(GetProcAddress(library_, MAKEINTRESOURCEA(11))));
        ASSERT_NE(open_, nullptr);
        ASSERT_NE(proc_, nullptr);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ZentraTabHost";
        RegisterClassA(&wc);
        parent_ = CreateWindowA("ZentraTabHost", "Help Topics: Quorvel Help", WS_OVERLAPPEDWINDOW,
                                10, 10, 500, 400, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(parent_, nullptr);
    }
    void TearDown() override {
        if (parent_) DestroyWindow(parent_);
        if (library_) FreeLibrary(library_);
    }

    HMODULE library_ = nullptr;
    OpenTabDialogFn open_ = nullptr;
    TabDialogProcFn proc_ = nullptr;
    HWND parent_ = nullptr;
};

std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The page's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST_F(HelpTab, ExportsTheSameFunctionsByNameAndOrdinal) {
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(library_, "OpenTabDialog")),
              reinterpret_cast<void*>(open_));
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(library_, "OpenTabDialogProc")),
              reinterpret_cast<void*>(proc_));
    EXPECT_EQ(GetProcAddress(library_, "DllMain"), nullptr);
    EXPECT_EQ(GetProcAddress(library_, MAKEINTRESOURCEA(12)), nullptr);
}

TEST_F(HelpTab, CreatesABorderlessChildPageAtTheParentsOrigin) {
    const DWORD extras[][2] = {{0, 0}, {1, 2}, {0xFFFFFFFF, 0x80000000}, {0x1234, 0}};
    RECT expected = {0, 0, 246, 163};
    std::vector<HWND> pages;
    for (const auto& extra : extras) {
        SCOPED_TRACE("extra arguments " + std::to_string(extra[0]) + ", " +
                     std::to_string(extra[1]));
        HWND page = open_(parent_, extra[0], extra[1]);
        ASSERT_NE(page, nullptr);
        pages.push_back(page);
        EXPECT_EQ(GetParent(page), parent_);
        const LONG style = GetWindowLongA(page, GWL_STYLE);
        EXPECT_TRUE(style & WS_CHILD);
        EXPECT_TRUE(style & WS_VISIBLE);
        EXPECT_EQ(style & WS_CAPTION, 0);
        EXPECT_EQ(style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME), 0);
        EXPECT_EQ(GetWindowLongA(page, GWL_EXSTYLE) & (WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE), 0);
        EXPECT_EQ(GetMenu(page), nullptr);
        LOGFONTA font = {};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(page, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
        RECT mapped = expected;
        ASSERT_TRUE(MapDialogRect(page, &mapped));
        const RECT r = RectInParent(page);
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(r.right - r.left, mapped.right);
        EXPECT_EQ(r.bottom - r.top, mapped.bottom);
    }
    // Every call gives a page of its own.
    for (std::size_t i = 0; i < pages.size(); ++i) {
        for (std::size_t j = i + 1; j < pages.size(); ++j) EXPECT_NE(pages[i], pages[j]);
    }
}

TEST_F(HelpTab, ShowsThePictureAtTheRight) {
    HWND page = open_(parent_, 0, 0);
    ASSERT_NE(page, nullptr);
    HWND picture = GetDlgItem(page, 1004);
    ASSERT_NE(picture, nullptr);
    auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info = {};
    ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 168);
    EXPECT_EQ(info.bmHeight, 248);

    RECT place = {134, 10, 0, 0};
    MapDialogRect(page, &place);
    const RECT r = RectInParent(picture);
    EXPECT_EQ(r.left, place.left);
    EXPECT_EQ(r.top, place.top);

    // What is drawn: the white bar of the Pi sign near the top, the dark sky in the top corner.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(GetPixel(dc, 80, 30), RGB(255, 255, 255));
    const COLORREF corner = GetPixel(dc, 1, 1);
    EXPECT_LT(GetRValue(corner) + GetGValue(corner) + GetBValue(corner), 200);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

TEST_F(HelpTab, ShowsTheProductTextAtTheUpperLeft) {
    HWND page = open_(parent_, 0, 0);
    ASSERT_NE(page, nullptr);
    RECT picture = RectInParent(GetDlgItem(page, 1004));
    std::string all;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == 1004) continue;
        const RECT r = RectInParent(child);
        EXPECT_LT(r.right, picture.left) << WindowText(child);
        EXPECT_LT(r.top, picture.top + 100) << WindowText(child);
        all += WindowText(child) + "\n";
    }
    EXPECT_EQ(all, "Zentra! " ZENTRA_VERSION_TEXT
                   "\nQuorvel, the calculator for prime factorization\n"
                   "Copyright \xA9 2026 Zentra Software\nFor 32-bit Windows\xAE\n");
}

TEST_F(HelpTab, LeavesEveryMessageToTheDialogManager) {
    HWND page = open_(parent_, 0, 0);
    ASSERT_NE(page, nullptr);
    const UINT messages[] = {WM_INITDIALOG, WM_COMMAND,        WM_PAINT, WM_SETFOCUS,
                             WM_CLOSE,      WM_CTLCOLORSTATIC, WM_APP};
    for (UINT message : messages) {
        EXPECT_EQ(proc_(page, message, 0, 0), FALSE) << "message " << message;
        EXPECT_EQ(proc_(nullptr, message, 1, 2), FALSE) << "message " << message;
    }
    // The page really is a dialog running that procedure: WM_CLOSE is left to the default
    // handling, which does not destroy a dialog.
    SendMessageA(page, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(page));
}

TEST_F(HelpTab, FailsWithNullWhenThePageCannotBeCreated) {
    // The dialog manager refuses a parent that is no window; the export passes its null on.
    EXPECT_EQ(open_(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7FFF0)), 0, 0), nullptr);
}

TEST(HelpTabVersion, CarriesTheVersionBlock) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dll(path);
    dll = dll.substr(0, dll.find_last_of('\\') + 1) + "Zentra!.dll";
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(dll.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(dll.c_str(), 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    // The library's own binary version 1.0.0.0; the strings carry the release.
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    const std::pair<const char*, const char*> strings[] = {
        {"FileVersion", ZENTRA_VERSION_TEXT},
        {"ProductVersion", ZENTRA_VERSION_TEXT},
        {"InternalName", "Zentra!"},
        {"OriginalFilename", "Zentra!.dll"},
        {"ProductName", "Zentra! WinHelp DLL"},
        {"Comments", "For 32-bit Windows\xAE"},
        {"DateTimeStamp", "19/11/1999"},
        {"FileDescription", "Zentra!"},
    };
    for (const auto& [name, value] : strings) {
        char* text = nullptr;
        const std::string key = std::string("\\StringFileInfo\\040904B0\\") + name;
        ASSERT_TRUE(
            VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&text), &length))
            << name;
        EXPECT_STREQ(text, value) << name;
    }
}

}  // namespace
