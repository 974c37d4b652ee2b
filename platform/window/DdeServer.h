// The window's DDE source: execute strings sent to a service/topic pair reach one handler.
#pragma once

// DDEML needs the Windows types first.
// clang-format off
#include <windows.h>
#include <ddeml.h>
// clang-format on

#include <functional>
#include <string>
#include <string_view>

namespace zentra::win32 {

class DdeServer {
  public:
    // Answers true to acknowledge the execute, false to refuse it (negative acknowledgement).
    using ExecuteHandler = std::function<bool(std::string_view command)>;

    DdeServer() = default;
    ~DdeServer() { Stop(); }
    DdeServer(const DdeServer&) = delete;
    DdeServer& operator=(const DdeServer&) = delete;

    // Registers the service; only one server per process can run (the DDEML callback has no
    // context pointer). False when DDEML refuses.
    bool Start(const std::string& service, const std::string& topic, ExecuteHandler handler);
    void Stop();
    bool Running() const { return instance_ != 0; }

  private:
    static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conversation, HSZ hsz1,
                                      HSZ hsz2, HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2);
    HDDEDATA Dispatch(UINT type, HSZ hsz1, HSZ hsz2, HDDEDATA data);
    HDDEDATA Execute(HDDEDATA data);

    DWORD instance_ = 0;
    HSZ service_ = nullptr;
    HSZ topic_ = nullptr;
    ExecuteHandler handler_;
};

}  // namespace zentra::win32
