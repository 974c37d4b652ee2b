#include <gtest/gtest.h>

#include <string>

#include "window/Settings.h"
#include "window/StartFailure.h"

namespace zentra {
namespace {

TEST(Settings_StoredMode, OnlyALeadingOneIsLinear) {
    struct Case {
        std::string text;
        DisplayMode mode;
    };
    const Case cases[] = {
        {"1", DisplayMode::Linear},
        {"1abc", DisplayMode::Linear},
        {" 1", DisplayMode::Linear},
        {"0", DisplayMode::Tabular},
        {"", DisplayMode::Tabular},
        {"2", DisplayMode::Tabular},
        {"-1", DisplayMode::Tabular},
        {"7x", DisplayMode::Tabular},
        {"70000", DisplayMode::Tabular},
        {"65537", DisplayMode::Tabular},
        {"1e10", DisplayMode::Tabular},
        {"abc", DisplayMode::Tabular},
        {std::string(32768, '9'), DisplayMode::Tabular},
        {"1" + std::string(32767, 'x'), DisplayMode::Linear},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseStoredMode(c.text), c.mode) << c.text.substr(0, 12);
    }
}

TEST(Settings_CommandLine, SlashEAnywhereInAnyCase) {
    struct Case {
        const char* line;
        bool requested;
    };
    const Case cases[] = {
        {"\"C:\\Zentra\\Zentra!.exe\" /E", true},
        {"Zentra!.exe /e", true},
        {"Zentra!.exe /expert", true},
        {"Zentra!.exe x/ey", true},  // inside a longer word
        {"C:\\a/Eb\\Zentra!.exe", true},
        {"Zentra!.exe", false},
        {"Zentra!.exe -E", false},
        {"Zentra!.exe / E", false},
        {"Zentra!.exe /", false},
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExpressionModeRequested(c.line), c.requested) << c.line;
    }
}

TEST(Settings_Registry, WritesTheMachineKeyOrTheUsersWhenRefused) {
    for (bool machineWritable : {true, false}) {
        SCOPED_TRACE(machineWritable);
        MemoryRegistry registry;
        if (!machineWritable) registry.RefuseWrites(RegistryRoot::LocalMachine);
        Settings settings(registry, "Maker");
        EXPECT_EQ(settings.KeyPath(), "SOFTWARE\\Maker\\Zentra!");
        EXPECT_EQ(settings.ReadMode(), DisplayMode::Tabular) << "first start";
        settings.WriteStart("C:\\Zentra", "1.00");
        settings.WriteMode(DisplayMode::Linear);
        const RegistryRoot written =
            machineWritable ? RegistryRoot::LocalMachine : RegistryRoot::CurrentUser;
        const std::string& key = settings.KeyPath();
        EXPECT_EQ(RegReadValue(registry, written, key, ""), "C:\\Zentra");
        EXPECT_EQ(RegReadValue(registry, written, key, "CurrentVersion"), "1.00");
        EXPECT_EQ(RegReadValue(registry, written, key, "Mode"), "1");
        EXPECT_EQ(registry.Writes(), 3);
        EXPECT_EQ(Settings(registry, "Maker").ReadMode(), DisplayMode::Linear);
    }
    // The user's value comes first: it is the one a refused machine key could not take.
    MemoryRegistry registry;
    Settings settings(registry, "Maker");
    RegWriteValue(registry, RegistryRoot::LocalMachine, settings.KeyPath(), "Mode", "0");
    RegWriteValue(registry, RegistryRoot::CurrentUser, settings.KeyPath(), "Mode", "1");
    EXPECT_EQ(settings.ReadMode(), DisplayMode::Linear);
    // ... so a later run with the machine's rights keeps it up to date, or the next start would
    // find the old mode there.
    settings.WriteMode(DisplayMode::Tabular);
    EXPECT_EQ(settings.ReadMode(), DisplayMode::Tabular);
    EXPECT_EQ(RegReadValue(registry, RegistryRoot::LocalMachine, settings.KeyPath(), "Mode"), "0");
    // A mode the virtual store kept for a release without a manifest is read last, in either
    // store's place, and never over one of the real key.
    const std::string store = "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\";
    for (const std::string& path :
         {store + "Maker\\Zentra!", store + "WOW6432Node\\Maker\\Zentra!"}) {
        MemoryRegistry virtualized;
        RegWriteValue(virtualized, RegistryRoot::CurrentUser, path, "Mode", "1");
        EXPECT_EQ(Settings(virtualized, "Maker").ReadMode(), DisplayMode::Linear) << path;
        RegWriteValue(virtualized, RegistryRoot::LocalMachine, settings.KeyPath(), "Mode", "0");
        EXPECT_EQ(Settings(virtualized, "Maker").ReadMode(), DisplayMode::Tabular) << path;
    }
    // A REG_DWORD 1 is linear too.
    MemoryRegistry dword;
    RegWriteValue(dword, RegistryRoot::LocalMachine, settings.KeyPath(), "Mode", "1", kRegDword);
    EXPECT_EQ(Settings(dword, "Maker").ReadMode(), DisplayMode::Linear);
}

// Every start that cannot go on names its cause; no text means the start went on.
TEST(StartFailure_Text, NamesTheCause) {
    const struct {
        StartFailure failure;
        const char* detail;
        const char* text;
    } cases[] = {
        {StartFailure::None, "", ""},
        {StartFailure::PrimeTable, "the prime table is damaged",
         "Zentra! cannot start: the prime table is damaged.\r\nPlease install the program again."},
        {StartFailure::Window, "",
         "Zentra! cannot start: its window could not be created.\r\n"
         "Please close other programs and start it again."},
        {StartFailure::Dde, "",
         "Zentra! cannot start: its DDE service could not be registered.\r\n"
         "Please close other programs and start it again."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StartFailureText(c.failure, c.detail), c.text) << static_cast<int>(c.failure);
    }
}

}  // namespace
}  // namespace zentra
