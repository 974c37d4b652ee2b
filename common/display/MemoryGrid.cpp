#include "common/display/MemoryGrid.h"

#include <algorithm>
#include <stdexcept>

namespace zentra {

MemoryGrid::MemoryGrid() : cells_(1) {}

void MemoryGrid::CheckColumn(int col) {
    if (col < 0 || col > 1) throw std::out_of_range("grid column out of range");
}

void MemoryGrid::CheckRow(int row) const {
    if (row < 0 || row >= Rows()) throw std::out_of_range("grid row out of range");
}

void MemoryGrid::SetRows(int rows) {
    if (rows < 1) throw std::out_of_range("a grid keeps at least one row");
    cells_.resize(static_cast<std::size_t>(rows));
    if (row_ >= rows) MoveCurrent(rows - 1, col_);
    ClampTopRow();
}

void MemoryGrid::MoveCurrent(int row, int col) {
    if (events_) events_->OnLeaveCell();
    row_ = row;
    col_ = col;
    if (events_) events_->OnEnterCell();
}

void MemoryGrid::SetRow(int row) {
    CheckRow(row);
    if (leaving_) movedWhileLeaving_ = true;
    MoveCurrent(row, col_);
}

void MemoryGrid::SetCol(int col) {
    CheckColumn(col);
    if (leaving_) movedWhileLeaving_ = true;
    MoveCurrent(row_, col);
}

void MemoryGrid::SetTopRow(int row) {
    topRow_ = std::clamp(row, 0, MaxTopRow());
}

int MemoryGrid::VisibleRows() const {
    return std::max(1, height_ / std::max(1, rowHeight_));
}

int MemoryGrid::MaxTopRow() const {
    return std::max(0, Rows() - VisibleRows());
}

void MemoryGrid::SelectCell(int row, int col) {
    CheckRow(row);
    CheckColumn(col);
    if (row == row_ && col == col_) return;
    // The leave-cell handler may remove rows and choose the current cell itself; the target was
    // counted in the rows as they stood before, so the handler's choice stands.
    movedWhileLeaving_ = false;
    leaving_ = true;
    if (events_) events_->OnLeaveCell();
    leaving_ = false;
    if (!movedWhileLeaving_) {
        row_ = std::min(row, Rows() - 1);
        col_ = col;
    }
    if (events_) events_->OnEnterCell();
}

void MemoryGrid::DoubleClickCell(int row, int col) {
    SelectCell(row, col);
    if (events_) events_->OnDblClick();
}

std::string MemoryGrid::TextMatrix(int row, int col) const {
    CheckRow(row);
    CheckColumn(col);
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void MemoryGrid::SetTextMatrix(int row, int col, const std::string& text) {
    CheckRow(row);
    CheckColumn(col);
    cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = text;
}

int MemoryGrid::ColWidth(int col) const {
    CheckColumn(col);
    return colWidths_[static_cast<std::size_t>(col)];
}

void MemoryGrid::SetColWidth(int col, int twips) {
    CheckColumn(col);
    colWidths_[static_cast<std::size_t>(col)] = twips;
}

int MemoryGrid::RowHeight(int row) const {
    CheckRow(row);
    return rowHeight_;
}

void MemoryGrid::SetColAlignment(int col, int alignment) {
    CheckColumn(col);
    colAlignment_[static_cast<std::size_t>(col)] = alignment;
}

int MemoryGrid::ColAlignment(int col) const {
    CheckColumn(col);
    return colAlignment_[static_cast<std::size_t>(col)];
}

void MemoryGrid::AddItem(const std::string& text) {
    const auto tab = text.find('\t');
    if (tab == std::string::npos) {
        AppendRow(text);
    } else {
        const auto end = text.find('\t', tab + 1);
        AppendRow(text.substr(0, tab), text.substr(tab + 1, end - tab - 1));
    }
}

void MemoryGrid::RemoveItem(int row) {
    CheckRow(row);
    if (Rows() == 1) throw std::out_of_range("cannot remove the last row");
    cells_.erase(cells_.begin() + row);
    if (row_ >= Rows()) row_ = Rows() - 1;
    ClampTopRow();
}

void MemoryGrid::Clear() {
    for (auto& row : cells_) row = {};
}

bool MemoryGrid::RowIsVisible(int row) const {
    return row >= topRow_ && row < topRow_ + VisibleRows();
}

void MemoryGrid::SetSize(int widthTwips, int heightTwips) {
    width_ = widthTwips;
    height_ = heightTwips;
    ClampTopRow();
}

void MemoryGrid::AppendRow(std::string col0, std::string col1) {
    cells_.push_back({std::move(col0), std::move(col1)});
}

std::string MemoryGrid::AllText() const {
    std::string text;
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += cells_[i][0] + '\t' + cells_[i][1];
    }
    return text;
}

}  // namespace zentra
