// All 78,498 primes below 1,000,000, decoded from the program's compact resource.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zentra {

class PrimeTable {
  public:
    // Decodes 3-byte little-endian records followed by two zero bytes. Refuses (with a reason in
    // `error`) a buffer that is short, long, unterminated, or whose records are not the ascending
    // primes 2 ... 999,983.
    static std::optional<PrimeTable> Decode(std::span<const std::uint8_t> bytes,
                                            std::string* error);
    // The table of the running program (its resource); nullopt with a reason when unusable.
    static std::optional<PrimeTable> FromProgramResource(std::string* error);

    std::span<const std::int32_t> Primes() const { return primes_; }
    std::size_t size() const { return primes_.size(); }
    std::int32_t operator[](std::size_t i) const { return primes_[i]; }

  private:
    std::vector<std::int32_t> primes_;
};

}  // namespace zentra
