// The operation command of the keypad's function keys: the shared frame and the five operations
// (factorization, LCM, GCD, cancellation, product) over all lines of the display.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/Decimal.h"
#include "common/Grid.h"
#include "common/RichTextBox.h"
#include "engine/FactorTable.h"
#include "engine/Factorizer.h"
#include "engine/PrimeTable.h"

namespace zentra {

enum OperationIndex : int {
    kFactorization = 0,
    kLcm = 1,
    kGcd = 2,
    kCancellation = 3,
    kProduct = 4,
};

// What the frame needs of the window around it.
class OperationHost {
  public:
    virtual ~OperationHost() = default;
    // The Enter key's action, performed before every operation to finish the pending line.
    virtual void PressEnter() = 0;
    // Hourglass and disabled window while true.
    virtual void SetBusy(bool busy) = 0;
    virtual void SetUndoLevel(int level) = 0;
    // Keeps the current numbers for Undo (before a cancellation rewrites them).
    virtual void SnapshotNumbers() = 0;
};

// A host with nothing around it (the command-line front end).
class NullOperationHost final : public OperationHost {
  public:
    void PressEnter() override {}
    void SetBusy(bool) override {}
    void SetUndoLevel(int) override {}
    void SnapshotNumbers() override {}
};

class Operations {
  public:
    // All references are borrowed and must outlive this object.
    Operations(const PrimeTable& primes, Grid& grid, RichTextBox& result, OperationHost& host);

    // The operation command: Enter, then (with at least one number line) busy, undo level 0,
    // the operation, not busy. Unknown indexes run only the frame.
    void Run(int operationIndex);

    bool FactorizationStale() const { return factorizationStale_; }
    void SetFactorizationStale(bool stale) { factorizationStale_ = stale; }
    const FactorTable& Factors() const { return factors_; }
    std::span<const PrimePower> ResultList() const { return resultList_; }
    // The value of the last LCM, GCD or product; nullopt once it overflowed the decimal range.
    const std::optional<Decimal>& ResultValue() const { return resultValue_; }
    // The linear text that the last LCM, GCD or product showed.
    const std::string& LastResultText() const { return resultText_; }
    // Slot of `base` in the line's list, or -1.
    int FindFactor(std::size_t line, Fixed base) const;

  private:
    std::size_t NumberLines() const;
    void Factorization();
    // Merges all lines' lists into the result list, combining the exponents of equal bases.
    template <typename Combine>
    void MergeLines(Combine combine);
    void Lcm();
    void Product();
    void Gcd();
    void Cancellation();
    void FactorizeIfStale();
    void ShowResultList();

    Factorizer factorizer_;
    Grid& grid_;
    RichTextBox& result_;
    OperationHost& host_;
    FactorTable factors_;
    std::vector<PrimePower> resultList_;
    std::optional<Decimal> resultValue_;
    std::string resultText_;
    bool factorizationStale_ = false;
};

}  // namespace zentra
