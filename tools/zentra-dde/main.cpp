// zentra-dde: sends DDE execute strings to a server and counts the ones it refuses.
// https://learn.microsoft.com/windows/win32/api/ddeml/nf-ddeml-ddeclienttransaction
// DDEML needs the Windows types first.
// clang-format off
#include <windows.h>
#include <ddeml.h>
// clang-format on

#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

// Commands such as "*" and "/" must reach us as typed, not expanded as file patterns by the
// MinGW start-up code.
extern "C" {
int _dowildcard = 0;
}

namespace {

constexpr const char* kUsage =
    "usage: zentra-dde [--service NAME] [--topic NAME] [--timeout MS] [--quiet] [COMMAND...]\n"
    "Sends each COMMAND (or each line of standard input when there is none) as a DDE execute\n"
    "string. Exit code: the number of refused or failed transactions (at most 255);\n"
    "255 also when no conversation could be opened.\n";

HDDEDATA CALLBACK IgnoreCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

struct Options {
    std::string service = "Zentra!";
    std::string topic = "Zentra";
    DWORD timeoutMs = 10000;
    bool quiet = false;
    std::vector<std::string> commands;
    bool fromStdin = true;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--service" && hasValue) {
            options.service = argv[++i];
        } else if (arg == "--topic" && hasValue) {
            options.topic = argv[++i];
        } else if (arg == "--timeout" && hasValue) {
            options.timeoutMs = static_cast<DWORD>(std::strtoul(argv[++i], nullptr, 10));
        } else if (arg == "--quiet") {
            options.quiet = true;
        } else if (arg == "--help" || arg == "-h") {
            return false;
        } else {
            // Everything from here on is a command ("--" lets a command start with "--").
            for (int j = arg == "--" ? i + 1 : i; j < argc; ++j)
                options.commands.push_back(argv[j]);
            options.fromStdin = false;
            break;
        }
    }
    return true;
}

class Client {
  public:
    ~Client() {
        if (conversation_ != nullptr) DdeDisconnect(conversation_);
        if (instance_ != 0) DdeUninitialize(instance_);
    }

    bool Connect(const Options& options) {
        if (DdeInitializeA(&instance_, &IgnoreCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
            instance_ = 0;
            return false;
        }
        HSZ service = DdeCreateStringHandleA(instance_, options.service.c_str(), CP_WINANSI);
        HSZ topic = DdeCreateStringHandleA(instance_, options.topic.c_str(), CP_WINANSI);
        conversation_ = DdeConnect(instance_, service, topic, nullptr);
        DdeFreeStringHandle(instance_, service);
        DdeFreeStringHandle(instance_, topic);
        return conversation_ != nullptr;
    }

    // True when the server acknowledged the execute.
    bool Execute(const std::string& command, DWORD timeoutMs, UINT& error) {
        std::vector<BYTE> data(command.begin(), command.end());
        data.push_back(0);
        DWORD result = 0;
        HDDEDATA answer =
            DdeClientTransaction(data.data(), static_cast<DWORD>(data.size()), conversation_,
                                 nullptr, CF_TEXT, XTYP_EXECUTE, timeoutMs, &result);
        if (answer == nullptr) {
            error = DdeGetLastError(instance_);
            return false;
        }
        return true;
    }

    UINT LastError() const { return DdeGetLastError(instance_); }

  private:
    DWORD instance_ = 0;
    HCONV conversation_ = nullptr;
};

const char* ErrorName(UINT error) {
    switch (error) {
        case DMLERR_NOTPROCESSED:
            return "refused";
        case DMLERR_EXECACKTIMEOUT:
            return "timed out";
        case DMLERR_BUSY:
            return "busy";
        case DMLERR_NO_CONV_ESTABLISHED:
            return "no conversation";
        case DMLERR_SERVER_DIED:
            return "server died";
        default:
            return "failed";
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 255;
    }
    if (options.fromStdin) {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            options.commands.push_back(line);
        }
    }

    Client client;
    if (!client.Connect(options)) {
        std::fprintf(stderr, "zentra-dde: no conversation with %s|%s (error 0x%x)\n",
                     options.service.c_str(), options.topic.c_str(), client.LastError());
        return 255;
    }

    const auto start = std::chrono::steady_clock::now();
    std::size_t failed = 0;
    for (const std::string& command : options.commands) {
        UINT error = 0;
        if (client.Execute(command, options.timeoutMs, error)) continue;
        ++failed;
        if (!options.quiet) {
            // A long command is named by its start only.
            constexpr std::size_t kShown = 60;
            const std::string shown =
                command.size() > kShown ? command.substr(0, kShown) + "..." : command;
            std::fprintf(stderr, "zentra-dde: \"%s\" %s (0x%x)\n", shown.c_str(), ErrorName(error),
                         error);
        }
        // A dead server refuses everything that follows; stop instead of waiting on each.
        if (error == DMLERR_SERVER_DIED || error == DMLERR_NO_CONV_ESTABLISHED) {
            failed += options.commands.size() - 1 -
                      static_cast<std::size_t>(&command - options.commands.data());
            break;
        }
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    std::printf("sent %zu, acknowledged %zu, failed %zu, %lld ms\n", options.commands.size(),
                options.commands.size() - failed, failed, static_cast<long long>(ms));
    return failed > 255 ? 255 : static_cast<int>(failed);
}
