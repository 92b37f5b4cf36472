// The Karnaugh map's geometry: Gray order, minterm and cell, cell names, cubes as blocks.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "model/KmapLayout.h"

void PrintTo(const TMapRect& r, std::ostream* out) {
    *out << "{" << r.Row << "," << r.Col << " " << r.Rows << "x" << r.Cols << " open " << r.OpenTop
         << r.OpenBottom << r.OpenLeft << r.OpenRight << "}";
}

namespace {

TEST(KmapGray, NeighboursDifferInOneBitAndTheInverseFindsEachCode) {
    const std::vector<int> first = {0, 1, 3, 2, 6, 7, 5, 4, 12, 13, 15, 14, 10, 11, 9, 8};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(Gray(i), first[static_cast<size_t>(i)]) << i;
    }
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(InvGray(Gray(i)), i);
        const int step = Gray(i) ^ Gray((i + 1) % 256);
        EXPECT_EQ(step & (step - 1), 0) << i;
    }
}

struct CellCase {
    const char* name;
    int n;
    int row;
    int col;
    uint32_t minterm;
    std::string term;
};

class KmapCell : public testing::TestWithParam<CellCase> {};

TEST_P(KmapCell, NamesTheMintermOfItsCodes) {
    const CellCase& c = GetParam();
    const TKmapLayout layout = KmapLayout(c.n);
    EXPECT_EQ(CellMinterm(layout, TMapCell{c.row, c.col}), c.minterm);
    const TMapCell back = MintermCell(layout, c.minterm);
    EXPECT_EQ(back.Row, c.row);
    EXPECT_EQ(back.Col, c.col);
    EXPECT_EQ(CellTerm(layout, TMapCell{c.row, c.col}), c.term);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, KmapCell,
    testing::Values(CellCase{"ThreeVars", 3, 1, 2, 7, "ABC"},
                    CellCase{"FourVarsRow2Col3", 4, 2, 3, 14, "ABCd"},
                    CellCase{"FourVarsRow3Col2", 4, 3, 2, 11, "AbCD"},
                    CellCase{"NineVarsRow0Col1", 9, 0, 1, 1, "abcdefghI"},
                    CellCase{"SixteenVarsCorner", 16, 255, 2, 0x8003, "AbcdefghijklmnOP"}),
    [](const testing::TestParamInfo<CellCase>& info) { return info.param.name; });

TEST(KmapLayoutShape, EveryMintermHasItsOwnCell) {
    for (int n = 3; n <= 16; ++n) {
        const TKmapLayout layout = KmapLayout(n);
        EXPECT_EQ(layout.RowVars, n / 2);
        EXPECT_EQ(layout.Rows() * layout.Cols(), 1 << n);
        for (uint32_t m = 0; m < (1u << n); ++m) {
            const TMapCell cell = MintermCell(layout, m);
            ASSERT_LT(cell.Row, layout.Rows());
            ASSERT_LT(cell.Col, layout.Cols());
            ASSERT_EQ(CellMinterm(layout, cell), m) << n;
        }
    }
}

using Rect = TMapRect;

struct RectCase {
    const char* name;
    int n;
    uint32_t free;
    uint32_t hi;
    std::vector<Rect> rects;
};

class KmapCubeRects : public testing::TestWithParam<RectCase> {};

TEST_P(KmapCubeRects, RunsOfRowsTimesRunsOfColumns) {
    const RectCase& c = GetParam();
    EXPECT_EQ(CubeRects(KmapLayout(c.n), TCube{((1u << c.n) - 1) & ~c.free, c.hi}), c.rects);
}

// Variables at 4: A = 8, B = 4, C = 2, D = 1.
INSTANTIATE_TEST_SUITE_P(
    Cubes, KmapCubeRects,
    testing::Values(
        RectCase{"OneCell", 4, 0, 14, {{2, 3, 1, 1}}},
        RectCase{"WholeMap", 4, 15, 0, {{0, 0, 4, 4}}},
        RectCase{"BInTheMiddleRows", 4, 11, 4, {{1, 0, 2, 4}}},
        RectCase{
            "dWrapsLeftToRight", 4, 14, 0, {{0, 0, 4, 1, 0, 0, 1, 0}, {0, 3, 4, 1, 0, 0, 0, 1}}},
        RectCase{"bdFourCorners",
                 4,
                 10,
                 0,
                 {{0, 0, 1, 1, 1, 0, 1, 0},
                  {0, 3, 1, 1, 1, 0, 0, 1},
                  {3, 0, 1, 1, 0, 1, 1, 0},
                  {3, 3, 1, 1, 0, 1, 0, 1}}},
        // 6 variables, rows ABC: ac is codes 0 and 2, rows 0 and 3, apart inside the map.
        RectCase{"MirrorRowsStayClosed", 6, 0x10 | 0x07, 0, {{0, 0, 1, 8}, {3, 0, 1, 8}}},
        RectCase{"ThreeVarsAFree", 3, 4, 3, {{0, 2, 2, 1}}}),
    [](const testing::TestParamInfo<RectCase>& info) { return info.param.name; });

// Reference: the cells of a cube's minterms, one by one.
std::set<std::pair<int, int>> CubeCells(const TKmapLayout& layout, const TCube& cube) {
    std::set<std::pair<int, int>> cells;
    const uint32_t all = (1u << (layout.RowVars + layout.ColVars)) - 1;
    ForEachCubeMinterm(cube, all, [&](uint32_t m) {
        const TMapCell cell = MintermCell(layout, m);
        cells.insert({cell.Row, cell.Col});
    });
    return cells;
}

TEST(KmapCubeRectsRandom, BlocksTileExactlyTheCubesCellsAndOpenOnlyAtWrappingEdges) {
    std::mt19937 rng(7);
    for (int n = 3; n <= 10; ++n) {
        const TKmapLayout layout = KmapLayout(n);
        const uint32_t all = (1u << n) - 1;
        for (int trial = 0; trial < 200; ++trial) {
            const uint32_t free = static_cast<uint32_t>(rng()) & all;
            const TCube cube{all & ~free, static_cast<uint32_t>(rng()) & all & ~free};
            const std::set<std::pair<int, int>> want = CubeCells(layout, cube);
            std::set<std::pair<int, int>> got;
            size_t count = 0;
            for (const Rect& r : CubeRects(layout, cube)) {
                for (int y = r.Row; y < r.Row + r.Rows; ++y) {
                    for (int x = r.Col; x < r.Col + r.Cols; ++x) {
                        got.insert({y, x});
                        ++count;
                    }
                }
                // An open side lies on the edge and the cube goes on at the opposite edge.
                if (r.OpenTop) {
                    EXPECT_TRUE(r.Row == 0 && want.count({layout.Rows() - 1, r.Col}));
                }
                if (r.OpenBottom) {
                    EXPECT_TRUE(r.Row + r.Rows == layout.Rows() && want.count({0, r.Col}));
                }
                if (r.OpenLeft) {
                    EXPECT_TRUE(r.Col == 0 && want.count({r.Row, layout.Cols() - 1}));
                }
                if (r.OpenRight) {
                    EXPECT_TRUE(r.Col + r.Cols == layout.Cols() && want.count({r.Row, 0}));
                }
            }
            ASSERT_EQ(got, want) << n << " care " << cube.Care << " hi " << cube.Hi;
            EXPECT_EQ(count, want.size());
        }
    }
}

}  // namespace
