// The operations on the tabular display: the grid's number lines go to the engine, their
// factorizations come back into column 1 and the combined results into the result pane. Keeps
// what the next operation needs: the factor table and whether the numbers changed since.
// The frame around an operation (Enter, busy, undo level) is the window's.
#pragma once

#include <string>
#include <vector>

#include "common/display/Grid.h"
#include "common/display/RichTextBox.h"
#include "engine/FactorTable.h"
#include "engine/Factorizer.h"
#include "engine/Operations.h"
#include "engine/PrimeTable.h"

namespace zentra {

class GridOperations {
  public:
    // All borrowed; they must outlive this object.
    GridOperations(const PrimeTable& primes, Grid& grid, RichTextBox& result);

    // Every number line's factorization, written into its column 1.
    void Factorize();
    // LCM, GCD or product of all number lines (factorized first when the numbers changed), shown
    // in the result pane.
    void Combine(OperationIndex operation);
    // Divides every number line by the GCD that Combine(kGcd) just found, and factorizes the new
    // numbers; false when there was nothing to cancel.
    bool CancelByGcd();

    bool FactorizationStale() const { return factorizationStale_; }
    void SetFactorizationStale(bool stale) { factorizationStale_ = stale; }
    const FactorTable& Factors() const { return factors_; }
    // The linear text that the last LCM, GCD or product showed.
    const std::string& LastResultText() const { return last_.text; }

  private:
    // The numbers of rows 0 to Rows - 2 (the last row is the new line).
    std::vector<LineValue> ReadNumberLines() const;

    Factorizer factorizer_;
    Grid& grid_;
    RichTextBox& result_;
    FactorTable factors_;
    CombinedResult last_;
    bool factorizationStale_ = false;
};

}  // namespace zentra
