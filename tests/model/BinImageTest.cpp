// BIN images: bytes of the truth table, inversion, and the file naming rule.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "model/BinImage.h"
#include "model/Minterms.h"
#include "model/State.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct BytesCase {
    const char* name;
    int n;
    std::vector<std::pair<uint32_t, uint8_t>> entries;  // minterm, entry value
    size_t length;
    std::vector<std::pair<size_t, uint8_t>> nonZero;  // every non-zero byte of the image
};

void PrintTo(const BytesCase& c, std::ostream* os) {
    *os << c.name;
}

class TruthTableToBinTest : public testing::TestWithParam<BytesCase> {};

TEST_P(TruthTableToBinTest, LengthAndBits) {
    const auto& c = GetParam();
    SetVarCount(c.n);
    ClearTruthTable();
    for (const auto& [m, value] : c.entries) {
        ProgramState.TruthTable[m] = value;
    }
    const Bytes image = TruthTableToBin();
    ASSERT_EQ(image.size(), c.length);
    Bytes expected(c.length, 0);
    for (const auto& [i, byte] : c.nonZero) {
        expected[i] = byte;
    }
    EXPECT_EQ(image, expected);
    // The same function as a minterm set.
    TMintermBits set = MakeMintermBits(c.n);
    for (const auto& [m, value] : c.entries) {
        if (value != 0 && m < (1u << c.n)) {
            SetMinterm(set, m);
        }
    }
    EXPECT_EQ(MintermsToBin(set, c.n), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, TruthTableToBinTest,
    testing::Values(
        BytesCase{
            "FourVarsZeroTwoFifteen", 4, {{0, 1}, {2, 1}, {15, 1}}, 2, {{0, 0x05}, {1, 0x80}}},
        BytesCase{"ThreeVarsEmpty", 3, {}, 1, {}},
        BytesCase{"ThreeVarsFull",
                  3,
                  {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}},
                  1,
                  {{0, 0xFF}}},
        // Any non-zero coverage count is ON.
        BytesCase{"CountsAboveOne", 3, {{1, 2}, {6, 255}}, 1, {{0, 0x42}}},
        // Entries past 2^n - 1 do not belong to the function.
        BytesCase{"IgnoresEntriesPastN", 3, {{7, 1}, {8, 1}, {100, 1}}, 1, {{0, 0x80}}},
        BytesCase{"SixVarsEightBytes", 6, {{8, 1}, {63, 1}}, 8, {{1, 0x01}, {7, 0x80}}},
        BytesCase{"SixteenVars",
                  16,
                  {{0, 1}, {65535, 1}, {4097, 1}},
                  8192,
                  {{0, 0x01}, {512, 0x02}, {8191, 0x80}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TruthTableToBin, SameImageFromTermCoverage) {
    SetVarCount(4);
    ClearTruthTable();
    AddTermToTable("abcd");
    AddTermToTable("abCd");
    AddTermToTable("ABCD");
    EXPECT_EQ(TruthTableToBin(), (Bytes{0x05, 0x80}));
}

TEST(InvertTruthTable, ComplementsOnlyTheFunction) {
    SetVarCount(4);
    ClearTruthTable();
    ProgramState.TruthTable[0] = 1;
    ProgramState.TruthTable[2] = 3;  // a coverage count
    ProgramState.TruthTable[15] = 1;
    ProgramState.TruthTable[16] = 5;  // outside the four-variable function
    InvertTruthTable();
    std::set<uint32_t> on;
    for (uint32_t m = 0; m < 16; ++m) {
        EXPECT_LE(ProgramState.TruthTable[m], 1) << m;
        if (ProgramState.TruthTable[m] != 0) {
            on.insert(m);
        }
    }
    EXPECT_EQ(on, (std::set<uint32_t>{1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
    EXPECT_EQ(ProgramState.TruthTable[16], 5);
    EXPECT_EQ(TruthTableToBin(), (Bytes{0xFA, 0x7F}));
    InvertTruthTable();
    EXPECT_EQ(TruthTableToBin(), (Bytes{0x05, 0x80}));
}

struct NameCase {
    const char* name;
    std::string chosen;
    std::string expected;
};

void PrintTo(const NameCase& c, std::ostream* os) {
    *os << c.name;
}

class BinFileNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(BinFileNameTest, AppendsBinUnlessPresent) {
    const auto& c = GetParam();
    EXPECT_EQ(BinFileName(c.chosen), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Names, BinFileNameTest,
                         testing::Values(NameCase{"LowerBin", "/tmp/table.bin", "/tmp/table.bin"},
                                         NameCase{"UpperBin", "TABLE.BIN", "TABLE.BIN"},
                                         NameCase{"MixedCase", "table.bIn", "table.bIn"},
                                         NameCase{"BinInside", "my.bin.txt", "my.bin.txt"},
                                         NameCase{"BinInFolder", "/data/x.bin/out",
                                                  "/data/x.bin/out"},
                                         NameCase{"NoExtension", "/tmp/table", "/tmp/table.Bin"},
                                         NameCase{"OtherExtension", "table.txt", "table.txt.Bin"},
                                         NameCase{"BinWithoutDot", "cabin", "cabin.Bin"},
                                         NameCase{"CutShort", "table.bi", "table.bi.Bin"},
                                         NameCase{"SpaceInside", "table. bin", "table. bin.Bin"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
