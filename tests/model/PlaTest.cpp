// Tests of the PLA reader and writer and of the sets one output stands for.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/Pla.h"
#include "model/PlaWriter.h"
#include "tests/support/Reference.h"

namespace {

TPla Read(const std::string& text) {
    TPla pla;
    TPlaError error;
    EXPECT_TRUE(ReadPla(text, pla, error)) << error.Message();
    return pla;
}

TPlaFunction Output(const TPla& pla, int output) {
    TPlaFunction function;
    TPlaError error;
    EXPECT_TRUE(PlaOutputFunction(pla, output, function, error)) << error.Message();
    return function;
}

std::vector<uint32_t> Members(const std::vector<uint8_t>& set) {
    std::vector<uint32_t> members;
    for (uint32_t m = 0; m < set.size(); ++m) {
        if (set[m] != 0) {
            members.push_back(m);
        }
    }
    return members;
}

TEST(PlaRead, KeepsCountsNamesTypeAndRowsAndIgnoresComments) {
    const TPla pla = Read(
        "# a comment line\r\n"
        ".i 3   # trailing comment\n"
        ".o 2\n"
        ".ilb a[0] carry_in x.y\n"
        ".ob sum cout\n"
        ".type fr\n"
        ".p 2\n"
        "1-0 10\n"
        "\t0 1 1   0~\n"
        ".e\n"
        "this is ignored after .e\n");
    EXPECT_EQ(pla.Inputs, 3);
    EXPECT_EQ(pla.Outputs, 2);
    EXPECT_EQ(pla.InputNames, (std::vector<std::string>{"a[0]", "carry_in", "x.y"}));
    EXPECT_EQ(pla.OutputNames, (std::vector<std::string>{"sum", "cout"}));
    EXPECT_EQ(pla.Type, "fr");
    ASSERT_EQ(pla.Rows.size(), 2u);
    EXPECT_EQ(pla.Rows[0].Cube.Care, 0b101u);
    EXPECT_EQ(pla.Rows[0].Cube.Hi, 0b100u);
    EXPECT_EQ(pla.RowOutputs(0), "10");
    EXPECT_EQ(pla.Rows[1].Cube.Care, 0b111u);
    EXPECT_EQ(pla.Rows[1].Cube.Hi, 0b011u);
    EXPECT_EQ(pla.RowOutputs(1), "0~");
    EXPECT_EQ(pla.Rows[1].Line, 9u);
    EXPECT_EQ(PlaOutputName(pla, 1), "cout");
    EXPECT_EQ(FindPlaOutput(pla, " cout "), 1);
    EXPECT_EQ(FindPlaOutput(pla, "1"), 0);
    EXPECT_EQ(FindPlaOutput(pla, "3"), -1);
    EXPECT_EQ(FindPlaOutput(pla, "Sum"), 0);
}

TEST(PlaRead, DefaultOutputNamesAndType) {
    EXPECT_EQ(PlaOutputName(Read(".i 2\n.o 1\n11 1\n"), 0), "F");
    const TPla three = Read(".i 2\n.o 3\n11 111\n");
    EXPECT_EQ(three.Type, "fd");
    EXPECT_EQ(PlaOutputName(three, 2), "F3");
}

struct TBadCase {
    const char* Name;
    std::string Text;
    std::string Message;
};

class PlaBadFile : public ::testing::TestWithParam<TBadCase> {};

// A bad file fails with the line it broke on and leaves the caller's PLA as it was.
TEST_P(PlaBadFile, NamesTheLineAndKeepsThePla) {
    TPla pla;
    pla.Inputs = 7;
    TPlaError error;
    EXPECT_FALSE(ReadPla(GetParam().Text, pla, error));
    EXPECT_EQ(error.Message(), GetParam().Message);
    EXPECT_EQ(pla.Inputs, 7);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PlaBadFile,
    ::testing::Values(
        TBadCase{"RowBeforeCounts", ".i 2\n11 1\n", "line 2: a row comes before .i and .o"},
        TBadCase{"TooManyInputs", "# big\n.i 17\n.o 1\n",
                 "line 2: .i 17: at most 16 inputs (A to P) are supported"},
        TBadCase{"CountNotANumber", ".i two\n", "line 1: .i needs one count of at least 1"},
        TBadCase{"CountZero", ".i 2\n.o 0\n", "line 2: .o needs one count of at least 1"},
        TBadCase{"CountTwice", ".i 2\n.i 2\n", "line 2: .i is given twice"},
        TBadCase{"UnknownKeyword", ".i 2\n.o 1\n.latch 1\n", "line 3: unknown keyword \".latch\""},
        TBadCase{"UnknownType", ".i 2\n.o 1\n.type d\n",
                 "line 3: .type must be f, r, fd, fr, dr or fdr"},
        TBadCase{"PhaseOfOtherOutputs", ".i 2\n.o 2\n.phase 1\n",
                 "line 3: .phase needs one 0 or 1 for each of the .o outputs"},
        TBadCase{"MultipleValued", ".i 2\n.o 1\n.mv 3 2 3\n",
                 "line 3: \".mv\": multiple-valued and symbolic files are not supported"},
        TBadCase{"NamesBeforeCount", ".ilb a b\n", "line 1: .ilb comes before .i"},
        TBadCase{"NameCount", ".i 2\n.o 1\n.ob f g\n", "line 3: .ob gives 2 names for .o 1"},
        TBadCase{"RowTooShort", ".i 3\n.o 1\n\n10 1\n",
                 "line 4: the row has 3 characters, 3 inputs and 1 outputs make 4"},
        TBadCase{"BadInput", ".i 3\n.o 1\n1x0 1\n",
                 "line 3: input 2 is \"x\"; an input is 0, 1 or -"},
        TBadCase{"TildeInput", ".i 2\n.o 1\n~1 1\n",
                 "line 3: input 1 is \"~\"; an input is 0, 1 or -"},
        TBadCase{"BadOutput", ".i 2\n.o 2\n11 15\n",
                 "line 3: output 2 is \"5\"; an output is 0, 1, - or ~"},
        TBadCase{"BadPCount", ".i 2\n.o 1\n.p many\n", "line 3: .p needs one row count"},
        TBadCase{"TooManyOutputs", ".i 2\n.o 4097\n",
                 "line 2: .o 4097: at most 4096 outputs are supported"},
        TBadCase{"CountBeyondAnyNumber", ".i 99999999999999999999\n",
                 "line 1: .i 99999999999999999999: at most 16 inputs (A to P) are supported"},
        TBadCase{"FewerOutputNames", ".i 2\n.o 3\n.ob f g\n", "line 3: .ob gives 2 names for .o 3"},
        TBadCase{"RowAfterTitleBeforeO", "title\n.i 2\n11 1\n",
                 "line 3: a row comes before .i and .o"},
        TBadCase{"NoCounts", "# nothing\n\n", "not a PLA file: it has no .i line"},
        TBadCase{"NoOutputCount", ".i 2\n", "not a PLA file: it has no .o line"}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TDialectCase {
    const char* Name;
    std::string Text;
    int Output;
    std::vector<uint32_t> On;  // worked out by hand from the rows
    std::vector<uint32_t> Dc;
    std::string Warning;
};

class PlaDialect : public ::testing::TestWithParam<TDialectCase> {};

// What other tools write and the format allows: each file against a reading worked out here.
TEST_P(PlaDialect, ReadsAsTheFormatDefines) {
    const TDialectCase& c = GetParam();
    const TPla pla = Read(c.Text);
    const TPlaFunction f = Output(pla, c.Output);
    EXPECT_EQ(Members(f.OnSet), c.On);
    EXPECT_EQ(Members(f.DcSet), c.Dc);
    EXPECT_EQ(pla.Warning, c.Warning);
}

INSTANTIATE_TEST_SUITE_P(
    Files, PlaDialect,
    ::testing::Values(
        // 2-1 is --1, 0 2 0 is 0-0.
        TDialectCase{
            "TwoIsFreeInInputs", ".i 3\n.o 1\n2-1 1\n0 2 0 1\n", 0, {0, 1, 2, 3, 5, 7}, {}, ""},
        // Outputs 4, 2, 3 are 1, -, 0: row 11 gives 1 - 0, row 00 gives 0 1 -.
        TDialectCase{"FourIsOn", ".i 2\n.o 3\n11 423\n00 342\n", 0, {3}, {}, ""},
        TDialectCase{"TwoIsDontCare", ".i 2\n.o 3\n11 423\n00 342\n", 1, {0}, {3}, ""},
        TDialectCase{"ThreeIsNothing", ".i 2\n.o 3\n11 423\n00 342\n", 2, {}, {0}, ""},
        // Under fr a 3 is OFF: 01 and 00 are OFF, only 10 is free.
        TDialectCase{"ThreeIsOffUnderFr", ".i 2\n.o 1\n.type fr\n11 1\n0- 3\n", 0, {3}, {2}, ""},
        TDialectCase{"ByteOrderMarkFirst", "\xEF\xBB\xBF.i 2\n.o 1\n11 1\n", 0, {3}, {}, ""},
        TDialectCase{"BarsBetweenFields", ".i 2\n.o 2\n|1-|1|0|\n0|1 0|1\n", 1, {1}, {}, ""},
        TDialectCase{"TitleBeforeI",
                     "Multiplier 2x2\n.i 2\n.o 1\n11 1\n",
                     0,
                     {3},
                     {},
                     "line 1: skipped \"Multiplier 2x2\" before .i as a title"},
        TDialectCase{"SeveralTitleLines",
                     "\n  alu  # first\n# comment\nversion 2\n.i 2\n.o 1\n11 1\n",
                     0,
                     {3},
                     {},
                     "line 2: skipped \"alu  \" and 1 more lines before .i as a title"},
        // 1- is ON on 2 and 3, -1 don't care on 1 and 3: 3 is a don't care.
        TDialectCase{
            "DontCareWinsUnderFd", ".i 2\n.o 1\n.type fd\n1- 1\n-1 -\n", 0, {2}, {1, 3}, ""},
        // A minimizer's directives leave the function as the rows define it.
        TDialectCase{"PhaseAndPairIgnored",
                     ".i 2\n.o 2\n.phase 01\n.pair 1 (A B)\n11 10\n01 01\n",
                     1,
                     {1},
                     {},
                     ""},
        // The same with an OFF row 00: 1 is free as neither ON nor OFF.
        TDialectCase{"DontCareWinsUnderFdr",
                     ".i 2\n.o 1\n.type fdr\n1- 1\n11 -\n00 0\n",
                     0,
                     {2},
                     {1, 3},
                     ""}),
    [](const auto& info) { return std::string(info.param.Name); });

// Names are matched as given, then without regard to case when only one output matches, then
// as numbers from 1; unnamed outputs answer to F, or F1, F2, ...
TEST(PlaOutputLookup, NamesCaseAndNumbers) {
    const TPla named = Read(".i 1\n.o 3\n.ob sum Sum cout\n1 111\n");
    EXPECT_EQ(FindPlaOutput(named, "Sum"), 1);
    EXPECT_EQ(FindPlaOutput(named, "SUM"), -1);  // two outputs match without case
    EXPECT_EQ(FindPlaOutput(named, "COUT"), 2);
    EXPECT_EQ(FindPlaOutput(named, "3"), 2);
    const TPla unnamed = Read(".i 1\n.o 12\n1 111111111111\n");
    EXPECT_EQ(FindPlaOutput(unnamed, "F12"), 11);
    EXPECT_EQ(FindPlaOutput(unnamed, "f2"), 1);
    EXPECT_EQ(FindPlaOutput(unnamed, "F13"), -1);
    EXPECT_EQ(FindPlaOutput(unnamed, "F02"), -1);
    EXPECT_EQ(FindPlaOutput(unnamed, "F"), -1);
    EXPECT_EQ(FindPlaOutput(unnamed, "12"), 11);
    EXPECT_EQ(FindPlaOutput(unnamed, "0"), -1);
    EXPECT_EQ(FindPlaOutput(Read(".i 1\n.o 1\n1 1\n"), "f"), 0);
    EXPECT_EQ(PlaOutputList(unnamed), "F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12");
    const std::string many = PlaOutputList(Read(".i 1\n.o 21\n"));
    EXPECT_TRUE(many.ends_with(", F19, F20, ...")) << many;
}

struct TTypeCase {
    const char* Name;
    const char* Type;
    std::vector<uint32_t> On;
    std::vector<uint32_t> Dc;
};

class PlaType : public ::testing::TestWithParam<TTypeCase> {};

// One table under each type: rows 1x ON, 00 OFF, 01 don't care ('-'), 10 no meaning ('~').
// A minterm both ON and don't care is a don't care; with an OFF set, what no row names is one
// too, or ON when the type gives no ON set.
TEST_P(PlaType, ReadsTheOutputCharactersByType) {
    const TTypeCase& c = GetParam();
    const TPla pla =
        Read(std::string(".i 3\n.o 1\n.type ") + c.Type + "\n11- 1\n00- 0\n010 -\n1-1 -\n100 ~\n");
    const TPlaFunction f = Output(pla, 0);
    EXPECT_EQ(Members(f.OnSet), c.On);
    EXPECT_EQ(Members(f.DcSet), c.Dc);
    EXPECT_EQ(f.DcCount, c.Dc.size());
    // The cubes given for the editor say the same as the sets.
    for (uint32_t m = 0; m < 8; ++m) {
        EXPECT_EQ(AnyCovers(f.On, m), f.OnSet[m] != 0) << m;
        EXPECT_EQ(AnyCovers(f.Dc, m) && !AnyCovers(f.On, m), f.DcSet[m] != 0) << m;
    }
}

INSTANTIATE_TEST_SUITE_P(Types, PlaType,
                         ::testing::Values(TTypeCase{"f", "f", {6, 7}, {}},
                                           TTypeCase{"fd", "fd", {6}, {2, 5, 7}},
                                           TTypeCase{"fr", "fr", {6, 7}, {2, 3, 4, 5}},
                                           TTypeCase{"fdr", "fdr", {6}, {2, 3, 4, 5, 7}},
                                           TTypeCase{"r", "r", {2, 3, 4, 5, 6, 7}, {}},
                                           TTypeCase{"dr", "dr", {3, 4, 6}, {2, 5, 7}}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(PlaOutput, OffRowMeetingAnOnRowNamesBothLines) {
    const TPla pla = Read(".i 2\n.o 1\n.type fr\n1- 1\n\n11 0\n");
    TPlaFunction f;
    f.Inputs = 9;
    TPlaError error;
    EXPECT_FALSE(PlaOutputFunction(pla, 0, f, error));
    EXPECT_EQ(error.Message(), "line 6: this OFF row meets the row of line 4 in minterm 3");
    EXPECT_EQ(f.Inputs, 9);
}

// Random cubes over several outputs and every type: each output's sets match a brute-force
// reading of the rows, and writing the function and reading it back keeps both sets.
TEST(PlaRoundTrip, EveryOutputOfRandomFilesUnderEveryType) {
    std::mt19937 random(12);
    const char* types[] = {"f", "fd", "fr", "fdr"};
    for (int trial = 0; trial < 40; ++trial) {
        const int n = 1 + trial % 7;
        const int outputs = 1 + trial % 3;
        const std::string type = types[trial % 4];
        const bool hasOff = type.find('r') != std::string::npos;
        const bool hasDc = type.find('d') != std::string::npos;
        std::string text = ".i " + std::to_string(n) + "\n.o " + std::to_string(outputs) +
                           "\n.type " + type + "\n";
        // With an OFF set, OFF rows are whole minterms kept apart from the others' cubes.
        std::vector<std::string> rows;
        std::vector<uint8_t> offTaken(1u << n, 0);
        for (int r = 0; r < 12; ++r) {
            std::string row;
            for (int k = 0; k < n; ++k) {
                row += "01-"[random() % 3];
            }
            row += ' ';
            for (int j = 0; j < outputs; ++j) {
                row += "1-~"[random() % 3];
            }
            rows.push_back(row);
        }
        text += ".p " + std::to_string(rows.size()) + "\n";
        for (const std::string& row : rows) {
            text += row + "\n";
        }
        const TPla pla = Read(text);
        std::vector<std::vector<uint8_t>> off(static_cast<size_t>(outputs));
        if (hasOff) {
            // OFF minterms: those no row touches for that output, chosen half of the time.
            std::string offRows;
            for (int j = 0; j < outputs; ++j) {
                off[static_cast<size_t>(j)].assign(1u << n, 0);
                for (uint32_t m = 0; m < (1u << n); ++m) {
                    bool touched = false;
                    for (size_t r = 0; r < pla.Rows.size(); ++r) {
                        const char c = pla.RowOutputs(r)[static_cast<size_t>(j)];
                        touched = touched || ((c == '1' || (c == '-' && hasDc)) &&
                                              Covers(pla.Rows[r].Cube, m));
                    }
                    if (!touched && random() % 2 == 0) {
                        off[static_cast<size_t>(j)][m] = 1;
                        std::string row;
                        for (int k = n - 1; k >= 0; --k) {
                            row += ((m >> k) & 1u) ? '1' : '0';
                        }
                        row += ' ';
                        for (int o = 0; o < outputs; ++o) {
                            row += o == j ? '0' : '~';
                        }
                        offRows += row + "\n";
                    }
                }
            }
            text += offRows;
        }
        const TPla full = Read(text);
        for (int j = 0; j < outputs; ++j) {
            SCOPED_TRACE(text + " output " + std::to_string(j));
            const TPlaFunction f = Output(full, j);
            for (uint32_t m = 0; m < (1u << n); ++m) {
                bool on = false;
                bool named = false;  // by a don't-care row
                for (size_t r = 0; r < full.Rows.size(); ++r) {
                    const char c = full.RowOutputs(r)[static_cast<size_t>(j)];
                    on = on || (c == '1' && Covers(full.Rows[r].Cube, m));
                    named = named || (c == '-' && hasDc && Covers(full.Rows[r].Cube, m));
                }
                // A don't-care row wins over an ON row; with an OFF set, all else not OFF is free.
                on = on && !named;
                const bool dc = named || (hasOff && off[static_cast<size_t>(j)][m] == 0);
                ASSERT_EQ(f.OnSet[m], on ? 1 : 0) << m;
                ASSERT_EQ(f.DcSet[m], dc && !on ? 1 : 0) << m;
            }
            const TPla again = Read(WritePla(n, full.InputNames, "G", f.On, f.Dc));
            ASSERT_EQ(again.Outputs, 1);
            EXPECT_EQ(again.Type, f.Dc.empty() ? "f" : "fd");
            const TPlaFunction g = Output(again, 0);
            EXPECT_EQ(g.OnSet, f.OnSet);
            EXPECT_EQ(g.DcSet, f.DcSet);
        }
    }
}

TEST(PlaWrite, HeaderNamesAndRows) {
    EXPECT_EQ(WritePla(3, {"x", "y"}, "out", {{0b101, 0b100}}, {{0, 0}}),
              ".i 3\n.o 1\n.ilb x y C\n.ob out\n.type fd\n.p 2\n1-0 1\n--- -\n.e\n");
    // The constant 0 keeps one row, as readers refuse or misread a PLA without any.
    EXPECT_EQ(WritePla(2, {}, "F", {}), ".i 2\n.o 1\n.ilb A B\n.ob F\n.type f\n.p 1\n-- 0\n.e\n");
}

TEST(PlaCubeTerm, LettersInOrderWithTheirCase) {
    EXPECT_EQ(CubeTerm({0b1011, 0b0010}, 4), "aCd");
    EXPECT_EQ(CubeTerm({0, 0}, 4), "");
}

}  // namespace
