// The About panel's parts on a real display panel, with the program's own pictures: where they
// sit, and what the OK image shows through its transparent corners.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/PictureControl.h"
#include "platform/controls/tests/TestWindow.h"
#include "platform/window/AboutPanel.h"
#include "platform/window/Panel.h"

namespace zentra::win32 {
namespace {

constexpr int kPanelWidth = 319;
constexpr SIZE kViewSize{315, 71};

BOOL CALLBACK CollectPicture(HWND child, LPARAM found) {
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    if (std::string(name) == "Zentra.Picture") {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
    }
    return TRUE;
}

POINT PlaceInParent(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top};
}

// An off-screen canvas to render into and read back.
struct Canvas {
    Canvas(int width, int height) {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
};

TEST(AboutPanel_Win32, PlacesTheOkImageOverItsShadowAndShowsThePanelThroughIt) {
    HWND top = test::CreateHostWindow(400, 200);
    ASSERT_NE(top, nullptr);
    Panel display;
    ASSERT_TRUE(display.Create({top, 0, 0, {}, {}}));
    SetWindowPos(display.Hwnd(), nullptr, 0, 0, kPanelWidth, 75, SWP_NOZORDER);
    AboutPanel about;
    ASSERT_TRUE(about.Create(display.Hwnd(), {}));
    ASSERT_NE(about.Background(), nullptr);
    display.SetBackground(about.Background());
    about.LayOut(kPanelWidth, kViewSize);

    // Top of the z-order first: the OK image, then its shadow.
    std::vector<HWND> pictures;
    EnumChildWindows(display.Hwnd(), &CollectPicture, reinterpret_cast<LPARAM>(&pictures));
    ASSERT_EQ(pictures.size(), 2u);
    HWND ok = pictures[0];
    const POINT okAt = PlaceInParent(ok);
    const POINT shadowAt = PlaceInParent(pictures[1]);
    EXPECT_EQ(okAt.x, kPanelWidth - 48 - 8);
    EXPECT_EQ(okAt.y, 2);
    EXPECT_EQ(shadowAt.x, okAt.x + 3);
    EXPECT_EQ(shadowAt.y, okAt.y + 3);
    EXPECT_FALSE(IsWindowEnabled(ok)) << "the OK image waits for the panel to show";

    Canvas panel(kPanelWidth, 75);
    SendMessageA(display.Hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(panel.dc), PRF_CLIENT);
    Canvas seen(48, 24);
    PaintBeneath(ok, seen.dc);
    SendMessageA(ok, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(seen.dc), PRF_CLIENT);
    struct Probe {
        int x, y;
        COLORREF expected;
        const char* what;
    };
    const Probe probes[] = {
        {0, 0, GetPixel(panel.dc, okAt.x, okAt.y), "the panel's picture at the rounded corner"},
        {47, 23, RGB(96, 96, 104), "the shadow at the lower right corner"},
        {4, 12, RGB(128, 0, 128), "the key's face"},
    };
    for (const Probe& probe : probes) {
        EXPECT_EQ(GetPixel(seen.dc, probe.x, probe.y), probe.expected) << probe.what;
    }

    // Pressed, laid out again (the window resized), released: the image ends at its place.
    about.MoveBy(2, 2);
    EXPECT_EQ(PlaceInParent(ok).x, okAt.x + 2);
    EXPECT_EQ(PlaceInParent(ok).y, okAt.y + 2);
    about.LayOut(kPanelWidth, kViewSize);
    EXPECT_EQ(PlaceInParent(ok).x, okAt.x + 2) << "still sunk after a new layout";
    about.MoveBy(-2, -2);
    EXPECT_EQ(PlaceInParent(ok).x, okAt.x);
    EXPECT_EQ(PlaceInParent(ok).y, okAt.y);
    DestroyWindow(top);
}

// At another resolution the pictures are those drawn for it (120 dpi: the 144-dpi ones made
// smaller), placed and sunk by the scaled distances, still transparent around the key.
TEST(AboutPanel_Win32, PicturesAndPlacesFollowTheResolution) {
    HWND top = test::CreateHostWindow(800, 300);
    ASSERT_NE(top, nullptr);
    constexpr int kWidth = 658;
    Panel display;
    ASSERT_TRUE(display.Create({top, 0, 0, {}, {}}));
    SetWindowPos(display.Hwnd(), nullptr, 0, 0, kWidth, 150, SWP_NOZORDER);
    AboutPanel about;
    ASSERT_TRUE(about.Create(display.Hwnd(), {}));
    for (const int dpi : {120, 144, 192, 96}) {
        about.SetDpi(dpi);
        display.SetBackground(about.Background());
        about.LayOut(kWidth, {kWidth - 4, 146});
        std::vector<HWND> pictures;
        EnumChildWindows(display.Hwnd(), &CollectPicture, reinterpret_cast<LPARAM>(&pictures));
        ASSERT_EQ(pictures.size(), 2u);
        HWND ok = pictures[0];
        const SIZE size = OuterSize(ok);
        EXPECT_EQ(size.cx, ScalePixels(48, dpi)) << dpi;
        EXPECT_EQ(size.cy, ScalePixels(24, dpi)) << dpi;
        const AboutPlaces places = LayOutAbout(kWidth, size.cx, dpi);
        EXPECT_EQ(PlaceInParent(ok).x, places.ok.x) << dpi;
        EXPECT_EQ(PlaceInParent(pictures[1]).y, places.shadow.y) << dpi;

        Canvas panel(kWidth, 150);
        SendMessageA(display.Hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(panel.dc),
                     PRF_CLIENT);
        Canvas seen(size.cx, size.cy);
        PaintBeneath(ok, seen.dc);
        SendMessageA(ok, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(seen.dc), PRF_CLIENT);
        EXPECT_EQ(GetPixel(seen.dc, 0, 0), GetPixel(panel.dc, places.ok.x, places.ok.y))
            << dpi << ": the panel's picture at the rounded corner";
        EXPECT_EQ(GetPixel(seen.dc, ScalePixels(4, dpi), size.cy / 2), RGB(128, 0, 128))
            << dpi << ": the key's face";

        about.MoveBy(2, 2);
        EXPECT_EQ(PlaceInParent(ok).y, places.ok.y + ScalePixels(2, dpi)) << dpi;
        about.MoveBy(-2, -2);
        EXPECT_EQ(PlaceInParent(ok).y, places.ok.y) << dpi;
    }
    DestroyWindow(top);
}

}  // namespace
}  // namespace zentra::win32
