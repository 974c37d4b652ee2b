// The clipboard as the window's logic sees it: plain text (CF_TEXT) and the registered
// "Rich Text Format".
#pragma once

#include <windows.h>

#include <string>

#include "window/Ports.h"

namespace zentra::win32 {

class Clipboard final : public ClipboardPort {
  public:
    // `owner` becomes the clipboard owner on every write; it must outlive this object.
    explicit Clipboard(HWND owner);

    std::string Text() const override;
    bool HasText() const override;
    // Each Set replaces the clipboard's whole content.
    void SetText(const std::string& text) override;
    void SetRtf(const std::string& rtf) override;

  private:
    bool Open() const;
    void Replace(UINT format, const std::string& data);

    HWND owner_;
    UINT rtfFormat_;
};

}  // namespace zentra::win32
