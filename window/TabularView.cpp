#include "window/TabularView.h"

#include <algorithm>

#include "common/numbers/LeadingNumber.h"
#include "input/ShowResult.h"
#include "window/ClipboardScript.h"
#include "window/WindowLayout.h"

namespace zentra {
namespace {

constexpr std::size_t kMaxLineDigits = 12;

// The value of a cell by the leading-number rule; 0 for text that is no number.
double CellValue(const std::string& text) {
    return LeadingNumber(text);
}

}  // namespace

bool TabularView::Digit(int digit) {
    host_.FocusDisplay();
    SelectNumberColumn();
    ShowCurrentLine();
    const std::string line = CurrentNumber();
    if (line.size() >= kMaxLineDigits) return false;
    // The number the line reads as with the digit appended: "0" then "5" gives "5".
    std::string typed = line;
    typed.push_back(static_cast<char>('0' + digit));
    const auto value = LeadingFixed(typed);
    grid_.SetTextMatrix(grid_.Row(), 0, value ? value->ToString() : typed);
    LineEdited();
    return true;
}

void TabularView::LineEdited() {
    grid_.SetTextMatrix(grid_.Row(), 1, "");
    operations_.SetFactorizationStale(true);
    undoLevel_ = 0;
}

void TabularView::Clear() {
    SnapshotNumbers();
    undoLevel_ = 1;
    grid_.Clear();
    {
        // An emptied grid leaves the cell rules nothing to do; shrinking it may report a cell
        // that no longer exists.
        EventGuard::Scope guard(guard_);
        grid_.SetRows(1);
        grid_.SetRow(0);
    }
    UpdateColumns();
    operations_.SetFactorizationStale(true);
    ShowResult(pane_, "");
    ShowCurrentLine();
}

void TabularView::Delete() {
    SnapshotNumbers();
    undoLevel_ = 1;
    if (grid_.Row() == grid_.Rows() - 1) {
        grid_.SetTextMatrix(grid_.Row(), 0, "");
        grid_.SetTextMatrix(grid_.Row(), 1, "");
    } else {
        grid_.RemoveItem(grid_.Row());
        grid_.SetRow(std::min(grid_.Row(), grid_.Rows() - 1));
        UpdateColumns();
    }
    operations_.SetFactorizationStale(true);
    ShowCurrentLine();
}

void TabularView::Back() {
    const std::string line = CurrentNumber();
    if (!line.empty()) {
        grid_.SetTextMatrix(grid_.Row(), 0, line.substr(0, line.size() - 1));
        LineEdited();
    }
    ShowCurrentLine();
}

void TabularView::Enter() {
    OnLeaveCell();
    if (grid_.Row() < grid_.Rows() - 1) grid_.SetRow(grid_.Row() + 1);
    ShowCurrentLine();
}

void TabularView::Focus() {
    if (grid_.Enabled()) grid_.SetFocus();
}

void TabularView::ShowKeys(KeypadPort& keys) {
    ShowKeysOfMode(keys, false);
}

std::string TabularView::CopyText() const {
    return grid_.TextMatrix(grid_.Row(), grid_.Col());
}

EditOffer TabularView::Offer(const std::string& clipboard) const {
    EditOffer offer;
    offer.undo = undoLevel_ >= 1;
    offer.copy = !CopyText().empty();
    offer.paste = ParseClipboardScript(clipboard).worthPasting;
    offer.del = CellValue(CurrentNumber()) > 0;
    offer.clear = HasNumbers();
    return offer;
}

bool TabularView::HasNumbers() const {
    return CellValue(grid_.TextMatrix(0, 0)) > 0;
}

void TabularView::Undo() {
    if (undoLevel_ == 0) return;
    host_.SetBusy(true);
    const int count = static_cast<int>(undoNumbers_.size());
    // Append the missing rows first: the last row stays the (empty) new line.
    while (grid_.Rows() - 1 < count) grid_.AddItem("\t");
    for (int i = 0; i < count; ++i) {
        // A row whose number changes loses its result: the rows moved since the snapshot, and a
        // factorization left beside another number would be a wrong result on screen.
        const std::string number = undoNumbers_[static_cast<std::size_t>(i)].ToString();
        if (grid_.TextMatrix(i, 0) == number) continue;
        grid_.SetTextMatrix(i, 0, number);
        grid_.SetTextMatrix(i, 1, "");
    }
    UpdateColumns();
    if (count > 0) operations_.SetFactorizationStale(true);
    if (undoLevel_ == 2) {
        // The cancelled numbers had their factorizations: so do the restored ones.
        PressEnter();
        if (HasNumberLines()) operations_.Factorize();
    }
    undoLevel_ = 0;
    host_.SetBusy(false);
}

void TabularView::EnterNumber(const std::string& number) {
    grid_.SetTextMatrix(grid_.Row(), 0, number);
    LineEdited();
    PressEnter();
}

void TabularView::PressEnter() {
    SelectNumberColumn();
    Enter();
    host_.FocusDisplay();
}

void TabularView::FinishLine() {
    SelectNumberColumn();
    OnLeaveCell();
}

void TabularView::SelectNumberColumn() {
    if (grid_.Col() != 0) grid_.SetCol(0);
}

// Scrolls the view as little as possible so that the whole current line shows.
void TabularView::ShowCurrentLine() {
    const int row = grid_.Row();
    if (grid_.RowIsVisible(row)) return;
    if (row < grid_.TopRow()) {
        grid_.SetTopRow(row);
        return;
    }
    const int visibleRows = std::max(1, grid_.Height() / std::max(1, grid_.RowHeight(0)));
    grid_.SetTopRow(row - visibleRows + 1);
    if (!grid_.RowIsVisible(row)) grid_.SetTopRow(row);
}

void TabularView::OnLeaveCell() {
    if (guard_.Raised()) return;
    EventGuard::Scope guard(guard_);
    const int row = grid_.Row();
    const int last = grid_.Rows() - 1;
    if (row > last) return;
    const bool positive = CellValue(grid_.TextMatrix(row, 0)) > 0;
    if (row == last && positive) {
        grid_.AddItem("\t");
        UpdateColumns();
    } else if (row < last && !positive) {
        grid_.RemoveItem(row);
        UpdateColumns();
        operations_.SetFactorizationStale(true);
        undoLevel_ = 0;
        grid_.SetRow(grid_.Rows() - 1);
    } else if (row == last) {
        grid_.SetTextMatrix(row, 0, "");
        grid_.SetTextMatrix(row, 1, "");
    }
}

void TabularView::OnEnterCell() {
    if (guard_.Raised()) return;
    EventGuard::Scope guard(guard_);
    if (grid_.Col() != 0 && grid_.TextMatrix(grid_.Row(), 1).empty()) grid_.SetCol(0);
    grid_.SetRow(std::min(grid_.Row(), grid_.Rows() - 1));
}

void TabularView::UpdateColumns() {
    const int twipsPerPixel = metrics_.TwipsPerPixelX();
    constexpr int kNumberPaddingPixels = 6;
    const int padding = win32::ScalePixels(kNumberPaddingPixels, metrics_.DotsPerInch());
    const int numberWidth =
        metrics_.DisplayTextWidth(std::string(kMaxLineDigits, '9')) + padding * twipsPerPixel;
    grid_.SetColWidth(0, numberWidth);
    const bool scrollBar =
        static_cast<long long>(grid_.RowHeight(0)) * grid_.Rows() > grid_.Height();
    const int scrollWidth = scrollBar ? metrics_.VerticalScrollBarWidth() * twipsPerPixel : 0;
    grid_.SetColWidth(1, std::max(0, grid_.Width() - numberWidth - scrollWidth));
}

void TabularView::OnDoubleClick() {
    if (grid_.Col() != 1) return;
    ShowResult(pane_, CurrentNumber() + " " + grid_.TextMatrix(grid_.Row(), 1));
}

void TabularView::SnapshotNumbers() {
    const int numbers = grid_.Rows() - 1;
    if (numbers < 1) return;
    undoNumbers_.clear();
    undoNumbers_.reserve(static_cast<std::size_t>(numbers));
    for (int row = 0; row < numbers; ++row) {
        undoNumbers_.push_back(LeadingFixed(grid_.TextMatrix(row, 0)).value_or(Fixed()));
    }
}

}  // namespace zentra
