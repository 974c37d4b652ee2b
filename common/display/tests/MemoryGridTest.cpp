#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "common/display/MemoryGrid.h"

namespace zentra {
namespace {

class RecordingEvents : public GridEvents {
  public:
    void OnLeaveCell() override { log += "L"; }
    void OnEnterCell() override { log += "E"; }
    void OnDblClick() override { log += "D"; }
    std::string log;
};

TEST(MemoryGrid_Contract, BehavesAsTheDisplayExpects) {
    MemoryGrid grid;
    EXPECT_EQ(grid.Rows(), 1);
    grid.AddItem("\t");
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.TextMatrix(1, 0), "");
    EXPECT_EQ(grid.TextMatrix(1, 1), "");
    grid.AddItem("12\t= 2^2 * 3");
    grid.SetTextMatrix(0, 0, "7");
    grid.RemoveItem(1);
    EXPECT_EQ(grid.TextMatrix(1, 0), "12");
    EXPECT_EQ(grid.TextMatrix(1, 1), "= 2^2 * 3");
    EXPECT_EQ(grid.AllText(), "7\t\r\n12\t= 2^2 * 3");
    grid.Clear();
    grid.SetRows(1);
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.TextMatrix(0, 0), "");
}

TEST(MemoryGrid_Events, RowAndColRaiseLeaveThenEnterSynchronously) {
    MemoryGrid grid;
    RecordingEvents events;
    grid.SetEvents(&events);
    grid.AddItem("\t");
    grid.SetRow(1);
    grid.SetCol(1);
    EXPECT_EQ(events.log, "LELE");
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 1);
}

TEST(MemoryGrid_Events, SelectingACellRaisesOnePairAndNothingForTheCurrentCell) {
    MemoryGrid grid;
    RecordingEvents events;
    grid.SetEvents(&events);
    grid.AddItem("1\t= 1");
    grid.SelectCell(1, 1);
    EXPECT_EQ(events.log, "LE");
    grid.SelectCell(1, 1);
    EXPECT_EQ(events.log, "LE");
    grid.DoubleClickCell(0, 0);
    EXPECT_EQ(events.log, "LELED");
    EXPECT_EQ(grid.Row(), 0);
    EXPECT_EQ(grid.Col(), 0);
    EXPECT_THROW(grid.SelectCell(2, 0), std::out_of_range);
}

TEST(MemoryGrid_Scrolling, TopRowStopsWhereTheLastRowReachesTheBottom) {
    struct Case {
        int rows;
        int requested;
        int expectedTop;
    };
    // 1125 twips of 240-twip rows: four whole rows fit.
    const Case cases[] = {{1, 3, 0}, {4, 1, 0}, {6, 1, 1}, {6, 2, 2}, {6, 5, 2}, {10, -3, 0}};
    for (const auto& c : cases) {
        MemoryGrid grid;
        grid.SetRows(c.rows);
        grid.SetTopRow(c.requested);
        EXPECT_EQ(grid.TopRow(), c.expectedTop) << c.rows << " rows, top " << c.requested;
        EXPECT_TRUE(grid.RowIsVisible(c.rows - 1) || c.rows - c.expectedTop > 4);
    }
}

TEST(MemoryGrid_Scrolling, ShrinkingTheGridOrGrowingTheViewPullsTheTopRowBack) {
    MemoryGrid grid;
    grid.SetRows(10);
    grid.SetTopRow(6);
    EXPECT_EQ(grid.TopRow(), 6);
    EXPECT_FALSE(grid.RowIsVisible(5));
    EXPECT_TRUE(grid.RowIsVisible(9));
    grid.RemoveItem(9);
    EXPECT_EQ(grid.TopRow(), 5);
    grid.SetSize(4890, 240 * 8);
    EXPECT_EQ(grid.TopRow(), 1);
    grid.SetRowHeightMin(480);
    EXPECT_EQ(grid.VisibleRows(), 4);
    EXPECT_EQ(grid.TopRow(), 1);
    grid.SetRows(2);
    EXPECT_EQ(grid.TopRow(), 0);
}

TEST(MemoryGrid_Alignment, ColumnsStartGeneral) {
    MemoryGrid grid;
    EXPECT_EQ(grid.ColAlignment(0), kAlignGeneral);
    EXPECT_EQ(grid.ColAlignment(1), kAlignGeneral);
    grid.SetColAlignment(1, kAlignLeftTop);
    EXPECT_EQ(grid.ColAlignment(1), kAlignLeftTop);
}

}  // namespace
}  // namespace zentra
