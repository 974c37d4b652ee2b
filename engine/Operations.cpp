#include "engine/Operations.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "common/Common.h"
#include "common/LeadingNumber.h"
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

}  // namespace

Operations::Operations(const PrimeTable& primes, Grid& grid, RichTextBox& result,
                       OperationHost& host)
    : factorizer_(primes), grid_(grid), result_(result), host_(host) {}

std::size_t Operations::NumberLines() const {
    const int rows = grid_.Rows();
    return rows > 1 ? static_cast<std::size_t>(rows - 1) : 0;
}

void Operations::Run(int operationIndex) {
    host_.PressEnter();
    if (grid_.Rows() < 2) return;
    host_.SetBusy(true);
    host_.SetUndoLevel(0);
    switch (operationIndex) {
        case kFactorization:
            Factorization();
            break;
        case kLcm:
            Lcm();
            break;
        case kGcd:
            Gcd();
            break;
        case kCancellation:
            Cancellation();
            break;
        case kProduct:
            Product();
            break;
        default:
            break;
    }
    host_.SetBusy(false);
}

void Operations::Factorization() {
    const std::size_t lines = NumberLines();
    factors_.Reset(lines);
    for (std::size_t i = 0; i < lines; ++i) {
        const int row = static_cast<int>(i);
        // A value outside the fixed-point range has no factorization rather than a wrong one.
        const auto value = LeadingFixed(grid_.TextMatrix(row, 0));
        const FactorList list = value ? factorizer_.Factorize(*value) : FactorList();
        factors_.Append(list);
        const std::string text = FactorText(list);
        grid_.SetTextMatrix(row, 1, text.empty() ? text : "= " + text);
    }
    grid_.SetColAlignment(1, 0);
    factorizationStale_ = false;
}

void Operations::FactorizeIfStale() {
    if (factorizationStale_) Run(kFactorization);
}

void Operations::ShowResultList() {
    resultText_ = ResultText(resultList_, resultValue_);
    ShowResult(result_, resultText_);
}

template <typename Combine>
void Operations::MergeLines(Combine combine) {
    resultList_.clear();
    std::size_t powers = 0;
    for (const int count : factors_.Counts()) powers += static_cast<std::size_t>(count);
    resultList_.reserve(powers);
    // Slots stand in the order of first appearance; the index finds a base's slot at once.
    SlotIndex slotOf(powers);
    for (std::size_t line = 0; line < factors_.Lines(); ++line) {
        for (const auto& power : factors_.Line(line)) {
            std::uint32_t& entry = slotOf.Find(power.base, resultList_);
            if (entry == 0) {
                resultList_.push_back({power.base, Fixed()});
                entry = static_cast<std::uint32_t>(resultList_.size());
            }
            auto& exponent = resultList_[entry - 1].exponent;
            exponent = combine(exponent, power.exponent);
        }
    }
}

void Operations::Lcm() {
    FactorizeIfStale();
    MergeLines([](Fixed kept, Fixed added) { return std::max(kept, added); });
    ShowResultList();
}

void Operations::Product() {
    FactorizeIfStale();
    MergeLines([](Fixed kept, Fixed added) { return Fixed::FromRaw(kept.Raw() + added.Raw()); });
    std::sort(resultList_.begin(), resultList_.end(),
              [](const PrimePower& a, const PrimePower& b) { return a.base < b.base; });
    ShowResultList();
}

int Operations::FindFactor(std::size_t line, Fixed base) const {
    if (base == Fixed()) return 0;
    const auto powers = factors_.Line(line);
    for (std::size_t k = 0; k < powers.size(); ++k) {
        if (powers[k].base > base) return -1;
        if (powers[k].base == base) return static_cast<int>(k);
    }
    return -1;
}

void Operations::Gcd() {
    FactorizeIfStale();
    resultList_.clear();
    const std::size_t lines = factors_.Lines();
    if (lines > 0) {
        // Only the primes of the first line with the fewest distinct primes can be common.
        const std::size_t ref = IndexOfMin(std::span<const int>(factors_.Counts()));
        for (const auto& candidate : factors_.Line(ref)) {
            // The smallest exponent over all lines; 0 as soon as one line lacks the prime.
            std::int64_t exponent = candidate.exponent.WholePart();
            for (std::size_t n = 0; n < lines && exponent > 0; ++n) {
                if (n == ref) continue;
                const int slot = FindFactor(n, candidate.base);
                exponent = slot < 0
                               ? 0
                               : std::min(exponent, factors_.Line(n)[static_cast<std::size_t>(slot)]
                                                        .exponent.WholePart());
            }
            if (exponent >= 1) resultList_.push_back({candidate.base, Fixed::FromWhole(exponent)});
        }
    }
    ShowResultList();
}

void Operations::Cancellation() {
    Run(kGcd);
    host_.SnapshotNumbers();
    const Decimal one = Decimal::FromInt64(1);
    if (!resultValue_ || !(*resultValue_ > one)) return;
    const Decimal divisor = *resultValue_;
    const std::size_t lines = NumberLines();
    for (std::size_t i = 0; i < lines; ++i) {
        const int row = static_cast<int>(i);
        const auto value = LeadingFixed(grid_.TextMatrix(row, 0));
        if (!value) continue;  // cannot happen: such a line makes the GCD 1
        const auto quotient = Decimal::Divide(Decimal::FromFixed(*value), divisor);
        if (quotient) grid_.SetTextMatrix(row, 0, quotient->ToString());
    }
    Run(kFactorization);
    host_.SetUndoLevel(2);
}

}  // namespace zentra
