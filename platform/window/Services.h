// Small system services of the window: the beep of a refused key and What's This help.
#pragma once

#include <windows.h>

#include <string>

#include "window/Ports.h"

namespace zentra::win32 {

class SystemBeep final : public BeepPort {
  public:
    void Beep() override { MessageBeep(MB_OK); }
};

// What's This popups from the help file beside the program.
class WhatsThisHelp final : public HelpPort {
  public:
    // `owner` must outlive this object.
    explicit WhatsThisHelp(HWND owner);
    void ShowWhatsThis(int topic) override;
    void ShowTopic(int topic) override;
    // "Zentra!.hlp" beside the program, as the help viewer can open it.
    std::string HelpFilePath() const;

  private:
    HWND owner_;
    std::wstring helpFile_;
};

}  // namespace zentra::win32
