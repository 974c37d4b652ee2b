#include "engine/PrimeTable.h"

#include "engine/Limits.h"
#include "resources/PrimeTableBytes.h"

namespace zentra {
namespace {

constexpr std::uint64_t kTableDigest = 0x5741df4d99f4d980;

std::uint64_t Fnv1a64(std::span<const std::uint8_t> bytes) {
    std::uint64_t hash = 0xcbf29ce484222325;
    for (std::uint8_t b : bytes) {
        hash ^= b;
        hash *= 0x100000001b3;
    }
    return hash;
}

}  // namespace

std::optional<PrimeTable> PrimeTable::Decode(std::span<const std::uint8_t> bytes,
                                             std::string* error) {
    auto fail = [error](const char* reason) -> std::optional<PrimeTable> {
        if (error) *error = reason;
        return std::nullopt;
    };
    if (bytes.size() < kPrimeTableBytes) return fail("prime table resource is too short");
    if (bytes.size() > kPrimeTableBytes) return fail("prime table resource is too long");
    if (bytes[kPrimeTableBytes - 2] != 0 || bytes[kPrimeTableBytes - 1] != 0) {
        return fail("prime table resource lacks its two closing zero bytes");
    }
    PrimeTable table;
    table.primes_.reserve(kPrimeCount);
    std::int32_t previous = 1;
    for (std::size_t i = 0; i < kPrimeCount; ++i) {
        const std::size_t at = i * kPrimeRecordBytes;
        const auto value =
            static_cast<std::int32_t>(bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16));
        if (value <= previous) return fail("prime table records are not ascending");
        table.primes_.push_back(value);
        previous = value;
    }
    if (table.primes_.front() != 2 || table.primes_.back() != 999983) {
        return fail("prime table does not run from 2 to 999983");
    }
    // Ascending records between the right end points can still hold composites; the digest of the
    // whole resource (FNV-1a, 64 bits) tells the genuine table from any other.
    if (Fnv1a64(bytes) != kTableDigest) return fail("prime table resource is corrupt");
    return table;
}

std::optional<PrimeTable> PrimeTable::FromProgramResource(std::string* error) {
    const auto bytes = PrimeTableResourceBytes();
    if (bytes.empty()) {
        if (error) *error = "prime table resource not found";
        return std::nullopt;
    }
    return Decode(bytes, error);
}

}  // namespace zentra
