#include "common/system/Paths.h"

#include <cctype>

namespace zentra {
namespace {

constexpr std::string_view kNeverAllowed = "|:<>\"";
constexpr std::string_view kWildcards = "*?/";
constexpr std::string_view kNotInShortNames = " [],;=+";
constexpr std::size_t kMaxPath = 260;

// The length the system counts in paths: UTF-16 code units of the UTF-8 text (a character beyond
// U+FFFF takes two).
std::size_t Utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (const char ch : utf8) {
        const auto byte = static_cast<unsigned char>(ch);
        if ((byte & 0xC0) != 0x80) ++units;
        if (byte >= 0xF0) ++units;
    }
    return units;
}

bool HoldsAny(std::string_view text, std::string_view set) {
    return text.find_first_of(set) != std::string_view::npos;
}

bool HasDrive(std::string_view path) {
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
           path[1] == ':' && path[2] == '\\';
}

bool IsShortName(std::string_view name) {
    if (HoldsAny(name, kNotInShortNames)) return false;
    if (name.empty()) return true;
    if (name.front() == '.' || name.back() == '.') return false;
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos) return name.size() <= 8;
    return dot <= 8 && name.size() <= 12;
}

}  // namespace

PathParts SplitPath(std::string_view path, PathStyle style) {
    PathParts parts;
    if (HasDrive(path)) {
        parts.drive = std::string(path.substr(0, 3));
        path.remove_prefix(3);
    }
    const auto slash = path.rfind('\\');
    const std::string_view folder =
        slash == std::string_view::npos ? std::string_view{} : path.substr(0, slash + 1);
    const std::string_view file = path.substr(folder.size());
    const bool refused = HoldsAny(path, kNeverAllowed) ||
                         (style != PathStyle::Unchecked && HoldsAny(path, kWildcards)) ||
                         (style == PathStyle::Short && !IsShortName(file));
    if (refused) return PathParts{{}, {}, {}, {}, true};
    parts.folder = std::string(folder);
    const auto dot = file.rfind('.');
    const std::string_view extension =
        dot == std::string_view::npos ? std::string_view{} : file.substr(dot);
    parts.extension = std::string(extension);
    parts.name = std::string(
        style == PathStyle::Long ? file : file.substr(0, file.size() - extension.size()));
    return parts;
}

std::string FindProgramFile(const FileSearchPort& search, std::string_view file) {
    const PathParts parts = SplitPath(file, PathStyle::Long);
    if (parts.refused || parts.name.empty()) return {};
    const std::string folder = parts.drive + parts.folder;
    const bool ownFolder = !folder.empty() && !(folder.size() == 3 && parts.folder.empty());
    std::string found = ownFolder ? search.Search(folder.substr(0, folder.size() - 1), parts.name)
                                  : search.Search({}, std::string(file));
    if (Utf16Length(found) > kMaxPath) found.clear();
    return found;
}

}  // namespace zentra
