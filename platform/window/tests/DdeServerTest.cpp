// The DDE server against our client program in another process: what is acknowledged, what is
// refused, and that every execute reaches the handler once, in order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/window/DdeServer.h"

namespace zentra::win32 {
namespace {

std::string ClientPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.erase(dir.find_last_of('\\') + 1);
    return dir + ZENTRA_DDE_CLIENT;
}

// Runs the client with `arguments` while this thread keeps serving DDE; returns its exit code.
DWORD RunClient(const std::string& arguments) {
    std::string commandLine = ClientPath();
    commandLine.insert(commandLine.begin(), '"');
    commandLine.append("\" --quiet ").append(arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return 1000;
    }
    const DWORD deadline = GetTickCount() + 60000;
    for (;;) {
        const DWORD now = GetTickCount();
        if (now >= deadline) break;
        const DWORD wait =
            MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, deadline - now, QS_ALLINPUT);
        if (wait != WAIT_OBJECT_0 + 1) break;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    DWORD code = 1001;
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    } else {
        TerminateProcess(process.hProcess, 1002);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

class DdeServerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server_.Start("ZentraTest", "Zentra", [this](std::string_view command) {
            received_.emplace_back(command);
            return command != "refuse me" && command != "enter";
        }));
    }

    DdeServer server_;
    std::vector<std::string> received_;
};

TEST_F(DdeServerTest, AcknowledgedAndRefusedExecutesAreCounted) {
    struct Case {
        const char* arguments;
        DWORD exitCode;
        std::vector<std::string> received;
    };
    const Case cases[] = {
        {"--service ZentraTest 7 Enter", 0, {"7", "Enter"}},
        {"--service ZentraTest enter \"refuse me\" LCM", 2, {"enter", "refuse me", "LCM"}},
        {"--service ZentraTest \"*\" /", 0, {"*", "/"}},
    };
    for (const Case& c : cases) {
        received_.clear();
        EXPECT_EQ(RunClient(c.arguments), c.exitCode) << c.arguments;
        EXPECT_EQ(received_, c.received) << c.arguments;
    }
}

TEST_F(DdeServerTest, WrongServiceOrTopicOpensNoConversation) {
    EXPECT_EQ(RunClient("--service Other 1"), 255u);
    EXPECT_EQ(RunClient("--service ZentraTest --topic Other 1"), 255u);
    EXPECT_TRUE(received_.empty());
}

TEST_F(DdeServerTest, ABurstArrivesCompleteAndInOrder) {
    std::string arguments = "--service ZentraTest";
    std::vector<std::string> expected;
    for (int i = 0; i < 300; ++i) {
        const std::string command = i % 4 == 3 ? "Enter" : std::to_string(i % 10);
        arguments += " " + command;
        expected.push_back(command);
    }
    EXPECT_EQ(RunClient(arguments), 0u);
    EXPECT_EQ(received_, expected);
}

TEST(DdeServer, OnlyOneServerRunsPerProcess) {
    DdeServer first;
    DdeServer second;
    ASSERT_TRUE(first.Start("ZentraOne", "Zentra", [](std::string_view) { return true; }));
    EXPECT_FALSE(second.Start("ZentraTwo", "Zentra", [](std::string_view) { return true; }));
    first.Stop();
    EXPECT_TRUE(second.Start("ZentraTwo", "Zentra", [](std::string_view) { return true; }));
}

}  // namespace
}  // namespace zentra::win32
