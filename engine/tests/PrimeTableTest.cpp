#include <gtest/gtest.h>

#include <vector>

#include "engine/Limits.h"
#include "engine/PrimeTable.h"
#include "resources/PrimeTableBytes.h"

namespace zentra {
namespace {

std::vector<std::uint8_t> ResourceCopy() {
    const auto bytes = PrimeTableResourceBytes();
    return {bytes.begin(), bytes.end()};
}

TEST(PrimeTable, TheEmbeddedResourceHasTheDocumentedLayout) {
    const auto bytes = PrimeTableResourceBytes();
    ASSERT_EQ(bytes.size(), kPrimeTableBytes);
    // First record 2, last record 999,983 (0x0F4A2F), then two zero bytes.
    EXPECT_EQ(bytes[0], 2);
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(bytes[2], 0);
    const std::size_t last = 3 * (kPrimeCount - 1);
    EXPECT_EQ(bytes[last] | bytes[last + 1] << 8 | bytes[last + 2] << 16, 999983);
    EXPECT_EQ(bytes[bytes.size() - 2], 0);
    EXPECT_EQ(bytes[bytes.size() - 1], 0);
}

TEST(PrimeTable, DecodesTheProgramResource) {
    std::string error;
    const auto table = PrimeTable::FromProgramResource(&error);
    ASSERT_TRUE(table.has_value()) << error;
    ASSERT_EQ(table->size(), kPrimeCount);
    EXPECT_EQ((*table)[0], 2);
    EXPECT_EQ((*table)[1], 3);
    EXPECT_EQ((*table)[168], 1009);  // the 169th prime
    EXPECT_EQ((*table)[kPrimeCount - 1], 999983);
}

TEST(PrimeTable, RefusesDamagedBuffers) {
    struct Case {
        const char* what;
        void (*damage)(std::vector<std::uint8_t>&);
    };
    const Case cases[] = {
        {"empty", [](std::vector<std::uint8_t>& b) { b.clear(); }},
        {"short by one", [](std::vector<std::uint8_t>& b) { b.pop_back(); }},
        {"one byte too long", [](std::vector<std::uint8_t>& b) { b.push_back(0); }},
        {"missing terminator", [](std::vector<std::uint8_t>& b) { b.back() = 7; }},
        {"composite record", [](std::vector<std::uint8_t>& b) { b[3 * 5] = 12; }},
        {"swapped records", [](std::vector<std::uint8_t>& b) { std::swap(b[0], b[3]); }},
        {"flipped high byte", [](std::vector<std::uint8_t>& b) { b[3 * 70000 + 2] ^= 0x01; }},
    };
    for (const auto& c : cases) {
        auto bytes = ResourceCopy();
        c.damage(bytes);
        std::string error;
        EXPECT_FALSE(PrimeTable::Decode(bytes, &error).has_value()) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
    }
}

TEST(Limits, DesignConstantsFollowTheirRules) {
    EXPECT_EQ(kMaxBases, 14);
    EXPECT_EQ(kMaxExponent, 39);
    EXPECT_EQ(ComputeMaxExponent(kNumberDigits), kMaxExponent);
    EXPECT_EQ(kPrimeTableBytes, 235496u);
}

}  // namespace
}  // namespace zentra
