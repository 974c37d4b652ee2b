#include "common/MemoryGrid.h"

#include <gtest/gtest.h>

#include <string>

namespace zentra {
namespace {

class RecordingEvents : public GridEvents {
public:
    void OnLeaveCell() override { log += "L"; }
    void OnEnterCell() override { log += "E"; }
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

}  // namespace
}  // namespace zentra
