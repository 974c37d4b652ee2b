// Registry functions: https://learn.microsoft.com/windows/win32/sysinfo/registry-functions
// Version information:
// https://learn.microsoft.com/windows/win32/api/winver/nf-winver-verqueryvaluew
#include "platform/window/RegistrySettings.h"

#include <cstring>
#include <vector>

#include "platform/window/WideText.h"

namespace zentra::win32 {
namespace {

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

bool IsStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// The system keeps string values in UTF-16 whichever function wrote them; the program hands them
// over in UTF-8. A string goes in with its terminating NUL, as the system asks: left out, the
// system adds it or not by what happens to follow the data in memory. Other types are bytes.
std::vector<BYTE> StoredBytes(const RegistryValue& value) {
    if (!IsStringType(value.type)) return {value.data.begin(), value.data.end()};
    std::wstring text =
        ToUtf16({reinterpret_cast<const char*>(value.data.data()), value.data.size()});
    if (text.empty() || text.back() != L'\0') text.push_back(L'\0');
    const auto* bytes = reinterpret_cast<const BYTE*>(text.data());
    return {bytes, bytes + text.size() * sizeof(wchar_t)};
}

// A string value's UTF-16 data as UTF-8; an odd last byte (no whole character) is dropped.
std::vector<std::uint8_t> ProgramBytes(const std::vector<std::uint8_t>& stored) {
    std::wstring text(stored.size() / sizeof(wchar_t), L'\0');
    if (text.empty()) return {};
    std::memcpy(text.data(), stored.data(), text.size() * sizeof(wchar_t));
    const std::string utf8 = ToUtf8(text);
    return {utf8.begin(), utf8.end()};
}

// One string of the version information's first language block; "" when it is missing.
std::string VersionText(const std::vector<char>& block, const wchar_t* name) {
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    UINT size = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translations), &size) ||
        size < sizeof(Translation)) {
        return {};
    }
    wchar_t query[96];
    wsprintfW(query, L"\\StringFileInfo\\%04x%04x\\%s", translations[0].language,
              translations[0].codePage, name);
    wchar_t* text = nullptr;
    if (!VerQueryValueW(block.data(), query, reinterpret_cast<void**>(&text), &size) ||
        text == nullptr) {
        return {};
    }
    return ToUtf8({text, wcsnlen(text, size)});
}

}  // namespace

bool SystemRegistry::SetValue(RegistryRoot root, const std::string& path, const std::string& name,
                              const RegistryValue& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(RootKey(root), ToUtf16(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::vector<BYTE> data = StoredBytes(value);
    const LONG status = RegSetValueExW(key, ToUtf16(name).c_str(), 0, value.type, data.data(),
                                       static_cast<DWORD>(data.size()));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

std::optional<RegistryValue> SystemRegistry::QueryValue(RegistryRoot root, const std::string& path,
                                                        const std::string& name) const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(RootKey(root), ToUtf16(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    const std::wstring valueName = ToUtf16(name);
    RegistryValue value;
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        value.data.resize(size);
        status = RegQueryValueExW(key, valueName.c_str(), nullptr, &type, value.data.data(), &size);
        // The value may have shrunk between the two calls; never read past what came back.
        value.data.resize(status == ERROR_SUCCESS ? size : 0);
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    value.type = type;
    if (IsStringType(type)) value.data = ProgramBytes(value.data);
    return value;
}

std::string SystemFileSearch::Search(const std::string& folder, const std::string& file) const {
    wchar_t found[MAX_PATH + 1] = {};
    const std::wstring where = ToUtf16(folder);
    const DWORD length = SearchPathW(folder.empty() ? nullptr : where.c_str(),
                                     ToUtf16(file).c_str(), nullptr, MAX_PATH + 1, found, nullptr);
    if (length == 0 || length > MAX_PATH) return {};
    return ToUtf8({found, length});
}

std::wstring ProgramFilePath() {
    // Longer than MAX_PATH only with long paths enabled; the system's limit ends the growth.
    constexpr std::size_t kLongestPath = 32768;
    std::wstring path(MAX_PATH, L'\0');
    while (path.size() <= kLongestPath) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
    return {};
}

ProgramInfo ReadProgramInfo() {
    ProgramInfo info;
    info.commandLine = ToUtf8(GetCommandLineW());
    const std::wstring program = ProgramFilePath();
    const auto slash = program.rfind(L'\\');
    info.folder = slash == std::wstring::npos ? std::string() : ToUtf8(program.substr(0, slash));

    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &handle);
    if (size == 0) return info;
    std::vector<char> block(size);
    if (!GetFileVersionInfoW(program.c_str(), 0, size, block.data())) return info;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) &&
        fixed != nullptr) {
        info.major = HIWORD(fixed->dwFileVersionMS);
        info.minor = LOWORD(fixed->dwFileVersionMS);
        info.revision = LOWORD(fixed->dwFileVersionLS);
    }
    info.company = VersionText(block, L"CompanyName");
    info.trademark = VersionText(block, L"LegalTrademarks");
    info.comments = VersionText(block, L"Comments");
    info.legalNotice = VersionText(block, L"LegalCopyright");
    info.productName = VersionText(block, L"ProductName");
    return info;
}

}  // namespace zentra::win32
