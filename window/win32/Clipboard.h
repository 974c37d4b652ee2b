// The clipboard as the window's logic sees it: plain text (CF_TEXT) and the registered
// "Rich Text Format".
#pragma once

#include <windows.h>

#include <string>

namespace zentra {

class Clipboard {
  public:
    // `owner` becomes the clipboard owner on every write; it must outlive this object.
    explicit Clipboard(HWND owner);

    std::string Text() const;
    bool HasText() const;
    // Each Set replaces the clipboard's whole content.
    void SetText(const std::string& text);
    void SetRtf(const std::string& rtf);

  private:
    bool Open() const;
    void Replace(UINT format, const std::string& data);

    HWND owner_;
    UINT rtfFormat_;
};

}  // namespace zentra
