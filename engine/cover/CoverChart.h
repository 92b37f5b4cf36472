// The prime implicant chart the cover steps reason on, and the exact search on what is left of
// it. For the engine's own cover units.
#pragma once

#include <atomic>
#include <cstdint>
#include <utility>
#include <vector>

#include "model/Cube.h"

struct TChart {
    std::vector<uint32_t> RowMinterm;  // each row's minterm, ascending
    std::vector<int> ColPrime;         // each column's prime, ascending
    std::vector<int> Cost;             // each column's literals
    std::vector<std::vector<int>> ColRows;
    std::vector<std::vector<int>> RowCols;
    std::vector<char> RowLive;  // rows still to cover
    std::vector<char> ColLive;  // columns still to choose from

    int Rows() const { return static_cast<int>(RowMinterm.size()); }
    int Cols() const { return static_cast<int>(ColPrime.size()); }
};

// Rows: the ON minterms outside dc; columns: the primes that cover some row and no OFF minterm.
TChart BuildChart(int n, const TMintermBits& on, const TMintermBits& dc,
                  const std::vector<TCube>& primes);

// The rows and columns of one independent part of the chart's live rows and columns.
struct TChartPart {
    std::vector<char> RowLive;
    std::vector<char> ColLive;
};

// The parts no column joins: each is solved, or counted, on its own.
std::vector<TChartPart> ChartParts(const TChart& chart);

// Fewest columns, then least cost, covering the live rows by live columns. Each set of columns
// is reached once: a branch that passes a column leaves it out of the branches after it.
class TCoreSearch {
  public:
    TCoreSearch(const TChart& chart, const TChartPart& part, int64_t maxBranches);

    // The best cover; Best() is (columns, cost), Chosen() its columns. A seed, a cover of the
    // part, is the best until a better one is found.
    void Minimise(const std::vector<int>& seed = {});

    std::pair<int, int> Best() const { return FBest; }
    const std::vector<int>& Chosen() const { return FBestChosen; }
    int64_t Branches() const { return FBranches; }
    bool Stopped() const { return FStopped; }
    // Columns the live rows need at least: rows that share no column each need one of their own.
    int IndependentBound();

  private:
    void Search(int size, int cost);
    void Leaf(int size, int cost);
    // The live uncovered row with the fewest columns to take, or -1 when all are covered.
    int BranchRow(int& open);
    std::pair<int, int> Bound();
    void Take(int c, int step);

    const TChart& C;
    std::vector<char> FRowLive;
    std::vector<char> FColLive;
    int64_t FMaxBranches;
    std::vector<int> FCovered;  // chosen columns over each row
    std::vector<char> FOut;     // columns passed over in this branch
    std::vector<uint32_t> FMark;
    std::vector<std::pair<int, int>> FOrder;  // open columns and row, for the bound
    uint32_t FStamp = 0;
    std::vector<int> FChosen;
    std::pair<int, int> FBest;
    std::vector<int> FBestChosen;
    int64_t FBranches = 0;
    bool FStopped = false;
};

// The fewest columns covering a part, by the minimum cover's own search (which weighs costs
// only on ties); proven tells whether no cover has fewer. cancel, when given and set, ends the
// search early as the budget does.
std::vector<int> PartCover(const TChart& chart, const TChartPart& part, int64_t budgetMs,
                           bool& proven, int& lowerBound,
                           const std::atomic<bool>* cancel = nullptr);

// Petrick's method on a part of the chart: the product of each row's sum of columns, multiplied out
// with absorption. Returns its products (column sets) or nothing when the core is too large.
bool PetrickProducts(const TChart& chart, const TChartPart& part,
                     std::vector<std::vector<int>>& products);
