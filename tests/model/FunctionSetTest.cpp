// Tests of function sets from PLA files and of the word-wise minterm fill.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/FunctionSet.h"
#include "model/Minterms.h"
#include "tests/support/Reference.h"

namespace {

// Every cube size, all sixteen variables: the word-wise fill and test agree with a walk of the
// cube's minterms, also for cubes that leave the low six variables or the high ones free.
TEST(CubeWords, FillAndMeetAgreeWithTheMintermWalk) {
    std::mt19937 random(5);
    for (int n = 1; n <= 16; ++n) {
        const uint32_t high = (1u << n) - 1;
        for (int trial = 0; trial < 60; ++trial) {
            TCube cube;
            for (int k = 0; k < n; ++k) {
                const uint32_t pick = random() % 3;
                cube.Care |= pick == 0 ? 0 : 1u << k;
                cube.Hi |= pick == 2 ? 1u << k : 0;
            }
            TMintermBits filled = MakeMintermBits(n);
            AddCubeMinterms(filled, n, cube);
            TMintermBits walked = MakeMintermBits(n);
            ForEachCubeMinterm(cube, high, [&](uint32_t m) {
                SetMinterm(walked, m);
                return true;
            });
            ASSERT_EQ(filled, walked) << "n " << n << " care " << cube.Care << " hi " << cube.Hi;
            // A set of one minterm meets the cube exactly when the cube holds it.
            const uint32_t m = random() & high;
            TMintermBits one = MakeMintermBits(n);
            SetMinterm(one, m);
            EXPECT_EQ(CubeMeets(one, n, cube), Covers(cube, m));
        }
    }
    TMintermBits set = MakeMintermBits(4);
    AddCubeMinterms(set, 4, {1u << 5, 0});  // a variable beyond the fourth: nothing
    EXPECT_EQ(set, MakeMintermBits(4));
}

TEST(FunctionSet, OutputsOfAPlaInTheOrderAsked) {
    TPla pla;
    TPlaError error;
    ASSERT_TRUE(ReadPla(".i 2\n.o 3\n.ob x y z\n1- 1-0\n01 011\n", pla, error));
    TFunctionSet set;
    ASSERT_TRUE(PlaFunctionSet(pla, {}, set, error)) << error.Message();
    EXPECT_EQ(set.Inputs, 2);
    ASSERT_EQ(set.Outputs.size(), 3u);
    for (int j = 0; j < 3; ++j) {
        TPlaFunction f;
        ASSERT_TRUE(PlaOutputFunction(pla, j, f, error));
        const TOutputFunction& out = set.Outputs[static_cast<size_t>(j)];
        EXPECT_EQ(out.Name, PlaOutputName(pla, j));
        for (uint32_t m = 0; m < 4; ++m) {
            EXPECT_EQ(TestMinterm(out.On, m), f.OnSet[m] != 0) << j << " " << m;
            EXPECT_EQ(TestMinterm(out.Dc, m), f.DcSet[m] != 0) << j << " " << m;
        }
    }
    ASSERT_TRUE(PlaFunctionSet(pla, {2, 0}, set, error));
    ASSERT_EQ(set.Outputs.size(), 2u);
    EXPECT_EQ(set.Outputs[0].Name, "z");
    EXPECT_EQ(set.Outputs[1].Name, "x");
}

TEST(FunctionSet, AConflictOfAnyOutputFailsWithItsLine) {
    TPla pla;
    TPlaError error;
    ASSERT_TRUE(ReadPla(".i 1\n.o 2\n.type fr\n1 11\n1 ~0\n", pla, error));
    TFunctionSet set;
    EXPECT_FALSE(PlaFunctionSet(pla, {}, set, error));
    EXPECT_EQ(error.Message(), "line 5: this OFF row meets the row of line 4 in minterm 1");
}

TEST(FunctionSet, WideningMakesTheNewLowVariablesFree) {
    TMintermBits set = MakeMintermBits(2);
    SetMinterm(set, 1);
    SetMinterm(set, 2);
    const TMintermBits wide = WidenMinterms(set, 2, 2);
    std::vector<uint32_t> members;
    for (uint32_t m = 0; m < 16; ++m) {
        if (TestMinterm(wide, m)) {
            members.push_back(m);
        }
    }
    EXPECT_EQ(members, (std::vector<uint32_t>{4, 5, 6, 7, 8, 9, 10, 11}));
}

}  // namespace
