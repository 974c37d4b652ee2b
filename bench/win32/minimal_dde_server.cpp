// The DDE yardstick of bench/window-scale.sh: a DDEML server on the program's service and topic
// that acknowledges every execute and does nothing else; "Exit" ends it.
// https://learn.microsoft.com/windows/win32/dataxchg/dynamic-data-exchange-management-library
// DDEML needs the Windows types first.
// clang-format off
#include <windows.h>
#include <ddeml.h>
// clang-format on

#include <cstring>

namespace {

DWORD g_instance = 0;
HSZ g_service = nullptr;
HSZ g_topic = nullptr;

HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA data, ULONG_PTR,
                           ULONG_PTR) {
    switch (type) {
        case XTYP_CONNECT:
            return reinterpret_cast<HDDEDATA>(
                static_cast<ULONG_PTR>(DdeCmpStringHandles(hsz1, g_topic) == 0 &&
                                       DdeCmpStringHandles(hsz2, g_service) == 0));
        case XTYP_EXECUTE: {
            char command[8] = {};
            DdeGetData(data, reinterpret_cast<LPBYTE>(command), sizeof command - 1, 0);
            if (std::strcmp(command, "Exit") == 0) PostQuitMessage(0);
            return reinterpret_cast<HDDEDATA>(DDE_FACK);
        }
        default:
            return nullptr;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const DWORD filters = APPCLASS_STANDARD | APPCMD_FILTERINITS | CBF_FAIL_ADVISES |
                          CBF_FAIL_REQUESTS | CBF_FAIL_POKES | CBF_SKIP_REGISTRATIONS |
                          CBF_SKIP_UNREGISTRATIONS;
    if (DdeInitializeA(&g_instance, &Callback, filters, 0) != DMLERR_NO_ERROR) return 1;
    g_service = DdeCreateStringHandleA(g_instance, "Zentra!", CP_WINANSI);
    g_topic = DdeCreateStringHandleA(g_instance, "Zentra", CP_WINANSI);
    if (DdeNameService(g_instance, g_service, nullptr, DNS_REGISTER) == nullptr) return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DdeNameService(g_instance, g_service, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(g_instance, g_service);
    DdeFreeStringHandle(g_instance, g_topic);
    DdeUninitialize(g_instance);
    return 0;
}
