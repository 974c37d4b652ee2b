// The tabular view: the grid of number lines and its editing rules. A line holds a whole number
// of at most 12 digits in column 0 and its factorization in column 1; the last row is always the
// new, empty line. Clear and Del keep the numbers for one level of Undo, which an operation may
// raise (a cancellation restores the numbers with their factorizations).
#pragma once

#include <string>
#include <vector>

#include "common/display/Grid.h"
#include "common/display/RichTextBox.h"
#include "common/numbers/Fixed.h"
#include "window/GridOperations.h"
#include "window/View.h"

namespace zentra {

class TabularView final : public View {
  public:
    // All borrowed.
    TabularView(Grid& grid, RichTextBox& resultPane, GridOperations& operations,
                MetricsPort& metrics, ViewHost& host, EventGuard& guard)
        : grid_(grid),
          pane_(resultPane),
          operations_(operations),
          metrics_(metrics),
          host_(host),
          guard_(guard) {}

    // View.
    bool Digit(int digit) override;
    // The grid takes no operators.
    bool Operator(std::string_view) override { return false; }
    void Clear() override;
    void Delete() override;
    void Back() override;
    void Enter() override;
    void Focus() override;
    void ShowKeys(KeypadPort& keys) override;
    std::string CopyText() const override;
    void Undo() override;
    EditOffer Offer(const std::string& clipboard) const override;

    // The grid's cell events: leaving a row applies the row rule (a number on the new line opens
    // the next one, an emptied line goes), entering a cell keeps the cursor on the number column
    // of rows without a result.
    void OnLeaveCell();
    void OnEnterCell();
    // A double-click on a result shows its line in the result pane.
    void OnDoubleClick();
    // The two column widths (also after the host's layout of the display panel).
    void UpdateColumns();
    // Moves the cursor to the number column. Only a real change of cell raises the grid's cell
    // events: re-selecting the current cell must not run the row rule.
    void SelectNumberColumn();
    // The current line finished as leaving it would finish it (an operation in linear mode).
    void FinishLine();
    // A number entered on the current line as if typed, then Enter (a pasted number).
    void EnterNumber(const std::string& number);

    // The first line holds a number; there is at least one number line.
    bool HasNumbers() const;
    bool HasNumberLines() const { return grid_.Rows() >= 2; }
    // The current line's number column.
    std::string CurrentNumber() const { return grid_.TextMatrix(grid_.Row(), 0); }

    // Keeps the current numbers for Undo, and the level Undo acts on (0: nothing to undo;
    // 2: the restored numbers are factorized again).
    void SnapshotNumbers();
    void SetUndoLevel(int level) { undoLevel_ = level; }
    int UndoLevel() const { return undoLevel_; }
    const std::vector<Fixed>& UndoNumbers() const { return undoNumbers_; }

  private:
    // The line changed by typing: its result goes, the factorizations are stale.
    void LineEdited();
    void ShowCurrentLine();
    // Enter on the number column, the display keeping the focus.
    void PressEnter();

    Grid& grid_;
    RichTextBox& pane_;
    GridOperations& operations_;
    MetricsPort& metrics_;
    ViewHost& host_;
    EventGuard& guard_;
    std::vector<Fixed> undoNumbers_;
    int undoLevel_ = 0;
};

}  // namespace zentra
