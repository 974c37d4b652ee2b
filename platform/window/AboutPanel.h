// The About panel inside the display panel: the label with the program's name, version, web
// address and copyright, the OK image and its shadow, and the display panel's background picture.
// They lie under the display's views and show once the view has slid away. The panel's own window
// is the label ("Zentra.AboutLabel").
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/controls/PictureControl.h"
#include "platform/controls/WindowBase.h"
#include "window/OkImage.h"
#include "window/WindowLayout.h"

namespace zentra::win32 {

class AboutPanel final : public OkImagePort, private WindowBase {
  public:
    struct Events {
        // A button went down on the label (1 left, 2 right, 4 middle).
        std::function<void(int button)> onLabelMouseDown;
        // The OK image's mouse, as PictureControlArgs reports it; moves with the image's size.
        std::function<void(int button)> onOkMouseDown;
        std::function<void(int x, int y, int width, int height)> onOkMouseMove;
        std::function<void(int button)> onOkMouseUp;
        std::function<void()> onOkClick;
    };

    AboutPanel() = default;
    ~AboutPanel() override;

    // Creates the parts in `displayPanel`, below its other children, with the pictures for `dpi`;
    // the OK image starts disabled.
    bool Create(HWND displayPanel, Events events, int dpi = kDesignDpi);
    // The display panel's background picture (owned here).
    HBITMAP Background() const { return background_; }
    // UTF-8; the label keeps what the ANSI code page holds of it.
    void SetText(const std::string& text);
    // The display-panel layout's places (LayOutAbout): the label with the views' size, the OK
    // image in the top right corner of a panel `outerWidth` wide, its shadow down and right.
    void LayOut(int outerWidth, SIZE viewSize);
    void SetOkEnabled(bool enabled);
    // OkImagePort: the distances are pixels at 96 dpi.
    void MoveBy(int dxPixels, int dyPixels) override;
    // Takes the pictures drawn for `dpi`; the caller lays the panel out again.
    void SetDpi(int dpi);

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PaintLabel(HDC hdc) const;
    // The label is static text named by what it says.
    AccessibleItem AccessibleDescribe(long child) override;
    bool CreateLabel(HWND parent);
    // The pictures and the label's font for `dpi_`.
    void MakeDpiParts();
    void FreeDpiParts();

    Events events_;
    HBITMAP okPicture_ = nullptr;
    HBITMAP shadowPicture_ = nullptr;
    HBITMAP background_ = nullptr;
    HFONT labelFont_ = nullptr;  // the dialog font at another resolution than the start's
    std::unique_ptr<PictureControl> shadow_;
    std::unique_ptr<PictureControl> ok_;
    SIZE sunk_{0, 0};  // how far the image has been moved from its place (while pressed)
    int dpi_ = 96;
};

}  // namespace zentra::win32
