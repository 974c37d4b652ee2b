// The settings the program keeps between runs: its folder and version (written at every start)
// and the display mode (written at shut-down, read at start-up), under
// SOFTWARE\<company>\Zentra! of the machine's registry. Where the machine's part refuses writes
// (a standard user account), the values go to the user's part under the same path, and the mode
// is read from there first, so that it is not lost.
#pragma once

#include <string>
#include <string_view>

#include "common/system/Registry.h"

namespace zentra {

enum class DisplayMode : int { Tabular = 0, Linear = 1 };

// The stored mode text by its leading number: "1", "1abc", " 1" and a REG_DWORD 1 are linear;
// anything that is not 0 or 1 that way (also "2", "-1", "70000", "1e10", "") is tabular.
DisplayMode ParseStoredMode(std::string_view text);

// True when "/E" occurs anywhere in the command line, in any letter case.
bool ExpressionModeRequested(std::string_view commandLine);

class Settings {
  public:
    static constexpr std::string_view kTitle = "Zentra!";
    static constexpr std::string_view kCurrentVersion = "CurrentVersion";
    static constexpr std::string_view kMode = "Mode";
    static constexpr std::string_view kSoftware = "SOFTWARE\\";

    // `registry` is borrowed.
    Settings(RegistryPort& registry, std::string_view company);

    const std::string& KeyPath() const { return keyPath_; }
    // The default value (the program's folder) and "CurrentVersion".
    void WriteStart(const std::string& programFolder, const std::string& version);
    DisplayMode ReadMode() const;
    void WriteMode(DisplayMode mode);

  private:
    // Machine first, the user's part when the machine refuses.
    void Write(const std::string& name, const std::string& text);

    RegistryPort& registry_;
    std::string keyPath_;
};

}  // namespace zentra
