// The decoded prime table, shared by the engine's tests (decoding checks 235 KB once).
#pragma once

#include <gtest/gtest.h>

#include "engine/PrimeTable.h"

namespace zentra {

inline const PrimeTable& TestPrimes() {
    static const PrimeTable table = [] {
        std::string error;
        auto decoded = PrimeTable::FromProgramResource(&error);
        if (!decoded) throw std::runtime_error(error);
        return *decoded;
    }();
    return table;
}

}  // namespace zentra
