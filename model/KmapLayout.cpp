// The Karnaugh map's geometry: Gray order, minterm and cell, cell names, a cube as blocks of cells.
#include "model/KmapLayout.h"

#include "model/Minterms.h"

uint8_t Gray(int i) {
    return static_cast<uint8_t>(i ^ (i >> 1));
}

uint8_t InvGray(int g) {
    int i = 0;
    for (; g != 0; g >>= 1) {
        i ^= g;
    }
    return static_cast<uint8_t>(i);
}

TKmapLayout KmapLayout(int n) {
    return TKmapLayout{n / 2, n - n / 2};
}

TMapCell MintermCell(const TKmapLayout& layout, uint32_t m) {
    const auto colMask = static_cast<uint32_t>(layout.Cols() - 1);
    return TMapCell{InvGray(static_cast<int>(m >> layout.ColVars)),
                    InvGray(static_cast<int>(m & colMask))};
}

uint32_t CellMinterm(const TKmapLayout& layout, TMapCell cell) {
    return (uint32_t{Gray(cell.Row)} << layout.ColVars) | Gray(cell.Col);
}

std::string RowLabel(const TKmapLayout& layout, int row) {
    return MintermToLetters(Gray(row), layout.RowVars, 'A');
}

std::string ColLabel(const TKmapLayout& layout, int col) {
    return MintermToLetters(Gray(col), layout.ColVars, static_cast<char>('A' + layout.RowVars));
}

std::string CellTerm(const TKmapLayout& layout, TMapCell cell) {
    return RowLabel(layout, cell.Row) + ColLabel(layout, cell.Col);
}

std::vector<TMapRun> AxisRuns(int bits, uint32_t free, uint32_t hi) {
    const int size = 1 << bits;
    const uint32_t fixed = ~free & static_cast<uint32_t>(size - 1);
    std::vector<TMapRun> runs;
    for (int i = 0; i < size; ++i) {
        if ((Gray(i) & fixed) != (hi & fixed)) {
            continue;
        }
        if (!runs.empty() && runs.back().First + runs.back().Count == i) {
            ++runs.back().Count;
        } else {
            runs.push_back(TMapRun{i, 1, false, false});
        }
    }
    // The first and the last place differ in one bit only, so they are neighbours.
    if (runs.size() > 1 && runs.front().First == 0 &&
        runs.back().First + runs.back().Count == size) {
        runs.front().OpenLow = true;
        runs.back().OpenHigh = true;
    }
    return runs;
}

std::vector<TMapRect> CubeRects(const TKmapLayout& layout, const TCube& cube) {
    const auto colMask = static_cast<uint32_t>(layout.Cols() - 1);
    const uint32_t free = ((1u << (layout.RowVars + layout.ColVars)) - 1) & ~cube.Care;
    const std::vector<TMapRun> rows =
        AxisRuns(layout.RowVars, free >> layout.ColVars, cube.Hi >> layout.ColVars);
    const std::vector<TMapRun> cols = AxisRuns(layout.ColVars, free & colMask, cube.Hi & colMask);
    std::vector<TMapRect> rects;
    rects.reserve(rows.size() * cols.size());
    for (const TMapRun& r : rows) {
        for (const TMapRun& c : cols) {
            rects.push_back(TMapRect{r.First, c.First, r.Count, c.Count, r.OpenLow, r.OpenHigh,
                                     c.OpenLow, c.OpenHigh});
        }
    }
    return rects;
}
