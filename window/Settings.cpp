#include "window/Settings.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "common/numbers/LeadingNumber.h"

namespace zentra {

DisplayMode ParseStoredMode(std::string_view text) {
    // The leading number as a 16-bit integer; a value out of that range or other than 1 cannot
    // name a mode item, so it gives the first one.
    const double value = std::nearbyint(LeadingNumber(text));
    return value == 1.0 ? DisplayMode::Linear : DisplayMode::Tabular;
}

bool ExpressionModeRequested(std::string_view commandLine) {
    for (std::size_t i = 0; i + 1 < commandLine.size(); ++i) {
        if (commandLine[i] == '/' && (commandLine[i + 1] == 'E' || commandLine[i + 1] == 'e')) {
            return true;
        }
    }
    return false;
}

Settings::Settings(RegistryPort& registry, std::string_view company)
    : registry_(registry),
      keyPath_(std::string(kSoftware) + std::string(company) + "\\" + std::string(kTitle)) {}

void Settings::Write(const std::string& name, const std::string& text) {
    const bool machine = RegWriteValue(registry_, RegistryRoot::LocalMachine, keyPath_, name, text);
    // The user's part is read first: a value left there by a run without the machine's rights
    // would hide this one at the next start.
    if (!machine || registry_.QueryValue(RegistryRoot::CurrentUser, keyPath_, name)) {
        RegWriteValue(registry_, RegistryRoot::CurrentUser, keyPath_, name, text);
    }
}

void Settings::WriteStart(const std::string& programFolder, const std::string& version) {
    Write("", programFolder);
    Write(std::string(kCurrentVersion), version);
}

DisplayMode Settings::ReadMode() const {
    // Releases without a manifest, run without the machine's rights, had their machine-wide
    // writes redirected into the user's virtual store (under WOW6432Node on 64-bit Windows);
    // the manifest ends that redirection, so the mode they kept there is read last.
    const std::string company = keyPath_.substr(kSoftware.size());
    const std::string virtualStore = "Software\\Classes\\VirtualStore\\MACHINE\\";
    const std::pair<RegistryRoot, std::string> places[] = {
        {RegistryRoot::CurrentUser, keyPath_},
        {RegistryRoot::LocalMachine, keyPath_},
        {RegistryRoot::CurrentUser, virtualStore + keyPath_},
        {RegistryRoot::CurrentUser,
         virtualStore + std::string(kSoftware) + "WOW6432Node\\" + company},
    };
    const std::string name(kMode);
    for (const auto& [root, path] : places) {
        if (registry_.QueryValue(root, path, name)) {
            return ParseStoredMode(RegReadValue(registry_, root, path, name));
        }
    }
    return DisplayMode::Tabular;
}

void Settings::WriteMode(DisplayMode mode) {
    Write(std::string(kMode), mode == DisplayMode::Linear ? "1" : "0");
}

}  // namespace zentra
