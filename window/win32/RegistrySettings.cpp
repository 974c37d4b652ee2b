// Registry functions: https://learn.microsoft.com/windows/win32/sysinfo/registry-functions
// Version information:
// https://learn.microsoft.com/windows/win32/api/winver/nf-winver-verqueryvaluea
#include "window/win32/RegistrySettings.h"

#include <cstring>
#include <vector>

namespace zentra::win32 {
namespace {

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// One string of the version information's first language block; "" when it is missing.
std::string VersionText(const std::vector<char>& block, const char* name) {
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    UINT size = 0;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translations), &size) ||
        size < sizeof(Translation)) {
        return {};
    }
    char query[96];
    wsprintfA(query, "\\StringFileInfo\\%04x%04x\\%s", translations[0].language,
              translations[0].codePage, name);
    char* text = nullptr;
    if (!VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&text), &size) ||
        text == nullptr) {
        return {};
    }
    return std::string(text, strnlen(text, size));
}

}  // namespace

bool SystemRegistry::SetValue(RegistryRoot root, const std::string& path, const std::string& name,
                              const RegistryValue& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(RootKey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LONG status = RegSetValueExA(key, name.c_str(), 0, value.type, value.data.data(),
                                       static_cast<DWORD>(value.data.size()));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

std::optional<RegistryValue> SystemRegistry::QueryValue(RegistryRoot root, const std::string& path,
                                                        const std::string& name) const {
    HKEY key = nullptr;
    if (RegOpenKeyExA(RootKey(root), path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    RegistryValue value;
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        value.data.resize(size);
        status = RegQueryValueExA(key, name.c_str(), nullptr, &type, value.data.data(), &size);
        // The value may have shrunk between the two calls; never read past what came back.
        value.data.resize(status == ERROR_SUCCESS ? size : 0);
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    value.type = type;
    return value;
}

std::string SystemFileSearch::Search(const std::string& folder, const std::string& file) const {
    char found[MAX_PATH + 1] = {};
    const DWORD length = SearchPathA(folder.empty() ? nullptr : folder.c_str(), file.c_str(),
                                     nullptr, sizeof found, found, nullptr);
    if (length == 0 || length >= sizeof found) return {};
    return std::string(found, length);
}

ProgramInfo ReadProgramInfo() {
    ProgramInfo info;
    info.commandLine = GetCommandLineA();
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string program(path, length);
    const auto slash = program.rfind('\\');
    info.folder = slash == std::string::npos ? std::string() : program.substr(0, slash);

    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(program.c_str(), &handle);
    if (size == 0) return info;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(program.c_str(), 0, size, block.data())) return info;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) &&
        fixed != nullptr) {
        info.major = HIWORD(fixed->dwFileVersionMS);
        info.minor = LOWORD(fixed->dwFileVersionMS);
        info.revision = LOWORD(fixed->dwFileVersionLS);
    }
    info.company = VersionText(block, "CompanyName");
    info.trademark = VersionText(block, "LegalTrademarks");
    info.comments = VersionText(block, "Comments");
    info.legalNotice = VersionText(block, "LegalCopyright");
    info.productName = VersionText(block, "ProductName");
    return info;
}

}  // namespace zentra::win32
