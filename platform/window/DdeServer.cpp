// DDEML server side:
// https://learn.microsoft.com/windows/win32/dataxchg/dynamic-data-exchange-management-library
#include "platform/window/DdeServer.h"

#include <vector>

#include "platform/controls/EntryGuard.h"

namespace zentra::win32 {
namespace {

DdeServer* g_server = nullptr;
const HDDEDATA kRefused = reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);

}  // namespace

bool DdeServer::Start(const std::string& service, const std::string& topic,
                      ExecuteHandler handler) {
    if (g_server != nullptr) return false;
    handler_ = std::move(handler);
    const DWORD filters = APPCLASS_STANDARD | APPCMD_FILTERINITS | CBF_FAIL_ADVISES |
                          CBF_FAIL_REQUESTS | CBF_FAIL_POKES | CBF_SKIP_REGISTRATIONS |
                          CBF_SKIP_UNREGISTRATIONS;
    if (DdeInitializeA(&instance_, &DdeServer::Callback, filters, 0) != DMLERR_NO_ERROR) {
        instance_ = 0;
        return false;
    }
    g_server = this;
    service_ = DdeCreateStringHandleA(instance_, service.c_str(), CP_WINANSI);
    topic_ = DdeCreateStringHandleA(instance_, topic.c_str(), CP_WINANSI);
    if (service_ == nullptr || topic_ == nullptr ||
        DdeNameService(instance_, service_, nullptr, DNS_REGISTER) == nullptr) {
        Stop();
        return false;
    }
    return true;
}

void DdeServer::Stop() {
    if (instance_ == 0) return;
    if (service_ != nullptr) DdeNameService(instance_, service_, nullptr, DNS_UNREGISTER);
    if (service_ != nullptr) DdeFreeStringHandle(instance_, service_);
    if (topic_ != nullptr) DdeFreeStringHandle(instance_, topic_);
    DdeUninitialize(instance_);
    service_ = topic_ = nullptr;
    instance_ = 0;
    if (g_server == this) g_server = nullptr;
}

HDDEDATA CALLBACK DdeServer::Callback(UINT type, UINT, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                                      ULONG_PTR, ULONG_PTR) {
    DdeServer* server = g_server;
    if (server == nullptr) return nullptr;
    // An execute that failed inside is refused; any other transaction is simply not answered.
    return win32::GuardEntry([&] { return server->Dispatch(type, hsz1, hsz2, data); },
                             [type] { return type == XTYP_EXECUTE ? kRefused : HDDEDATA{}; });
}

HDDEDATA DdeServer::Dispatch(UINT type, HSZ hsz1, HSZ hsz2, HDDEDATA data) {
    switch (type) {
        case XTYP_CONNECT:
            // hsz1 is the topic, hsz2 the service.
            return reinterpret_cast<HDDEDATA>(
                static_cast<ULONG_PTR>(DdeCmpStringHandles(hsz1, topic_) == 0 &&
                                       DdeCmpStringHandles(hsz2, service_) == 0));
        case XTYP_EXECUTE:
            if (DdeCmpStringHandles(hsz1, topic_) != 0) return kRefused;
            return Execute(data);
        default:
            return nullptr;
    }
}

HDDEDATA DdeServer::Execute(HDDEDATA data) {
    const DWORD size = DdeGetData(data, nullptr, 0, 0);
    std::vector<char> bytes(size);
    if (size > 0) DdeGetData(data, reinterpret_cast<LPBYTE>(bytes.data()), size, 0);
    // The command ends at its terminating NUL; a client may send it without one.
    std::string_view command(bytes.data(), bytes.size());
    if (const auto nul = command.find('\0'); nul != std::string_view::npos) {
        command = command.substr(0, nul);
    }
    const bool accepted = handler_ && handler_(command);
    return accepted ? reinterpret_cast<HDDEDATA>(DDE_FACK) : kRefused;
}

}  // namespace zentra::win32
