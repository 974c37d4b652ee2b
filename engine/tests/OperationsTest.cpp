#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/MemoryGrid.h"
#include "common/MemoryRichTextBox.h"
#include "engine/Operations.h"
#include "engine/ResultRendering.h"
#include "engine/tests/EngineFixture.h"

namespace zentra {
namespace {

class RecordingHost final : public OperationHost {
  public:
    void PressEnter() override { calls.push_back("enter"); }
    void SetBusy(bool busy) override { calls.push_back(busy ? "busy" : "idle"); }
    void SetUndoLevel(int level) override { calls.push_back("undo" + std::to_string(level)); }
    void SnapshotNumbers() override { calls.push_back("snapshot"); }
    std::vector<std::string> calls;
};

// A display holding the lines, then the empty input line.
struct Display {
    explicit Display(std::initializer_list<std::string> lines) {
        bool first = true;
        for (const auto& line : lines) {
            if (first)
                grid.SetTextMatrix(0, 0, line);
            else
                grid.AppendRow(line);
            first = false;
        }
        if (lines.size() > 0) grid.AppendRow({});
        operations.SetFactorizationStale(true);  // as after typing the lines
    }
    std::string Run(int index) {
        operations.Run(index);
        return operations.LastResultText();
    }
    MemoryGrid grid;
    MemoryRichTextBox pane;
    RecordingHost host;
    Operations operations{TestPrimes(), grid, pane, host};
};

TEST(Operations, CombineTheLinesAsDocumented) {
    struct Case {
        std::initializer_list<std::string> lines;
        int operation;
        const char* text;
    };
    const Case cases[] = {
        {{"9", "4"}, kLcm, "36 = 3^2 * 2^2"},
        {{"9", "4"}, kProduct, "36 = 2^2 * 3^2"},
        {{"12", "18"}, kLcm, "36 = 2^2 * 3^2"},
        {{"12", "18"}, kGcd, "6 = 2 * 3"},
        {{"12", "18"}, kProduct, "216 = 2^3 * 3^3"},
        {{"12", "18", "35"}, kGcd, "1"},
        {{"12", "8"}, kGcd, "4 = 2^2"},
        {{"7", "7"}, kLcm, "7"},
        {{"0", "6"}, kLcm, "6 = 2 * 3"},
        {{"0", "6"}, kProduct, "6 = 2 * 3"},
        {{"0", "6"}, kGcd, "1"},
        {{"360"}, kGcd, "360 = 2^3 * 3^2 * 5"},
        {{"abc", "10"}, kLcm, "10 = 2 * 5"},
        {{"549755813888", "549755813888"}, kProduct, "302231454903657293676544 = 2^78"},
        {{"999999999989", "999999999959", "999999999961"},
         kProduct,
         "[Result too large] = 999999999959 * 999999999961 * 999999999989"},
        // Above 10^12 the common exponent can pass 39: the GCD still finds it.
        {{"562949953421312", "562949953421312"}, kGcd, "562949953421312 = 2^49"},
    };
    for (const auto& c : cases) {
        Display display(c.lines);
        EXPECT_EQ(display.Run(c.operation), c.text) << c.operation << " " << *c.lines.begin();
        EXPECT_EQ(display.pane.TextRTF(), RenderResultRtf(c.text));
    }
}

TEST(Operations, FactorizationWritesColumnOneOfEveryNumberLine) {
    Display display({"360", "1", "12.5", "2^10", "99999999999999999999"});
    display.grid.SetTextMatrix(1, 1, "stale");
    display.Run(kFactorization);
    const char* expected[] = {"= 2^3 * 3^2 * 5", "", "= 12.5", "= 2", ""};
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(display.grid.TextMatrix(row, 1), expected[row]) << row;
    EXPECT_EQ(display.grid.TextMatrix(5, 1), "");
    EXPECT_EQ(display.grid.ColAlignment(1), 0);
    EXPECT_FALSE(display.operations.FactorizationStale());
    EXPECT_EQ(display.operations.Factors().Count(0), 3);
    EXPECT_EQ(display.operations.FindFactor(0, Fixed::FromWhole(3)), 1);
    EXPECT_EQ(display.operations.FindFactor(0, Fixed::FromWhole(4)), -1);
    EXPECT_EQ(display.operations.FindFactor(0, Fixed::FromWhole(0)), 0);
    EXPECT_EQ(display.operations.FindFactor(1, Fixed::FromWhole(2)), -1);
}

TEST(Operations, FrameFinishesTheLineAndIsBusyOnlyWithNumberLines) {
    Display empty({});
    empty.Run(kLcm);
    EXPECT_EQ(empty.host.calls, std::vector<std::string>{"enter"});

    Display one({"5"});
    one.Run(kFactorization);
    EXPECT_EQ(one.host.calls, (std::vector<std::string>{"enter", "busy", "undo0", "idle"}));

    Display unknown({"5"});
    unknown.Run(9);
    EXPECT_EQ(unknown.host.calls, (std::vector<std::string>{"enter", "busy", "undo0", "idle"}));
    EXPECT_EQ(unknown.grid.TextMatrix(0, 1), "");
}

TEST(Operations, StaleFactorizationRunsTheFullFrameAgain) {
    Display display({"12", "18"});
    display.operations.SetFactorizationStale(true);
    display.Run(kLcm);
    EXPECT_EQ(display.host.calls, (std::vector<std::string>{"enter", "busy", "undo0", "enter",
                                                            "busy", "undo0", "idle", "idle"}));
    EXPECT_EQ(display.grid.TextMatrix(1, 1), "= 2 * 3^2");
}

TEST(Operations, CancellationDividesByTheGcdAndArmsUndo) {
    Display display({"12", "18"});
    EXPECT_EQ(display.Run(kCancellation), "6 = 2 * 3");
    EXPECT_EQ(display.grid.TextMatrix(0, 0), "2");
    EXPECT_EQ(display.grid.TextMatrix(1, 0), "3");
    EXPECT_EQ(display.grid.TextMatrix(0, 1), "= 2");
    EXPECT_EQ(display.grid.TextMatrix(1, 1), "= 3");
    EXPECT_EQ(display.host.calls.back(), "idle");
    const auto& calls = display.host.calls;
    EXPECT_NE(std::find(calls.begin(), calls.end(), "snapshot"), calls.end());
    EXPECT_EQ(*(calls.end() - 2), "undo2");

    Display coprime({"12", "18", "35"});
    EXPECT_EQ(coprime.Run(kCancellation), "1");
    EXPECT_EQ(coprime.grid.TextMatrix(0, 0), "12");
    const auto& coprimeCalls = coprime.host.calls;
    EXPECT_EQ(std::find(coprimeCalls.begin(), coprimeCalls.end(), "undo2"), coprimeCalls.end());
}

TEST(Operations, CombineDisplaysOfAnyLength) {
    // 100,000 lines: far beyond the 2,340 lines that 16-bit slot counters would allow.
    MemoryGrid grid;
    grid.SetTextMatrix(0, 0, "2");
    for (int i = 1; i < 100000; ++i) grid.AppendRow(std::to_string(2 + i % 50));
    grid.AppendRow({});
    MemoryRichTextBox pane;
    NullOperationHost host;
    Operations operations(TestPrimes(), grid, pane, host);
    operations.SetFactorizationStale(true);
    operations.Run(kLcm);
    EXPECT_EQ(operations.LastResultText().substr(0, 25), "3099044504245996706400 = ");
    operations.Run(kGcd);
    EXPECT_EQ(operations.LastResultText(), "1");
    operations.Run(kProduct);
    EXPECT_EQ(operations.LastResultText().substr(0, 21), "[Result too large] = ");
    EXPECT_EQ(grid.TextMatrix(99999, 1), "= 3 * 17");
}

TEST(Operations, LcmKeepsEveryPrimeOfManyInTheOrderOfFirstAppearance) {
    // 20,000 lines with about 2,300 distinct primes: the lookup of a prime's slot must neither
    // lose nor merge one. The reference merges by trial division.
    MemoryGrid grid;
    std::vector<std::pair<int, int>> expected;  // prime, highest exponent, by first appearance
    for (int n = 20001; n >= 2; --n) {
        if (n == 20001)
            grid.SetTextMatrix(0, 0, std::to_string(n));
        else
            grid.AppendRow(std::to_string(n));
        int rest = n;
        for (int p = 2; rest > 1; ++p) {
            if (p * p > rest) p = rest;
            int exponent = 0;
            for (; rest % p == 0; rest /= p) ++exponent;
            if (exponent == 0) continue;
            auto it = std::find_if(expected.begin(), expected.end(),
                                   [p](const auto& slot) { return slot.first == p; });
            if (it == expected.end())
                expected.push_back({p, exponent});
            else
                it->second = std::max(it->second, exponent);
        }
    }
    grid.AppendRow({});
    std::string text = "[Result too large] = ";
    for (const auto& [prime, exponent] : expected) {
        if (prime != expected.front().first) text += " * ";
        text += std::to_string(prime);
        if (exponent > 1) text.append("^").append(std::to_string(exponent));
    }
    MemoryRichTextBox pane;
    NullOperationHost host;
    Operations operations(TestPrimes(), grid, pane, host);
    operations.SetFactorizationStale(true);
    operations.Run(kLcm);
    EXPECT_EQ(operations.LastResultText(), text);
}

}  // namespace
}  // namespace zentra
