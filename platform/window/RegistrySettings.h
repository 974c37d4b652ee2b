// The system registry behind the registry port (string values in UTF-8 here, UTF-16 in the
// system), and the program's own facts that start-up reads:
// its command line, folder and version information, and the system's program search.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "common/system/Paths.h"
#include "common/system/Registry.h"
#include "window/WindowLogic.h"

namespace zentra::win32 {

class SystemRegistry final : public RegistryPort {
  public:
    bool SetValue(RegistryRoot root, const std::string& path, const std::string& name,
                  const RegistryValue& value) override;
    std::optional<RegistryValue> QueryValue(RegistryRoot root, const std::string& path,
                                            const std::string& name) const override;
};

class SystemFileSearch final : public FileSearchPort {
  public:
    std::string Search(const std::string& folder, const std::string& file) const override;
};

// The full path of the program file; "" when the system cannot tell.
std::wstring ProgramFilePath();

// The command line, the program's folder and the strings of its version information, in UTF-8.
ProgramInfo ReadProgramInfo();

}  // namespace zentra::win32
