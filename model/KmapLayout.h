// The Karnaugh map's geometry: Gray order, minterm and cell, cell names, a cube as blocks of cells.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/Cube.h"

// Gray code of i (0..255), and the place at which code g stands.
uint8_t Gray(int i);
uint8_t InvGray(int g);

// The first RowVars letters name the rows, the ColVars letters after them the columns; both
// run in Gray order, and a minterm is its row's code followed by its column's.
struct TKmapLayout {
    int RowVars = 2;
    int ColVars = 2;
    int Rows() const { return 1 << RowVars; }
    int Cols() const { return 1 << ColVars; }
    int VarCount() const { return RowVars + ColVars; }
};

// n div 2 letters on the rows, the others on the columns.
TKmapLayout KmapLayout(int n);

struct TMapCell {
    int Row = 0;
    int Col = 0;
};

TMapCell MintermCell(const TKmapLayout& layout, uint32_t m);
uint32_t CellMinterm(const TKmapLayout& layout, TMapCell cell);

// A row's letters from A, a column's letters after the row letters: "aB", "Cd".
std::string RowLabel(const TKmapLayout& layout, int row);
std::string ColLabel(const TKmapLayout& layout, int col);
// The minterm a cell stands for, all letters.
std::string CellTerm(const TKmapLayout& layout, TMapCell cell);

// Consecutive places along one side of the map. An open end lies on the map's edge and the
// run goes on at the opposite edge, as a group drawn around the map's back does.
struct TMapRun {
    int First = 0;
    int Count = 0;
    bool OpenLow = false;
    bool OpenHigh = false;
};

// The places along a side of `bits` variables whose code agrees with hi outside free.
std::vector<TMapRun> AxisRuns(int bits, uint32_t free, uint32_t hi);

// A block of cells; its open sides continue across the map's edge.
struct TMapRect {
    int Row = 0;
    int Col = 0;
    int Rows = 0;
    int Cols = 0;
    bool OpenTop = false;
    bool OpenBottom = false;
    bool OpenLeft = false;
    bool OpenRight = false;
    bool operator==(const TMapRect&) const = default;
};

// The cube's cells as blocks, each run of rows times each run of columns: one block for a cube
// that lies together, a piece at each edge for one that wraps (bd at 4 variables: 4 corners).
std::vector<TMapRect> CubeRects(const TKmapLayout& layout, const TCube& cube);
