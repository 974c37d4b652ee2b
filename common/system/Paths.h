// File paths: splitting one into drive, folder, name and extension, and finding a
// program file by the system's search order.
#pragma once

#include <string>
#include <string_view>

namespace zentra {

// How strictly SplitPath checks the name.
enum class PathStyle : int {
    Short = 0,      // 8.3 names
    Long = 1,       // long names
    Unchecked = 2,  // only the characters no file name may hold
};

struct PathParts {
    std::string drive;      // "C:\" or ""
    std::string folder;     // up to and including the last "\", without the drive
    std::string name;       // with the extension in the long style, without it otherwise
    std::string extension;  // from the last "." of the name on, "." included
    bool refused = false;   // all parts are empty
};

// A leading letter followed by ":\" is the drive. The rest is refused when it holds any of
// |:<>" ; the short and long styles also refuse *?/ ; the short style also refuses blanks and
// [],;=+ in the name, a name that starts or ends with ".", a base name over 8 characters, more
// than 12 in all, or more than 8 without a ".".
PathParts SplitPath(std::string_view path, PathStyle style = PathStyle::Long);

class FileSearchPort {
  public:
    virtual ~FileSearchPort() = default;
    // The full path of `file` in `folder`, or in the system's standard order (application folder,
    // current folder, system folders, Windows folder, PATH) when `folder` is empty; "" when not
    // found.
    virtual std::string Search(const std::string& folder, const std::string& file) const = 0;
};

// Searches only the folder a name gives, unless it gives none or a drive root; then the system's
// standard order. "" when not found, when the name is refused, or when the path found is longer
// than 260 characters (UTF-16 code units: names are UTF-8).
std::string FindProgramFile(const FileSearchPort& search, std::string_view file);

}  // namespace zentra
