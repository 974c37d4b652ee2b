// An accessibility client, as a screen reader is one: it finds the program's window "Quorvel"
// and asks it through Microsoft Active Accessibility, from its own process.
//   walk                 prints the tree from the top window, one element a line:
//                        depth, role, name, value, states, child count, shortcut, default action
//   press NAME...        does the default action of the first element of each name, in order
//   value NAME           prints the value of the first element of that name
//   where NAME           prints its screen rectangle: left top width height
//   focus NAME           gives it the keyboard focus
//   focused NAME         follows its focus, then its selection, down to a simple element:
//                        one line each, the names on the way joined by " > "
//   setting-changed      tells the window that a system setting changed (WM_SETTINGCHANGE)
//   events SECONDS       records the program's focus, selection, value and reorder events for that
//                        long, then prints each with the name of the element it resolves to
//                        (AccessibleObjectFromEvent), as a screen reader reads it
// Exit code: 0, or 1 when the window or an element is missing or a call fails.
#include <oleacc.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/WindowSearch.h"

namespace {

// MinGW's x86-64 oleacc import library resolves IID_IAccessible to a code stub, not the GUID.
constexpr IID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

std::string Utf8(const wchar_t* text) {
    if (text == nullptr) return {};
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes > 0 ? bytes - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), bytes, nullptr, nullptr);
    return out;
}

using Getter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);

std::string Text(IAccessible* object, long child, Getter getter) {
    VARIANT id{};
    id.vt = VT_I4;
    id.lVal = child;
    BSTR text = nullptr;
    if ((object->*getter)(id, &text) != S_OK) return {};
    std::string out = Utf8(text);
    SysFreeString(text);
    return out;
}

const char* RoleName(long role) {
    switch (role) {
        case ROLE_SYSTEM_CLIENT:
            return "client";
        case ROLE_SYSTEM_PUSHBUTTON:
            return "button";
        case ROLE_SYSTEM_TABLE:
            return "table";
        case ROLE_SYSTEM_ROW:
            return "row";
        case ROLE_SYSTEM_CELL:
            return "cell";
        case ROLE_SYSTEM_STATICTEXT:
            return "label";
        case ROLE_SYSTEM_TEXT:
            return "edit";
        case ROLE_SYSTEM_GRAPHIC:
            return "graphic";
        default:
            return "other";
    }
}

long Long(IAccessible* object, long child,
          HRESULT (STDMETHODCALLTYPE IAccessible::*getter)(VARIANT, VARIANT*)) {
    VARIANT id{};
    id.vt = VT_I4;
    id.lVal = child;
    VARIANT out{};
    VariantInit(&out);
    if ((object->*getter)(id, &out) != S_OK || out.vt != VT_I4) return -1;
    return out.lVal;
}

std::string States(long state) {
    std::string out;
    if (state & STATE_SYSTEM_UNAVAILABLE) out += 'U';
    if (state & STATE_SYSTEM_INVISIBLE) out += 'I';
    if (state & STATE_SYSTEM_FOCUSED) out += 'F';
    if (state & STATE_SYSTEM_SELECTED) out += 'S';
    return out.empty() ? "-" : out;
}

// Visits every element under `object` (child 0 is the object itself), depth first. The visitor
// returns false to stop.
using Visitor = std::function<bool(IAccessible*, long child, int depth)>;

bool Walk(IAccessible* object, int depth, const Visitor& visit) {
    if (!visit(object, CHILDID_SELF, depth)) return false;
    long count = 0;
    if (object->get_accChildCount(&count) != S_OK || count <= 0) return true;
    VARIANT* children = new VARIANT[static_cast<std::size_t>(count)];
    long got = 0;
    bool go = true;
    if (SUCCEEDED(AccessibleChildren(object, 0, count, children, &got))) {
        for (long i = 0; i < got; ++i) {
            if (go && children[i].vt == VT_I4) go = visit(object, children[i].lVal, depth + 1);
            if (children[i].vt == VT_DISPATCH && children[i].pdispVal != nullptr) {
                IAccessible* inner = nullptr;
                if (go && SUCCEEDED(children[i].pdispVal->QueryInterface(
                              kIidAccessible, reinterpret_cast<void**>(&inner)))) {
                    go = Walk(inner, depth + 1, visit);
                    inner->Release();
                }
            }
            VariantClear(&children[i]);
        }
    }
    delete[] children;
    return go;
}

IAccessible* TopObject() {
    HWND window = zentra::outside::FindMainWindow();
    IAccessible* object = nullptr;
    if (window == nullptr ||
        FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                          reinterpret_cast<void**>(&object)))) {
        std::fprintf(stderr, "no accessible object for the window\n");
        return nullptr;
    }
    return object;
}

int PrintTree(IAccessible* top) {
    Walk(top, 0, [](IAccessible* object, long child, int depth) {
        long count = 0;
        if (child == CHILDID_SELF) object->get_accChildCount(&count);
        std::printf("%d\t%s\t%s\t%s\t%s\t%ld\t%s\t%s\n", depth,
                    RoleName(Long(object, child, &IAccessible::get_accRole)),
                    Text(object, child, &IAccessible::get_accName).c_str(),
                    Text(object, child, &IAccessible::get_accValue).c_str(),
                    States(Long(object, child, &IAccessible::get_accState)).c_str(), count,
                    Text(object, child, &IAccessible::get_accKeyboardShortcut).c_str(),
                    Text(object, child, &IAccessible::get_accDefaultAction).c_str());
        return true;
    });
    return 0;
}

// Calls `act` on the first element named `name`; false when there is none.
bool WithElement(IAccessible* top, const std::string& name,
                 const std::function<void(IAccessible*, long)>& act) {
    bool found = false;
    Walk(top, 0, [&](IAccessible* object, long child, int) {
        if (Text(object, child, &IAccessible::get_accName) != name) return true;
        act(object, child);
        found = true;
        return false;
    });
    if (!found) std::fprintf(stderr, "no element named \"%s\"\n", name.c_str());
    return found;
}

int Press(IAccessible* top, int count, char** names) {
    int failed = 0;
    for (int i = 0; i < count; ++i) {
        const bool found = WithElement(top, names[i], [&](IAccessible* object, long child) {
            VARIANT id{};
            id.vt = VT_I4;
            id.lVal = child;
            const HRESULT hr = object->accDoDefaultAction(id);
            std::printf("%s\t0x%08lx\n", names[i], static_cast<unsigned long>(hr));
            if (FAILED(hr)) ++failed;
        });
        if (!found) ++failed;
    }
    return failed == 0 ? 0 : 1;
}

int Value(IAccessible* top, const char* name) {
    return WithElement(top, name,
                       [](IAccessible* object, long child) {
                           std::printf("%s\n",
                                       Text(object, child, &IAccessible::get_accValue).c_str());
                       })
               ? 0
               : 1;
}

int Where(IAccessible* top, const char* name) {
    return WithElement(top, name,
                       [](IAccessible* object, long child) {
                           VARIANT id{};
                           id.vt = VT_I4;
                           id.lVal = child;
                           long x = 0, y = 0, width = 0, height = 0;
                           object->accLocation(&x, &y, &width, &height, id);
                           std::printf("%ld %ld %ld %ld\n", x, y, width, height);
                       })
               ? 0
               : 1;
}

int Focus(IAccessible* top, const char* name) {
    HRESULT hr = E_FAIL;
    const bool found = WithElement(top, name, [&](IAccessible* object, long child) {
        VARIANT id{};
        id.vt = VT_I4;
        id.lVal = child;
        hr = object->accSelect(SELFLAG_TAKEFOCUS, id);
    });
    return found && hr == S_OK ? 0 : 1;
}

using Pointer = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT*);

// The names down the chain of objects that `pointer` (accFocus or accSelection) leads to.
std::string Follow(IAccessible* object, Pointer pointer) {
    std::string names;
    object->AddRef();
    for (int depth = 0; object != nullptr && depth < 8; ++depth) {
        VARIANT next{};
        VariantInit(&next);
        const HRESULT hr = (object->*pointer)(&next);
        IAccessible* inner = nullptr;
        if (hr == S_OK && next.vt == VT_DISPATCH && next.pdispVal != nullptr) {
            next.pdispVal->QueryInterface(kIidAccessible, reinterpret_cast<void**>(&inner));
            if (inner != nullptr)
                names += (names.empty() ? "" : " > ") +
                         Text(inner, CHILDID_SELF, &IAccessible::get_accName);
        } else if (hr == S_OK && next.vt == VT_I4 && next.lVal != CHILDID_SELF) {
            names +=
                (names.empty() ? "" : " > ") + Text(object, next.lVal, &IAccessible::get_accName);
        }
        VariantClear(&next);
        object->Release();
        object = inner;
    }
    if (object != nullptr) object->Release();
    return names;
}

int Focused(IAccessible* top, const char* name) {
    return WithElement(top, name,
                       [](IAccessible* object, long) {
                           std::printf("%s\n%s\n",
                                       Follow(object, &IAccessible::get_accFocus).c_str(),
                                       Follow(object, &IAccessible::get_accSelection).c_str());
                       })
               ? 0
               : 1;
}

const char* EventName(DWORD event) {
    switch (event) {
        case EVENT_OBJECT_FOCUS:
            return "focus";
        case EVENT_OBJECT_SELECTION:
            return "selection";
        case EVENT_OBJECT_VALUECHANGE:
            return "value";
        case EVENT_OBJECT_REORDER:
            return "reorder";
        default:
            return nullptr;
    }
}

struct Event {
    DWORD kind;
    HWND hwnd;
    LONG child;
};
std::vector<Event> events;

// Out of context: the events arrive here through this thread's message queue. Nothing here may
// call the program: a cross-process call waits in a message loop that delivers the next events
// first, out of order. They are resolved once the recording ends.
void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD,
                      DWORD) {
    if (EventName(event) != nullptr && object == OBJID_CLIENT)
        events.push_back({event, hwnd, child});
}

// The name of the element an event points at, or "?id" when it resolves to nothing.
std::string EventElementName(const Event& event) {
    IAccessible* object = nullptr;
    VARIANT child{};
    VariantInit(&child);
    if (FAILED(AccessibleObjectFromEvent(event.hwnd, static_cast<DWORD>(OBJID_CLIENT),
                                         static_cast<DWORD>(event.child), &object, &child)) ||
        object == nullptr || child.vt != VT_I4) {
        char unresolved[16];
        std::snprintf(unresolved, sizeof unresolved, "?%ld", static_cast<long>(event.child));
        return unresolved;
    }
    std::string name = Text(object, child.lVal, &IAccessible::get_accName);
    object->Release();
    return name;
}

int Events(int seconds) {
    HWND window = zentra::outside::FindMainWindow();
    DWORD process = 0;
    if (window == nullptr || GetWindowThreadProcessId(window, &process) == 0) return 1;
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_VALUECHANGE, nullptr,
                                         &OnEvent, process, 0, WINEVENT_OUTOFCONTEXT);
    if (hook == nullptr) return 1;
    std::printf("listening\n");
    std::fflush(stdout);
    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    while (GetTickCount() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    UnhookWinEvent(hook);
    for (const Event& event : events) {
        char className[64] = {};
        GetClassNameA(event.hwnd, className, sizeof className);
        std::printf("%s\t%s\t%s\n", EventName(event.kind), className,
                    EventElementName(event).c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string command = argv[1];
    CoInitialize(nullptr);
    int result = 1;
    if (command == "setting-changed") {
        DWORD_PTR answer = 0;
        result = SendMessageTimeoutW(zentra::outside::FindMainWindow(), WM_SETTINGCHANGE,
                                     SPI_SETHIGHCONTRAST, 0, SMTO_ABORTIFHUNG, 5000, &answer)
                     ? 0
                     : 1;
    } else if (command == "events" && argc == 3) {
        result = Events(std::atoi(argv[2]));
    } else if (IAccessible* top = TopObject()) {
        if (command == "walk") result = PrintTree(top);
        if (command == "press") result = Press(top, argc - 2, argv + 2);
        if (command == "value" && argc == 3) result = Value(top, argv[2]);
        if (command == "where" && argc == 3) result = Where(top, argv[2]);
        if (command == "focus" && argc == 3) result = Focus(top, argv[2]);
        if (command == "focused" && argc == 3) result = Focused(top, argv[2]);
        top->Release();
    }
    CoUninitialize();
    return result;
}
