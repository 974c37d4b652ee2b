#include "window/GridOperations.h"

#include "common/numbers/LeadingNumber.h"
#include "input/ShowResult.h"

namespace zentra {

GridOperations::GridOperations(const PrimeTable& primes, Grid& grid, RichTextBox& result)
    : factorizer_(primes), grid_(grid), result_(result) {}

std::vector<LineValue> GridOperations::ReadNumberLines() const {
    const int lines = grid_.Rows() - 1;
    std::vector<LineValue> values;
    values.reserve(lines > 0 ? static_cast<std::size_t>(lines) : 0);
    for (int row = 0; row < lines; ++row) values.push_back(LeadingFixed(grid_.TextMatrix(row, 0)));
    return values;
}

void GridOperations::Factorize() {
    factors_ = FactorizeLines(factorizer_, ReadNumberLines());
    for (std::size_t line = 0; line < factors_.Lines(); ++line) {
        grid_.SetTextMatrix(static_cast<int>(line), 1, LineFactorText(factors_.Line(line)));
    }
    grid_.SetColAlignment(1, 0);
    factorizationStale_ = false;
}

void GridOperations::Combine(OperationIndex operation) {
    if (factorizationStale_) Factorize();
    switch (operation) {
        case kLcm:
            last_ = Lcm(factors_);
            break;
        case kGcd:
            last_ = Gcd(factors_);
            break;
        case kProduct:
            last_ = Product(factors_);
            break;
        default:
            return;
    }
    ShowResult(result_, last_.text);
}

bool GridOperations::CancelByGcd() {
    const auto quotients = CancelLines(ReadNumberLines(), last_);
    if (quotients.empty()) return false;
    for (std::size_t line = 0; line < quotients.size(); ++line) {
        if (quotients[line])
            grid_.SetTextMatrix(static_cast<int>(line), 0, quotients[line]->ToString());
    }
    Factorize();
    return true;
}

}  // namespace zentra
