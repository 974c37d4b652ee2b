#include "window/StartFailure.h"

namespace zentra {

std::string StartFailureText(StartFailure failure, std::string_view detail) {
    constexpr std::string_view kLead = "Zentra! cannot start: ";
    constexpr std::string_view kReinstall = ".\r\nPlease install the program again.";
    constexpr std::string_view kRetry = ".\r\nPlease close other programs and start it again.";
    switch (failure) {
        case StartFailure::PrimeTable:
            return std::string(kLead) + std::string(detail) + std::string(kReinstall);
        case StartFailure::Window:
            return std::string(kLead) + "its window could not be created" + std::string(kRetry);
        case StartFailure::Dde:
            return std::string(kLead) + "its DDE service could not be registered" +
                   std::string(kRetry);
        case StartFailure::None:
            break;
    }
    return {};
}

}  // namespace zentra
