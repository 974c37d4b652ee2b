#include "engine/Operations.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "common/numbers/Common.h"
#include "engine/ResultRendering.h"

namespace zentra {
namespace {

// The slot of each base, by open addressing in one array: a display of 100,000 lines brings
// hundreds of thousands of distinct primes, and a map with a node for each spends more on
// allocating than on the LCM itself.
class SlotIndex {
  public:
    explicit SlotIndex(std::size_t keys) {
        while ((std::size_t{1} << bits_) < keys + keys / 2) ++bits_;
        entries_.assign(std::size_t{1} << bits_, 0);
    }

    // The entry of `base`: its slot in `slots` plus one, or 0 for a base not seen yet (the
    // caller stores the new slot there).
    std::uint32_t& Find(Fixed base, const std::vector<PrimePower>& slots) {
        const std::size_t mask = entries_.size() - 1;
        const auto key = static_cast<std::uint64_t>(base.Raw());
        std::size_t i = static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> (64 - bits_));
        while (entries_[i] != 0 && slots[entries_[i] - 1].base != base) i = (i + 1) & mask;
        return entries_[i];
    }

  private:
    int bits_ = 4;
    std::vector<std::uint32_t> entries_;
};

// Merges all lines' lists into one, combining the exponents of equal bases; slots stand in the
// order of first appearance.
template <typename Combine>
std::vector<PrimePower> MergeLines(const FactorTable& factors, Combine combine) {
    std::vector<PrimePower> merged;
    std::size_t powers = 0;
    for (const int count : factors.Counts()) powers += static_cast<std::size_t>(count);
    merged.reserve(powers);
    SlotIndex slotOf(powers);
    for (std::size_t line = 0; line < factors.Lines(); ++line) {
        for (const auto& power : factors.Line(line)) {
            std::uint32_t& entry = slotOf.Find(power.base, merged);
            if (entry == 0) {
                merged.push_back({power.base, Fixed()});
                entry = static_cast<std::uint32_t>(merged.size());
            }
            auto& exponent = merged[entry - 1].exponent;
            exponent = combine(exponent, power.exponent);
        }
    }
    return merged;
}

CombinedResult Finish(std::vector<PrimePower> list) {
    CombinedResult result;
    result.list = std::move(list);
    result.text = ResultText(result.list, result.value);
    return result;
}

}  // namespace

FactorTable FactorizeLines(const Factorizer& factorizer, std::span<const LineValue> values) {
    FactorTable factors;
    factors.Reset(values.size());
    for (const LineValue& value : values) {
        factors.Append(value ? factorizer.Factorize(*value) : FactorList());
    }
    return factors;
}

std::string LineFactorText(std::span<const PrimePower> powers) {
    return powers.empty() ? std::string() : "= " + FactorText(powers);
}

CombinedResult Lcm(const FactorTable& factors) {
    return Finish(
        MergeLines(factors, [](Fixed kept, Fixed added) { return std::max(kept, added); }));
}

CombinedResult Product(const FactorTable& factors) {
    auto list = MergeLines(
        factors, [](Fixed kept, Fixed added) { return Fixed::FromRaw(kept.Raw() + added.Raw()); });
    std::sort(list.begin(), list.end(),
              [](const PrimePower& a, const PrimePower& b) { return a.base < b.base; });
    return Finish(std::move(list));
}

int FindFactor(const FactorTable& factors, std::size_t line, Fixed base) {
    if (base == Fixed()) return 0;
    const auto powers = factors.Line(line);
    for (std::size_t k = 0; k < powers.size(); ++k) {
        if (powers[k].base > base) return -1;
        if (powers[k].base == base) return static_cast<int>(k);
    }
    return -1;
}

CombinedResult Gcd(const FactorTable& factors) {
    std::vector<PrimePower> list;
    const std::size_t lines = factors.Lines();
    if (lines > 0) {
        // Only the primes of the first line with the fewest distinct primes can be common.
        const std::size_t ref = IndexOfMin(std::span<const int>(factors.Counts()));
        for (const auto& candidate : factors.Line(ref)) {
            // The smallest exponent over all lines; 0 as soon as one line lacks the prime.
            std::int64_t exponent = candidate.exponent.WholePart();
            for (std::size_t n = 0; n < lines && exponent > 0; ++n) {
                if (n == ref) continue;
                const int slot = FindFactor(factors, n, candidate.base);
                exponent =
                    slot < 0
                        ? 0
                        : std::min(
                              exponent,
                              factors.Line(n)[static_cast<std::size_t>(slot)].exponent.WholePart());
            }
            if (exponent >= 1) list.push_back({candidate.base, Fixed::FromWhole(exponent)});
        }
    }
    return Finish(std::move(list));
}

std::vector<std::optional<Decimal>> CancelLines(std::span<const LineValue> values,
                                                const CombinedResult& gcd) {
    std::vector<std::optional<Decimal>> quotients;
    if (!gcd.value || !(*gcd.value > Decimal::FromInt64(1))) return quotients;
    quotients.reserve(values.size());
    for (const LineValue& value : values) {
        // A line without a value makes the GCD 1, so it cannot reach here; it keeps its number.
        quotients.push_back(value ? Decimal::Divide(Decimal::FromFixed(*value), *gcd.value)
                                  : std::nullopt);
    }
    return quotients;
}

}  // namespace zentra
