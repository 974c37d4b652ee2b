// Why the program could not start, and what it tells the user before it ends.
#pragma once

#include <string>
#include <string_view>

namespace zentra {

enum class StartFailure {
    None,
    PrimeTable,  // the table resource is missing or damaged; `detail` says how
    Window,      // a window class or window could not be created
    Dde,         // the DDE service could not be registered
};

// The text of the message box shown before the program ends with a failure code.
std::string StartFailureText(StartFailure failure, std::string_view detail = {});

}  // namespace zentra
