// Minimum cover of a covering matrix: essential columns, row and column dominance, then the
// independent blocks left, each solved by SolveBlock.
#include "engine/cover/CoverReduce.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "engine/cover/CoverParts.h"

namespace {

// A set hashed to 256 bits: sets whose signatures are not nested are not nested either. Rows of
// dense functions have over a hundred columns, too many for one word.
using TSignature = std::array<uint64_t, 4>;

void AddToSignature(TSignature& sig, int index) {
    const uint32_t bit = (static_cast<uint32_t>(index) * 0x9E3779B1u) >> 24;
    sig[bit >> 6] |= uint64_t{1} << (bit & 63u);
}

bool SignatureWithin(const TSignature& x, const TSignature& y) {
    return ((x[0] & ~y[0]) | (x[1] & ~y[1]) | (x[2] & ~y[2]) | (x[3] & ~y[3])) == 0;
}

// The covering matrix while reductions take rows and columns out of it.
class TReducer {
  public:
    TReducer(const TCoverBlock& matrix, TCoverClock& clock)
        : M(matrix),
          Clock(clock),
          RowAlive(M.Rows, 0),
          ColAlive(M.Cols, 0),
          RowDeg(M.Rows, 0),
          ColDeg(M.Cols, 0),
          ColumnsOf(M.RowStart, M.RowCols, M.Cols),
          RowsOf(M.ColStart, M.ColRows, M.Rows) {
        // A row no column covers is left out; a column with no row is never chosen.
        for (int r = 0; r < M.Rows; ++r) {
            RowDeg[r] = M.RowSize(r);
            RowAlive[r] = RowDeg[r] > 0 ? 1 : 0;
        }
        for (int c = 0; c < M.Cols; ++c) {
            ColDeg[c] = M.ColSize(c);
            ColAlive[c] = ColDeg[c] > 0 ? 1 : 0;
        }
    }

    // Essential columns, dominated rows and dominated columns until nothing changes or the clock
    // stops.
    void Reduce() {
        for (int r = 0; r < M.Rows; ++r) {
            if (RowAlive[r] != 0 && RowDeg[r] == 1) {
                Singles.push_back(r);
            }
        }
        bool changed = true;
        while (changed && !Clock.Check()) {
            TakeEssentials();
            changed = DropDominatedRows();
            TakeEssentials();
            changed = DropDominatedColumns() || changed;
        }
        TakeEssentials();
    }

    // The rows and columns still alive, split into blocks that share no column; columnsOf gets
    // the matrix column of each block column.
    TIntVector<TCoverBlock> Blocks(TIntVector<TIntVector<int>>& columnsOf) {
        const TIntVector<int> root = BlockRoots();
        TIntVector<int> blockOf(M.Rows, -1);
        TIntVector<int> local(M.Rows, -1);
        TIntVector<TCoverBlock> blocks;
        for (int r = 0; r < M.Rows; ++r) {
            if (RowAlive[r] == 0) {
                continue;
            }
            if (blockOf[root[r]] < 0) {
                blockOf[root[r]] = blocks.Size();
                blocks.emplace_back();
                blocks.back().ColStart.push_back(0);
                columnsOf.emplace_back();
            }
            local[r] = blocks[blockOf[root[r]]].Rows++;
        }
        for (int c = 0; c < M.Cols; ++c) {
            Clock.Tick(M.ColSize(c));
            if (ColAlive[c] == 0) {
                continue;
            }
            TCoverBlock* block = nullptr;
            for (int i = M.ColStart[c]; i < M.ColStart[c + 1]; ++i) {
                const int r = M.ColRows[i];
                if (RowAlive[r] == 0) {
                    continue;
                }
                const int b = blockOf[root[r]];
                if (block == nullptr) {
                    block = &blocks[b];
                    columnsOf[b].push_back(c);
                    block->Cost.push_back(M.Cost[c]);
                }
                block->ColRows.push_back(local[r]);
            }
            if (block != nullptr) {
                block->ColStart.push_back(static_cast<int>(block->ColRows.size()));
                ++block->Cols;
            }
        }
        for (auto& block : blocks) {
            block.Transpose(&Clock);
        }
        return blocks;
    }

    std::vector<int> Essential;  // columns taken because a row has no other column

  private:
    // Per row, a representative of the rows it shares columns with, directly or not.
    TIntVector<int> BlockRoots() {
        TIntVector<int> parent(M.Rows, 0);
        std::iota(parent.begin(), parent.end(), 0);
        const auto find = [&](int x) {
            while (parent[x] != x) {
                x = parent[x] = parent[parent[x]];
            }
            return x;
        };
        for (int c = 0; c < M.Cols; ++c) {
            Clock.Tick(M.ColSize(c));
            if (ColAlive[c] == 0) {
                continue;
            }
            int first = -1;
            for (int i = M.ColStart[c]; i < M.ColStart[c + 1]; ++i) {
                const int r = M.ColRows[i];
                if (RowAlive[r] != 0) {
                    if (first < 0) {
                        first = find(r);
                    } else {
                        parent[find(r)] = first;
                    }
                }
            }
        }
        for (int r = 0; r < M.Rows; ++r) {
            parent[r] = find(r);
        }
        return parent;
    }

    void KillRow(int r) {
        RowAlive[r] = 0;
        for (int i = M.RowStart[r]; i < M.RowStart[r + 1]; ++i) {
            const int c = M.RowCols[i];
            if (ColAlive[c] != 0 && --ColDeg[c] == 0) {
                ColAlive[c] = 0;
            }
        }
    }

    void KillColumn(int c) {
        ColAlive[c] = 0;
        for (int i = M.ColStart[c]; i < M.ColStart[c + 1]; ++i) {
            const int r = M.ColRows[i];
            if (RowAlive[r] != 0 && --RowDeg[r] == 1) {
                Singles.push_back(r);
            }
        }
    }

    void TakeEssentials() {
        while (!Singles.empty()) {
            const int r = Singles.back();
            Singles.pop_back();
            if (RowAlive[r] == 0) {
                continue;
            }
            int c = -1;
            for (int i = M.RowStart[r]; i < M.RowStart[r + 1] && c < 0; ++i) {
                if (ColAlive[M.RowCols[i]] != 0) {
                    c = M.RowCols[i];
                }
            }
            Essential.push_back(c);
            for (int i = M.ColStart[c]; i < M.ColStart[c + 1]; ++i) {
                if (RowAlive[M.ColRows[i]] != 0) {
                    KillRow(M.ColRows[i]);
                }
            }
            ColAlive[c] = 0;
        }
    }

    // The signature of each list's live members: a row's columns or a column's rows.
    TIntVector<TSignature> Signatures(const TIntVector<int>& start, const TIntVector<int>& members,
                                      const TIntVector<char>& alive) {
        TIntVector<TSignature> sig(start.Size() - 1, TSignature{});
        for (int k = 0; k + 1 < start.Size(); ++k) {
            Clock.Tick(start[k + 1] - start[k]);
            for (int i = start[k]; i < start[k + 1]; ++i) {
                if (alive[members[i]] != 0) {
                    AddToSignature(sig[k], members[i]);
                }
            }
        }
        return sig;
    }

    // A row whose columns include all of another row's is covered whenever that one is.
    bool DropDominatedRows() {
        const TIntVector<TSignature> sig = Signatures(M.RowStart, M.RowCols, ColAlive);
        const auto alive = [&](int c) { return ColAlive[c] != 0; };
        const auto rowsIn = [&](int c) { return ColDeg[c]; };
        bool changed = false;
        for (int r1 = 0; r1 < M.Rows; ++r1) {
            if (RowAlive[r1] == 0 || Clock.Tick(M.RowSize(r1))) {
                continue;
            }
            int pivot = -1;
            const int deg1 = ColumnsOf.Mark(r1, alive, rowsIn, pivot);
            Clock.Tick(M.ColSize(pivot));
            for (int i = M.ColStart[pivot]; i < M.ColStart[pivot + 1]; ++i) {
                const int r2 = M.ColRows[i];
                const int deg2 = RowDeg[r2];
                if (r2 == r1 || RowAlive[r2] == 0 || deg2 < deg1 || (deg2 == deg1 && r2 < r1) ||
                    !SignatureWithin(sig[r1], sig[r2])) {
                    continue;
                }
                Clock.Tick(M.RowSize(r2));
                if (ColumnsOf.LiveAround(r2, alive) >= 0) {
                    KillRow(r2);
                    changed = true;
                }
            }
        }
        return changed;
    }

    // Drops the columns another column dominates on the live rows.
    bool DropDominatedColumns() {
        const TIntVector<TSignature> sig = Signatures(M.ColStart, M.ColRows, RowAlive);
        const auto alive = [&](int r) { return RowAlive[r] != 0; };
        const auto colsIn = [&](int r) { return RowDeg[r]; };
        bool changed = false;
        for (int c1 = 0; c1 < M.Cols; ++c1) {
            if (ColAlive[c1] == 0 || Clock.Tick(M.ColSize(c1))) {
                continue;
            }
            int pivot = -1;
            const int deg1 = RowsOf.Mark(c1, alive, colsIn, pivot);
            Clock.Tick(M.RowSize(pivot));
            for (int i = M.RowStart[pivot]; i < M.RowStart[pivot + 1]; ++i) {
                const int c2 = M.RowCols[i];
                // Cheap tests first: the rule's counts and costs, then the signatures.
                const bool tie = ColDeg[c2] == deg1 && M.Cost[c2] == M.Cost[c1];
                if (c2 == c1 || ColAlive[c2] == 0 || ColDeg[c2] < deg1 || M.Cost[c2] > M.Cost[c1] ||
                    (tie && c2 > c1) || !SignatureWithin(sig[c1], sig[c2])) {
                    continue;
                }
                if (ColumnDominates(M, c2, c1, deg1, RowsOf.LiveAround(c2, alive))) {
                    KillColumn(c1);
                    changed = true;
                    break;
                }
            }
            TakeEssentials();
        }
        return changed;
    }

    const TCoverBlock& M;
    TCoverClock& Clock;
    TIntVector<char> RowAlive, ColAlive;
    TIntVector<int> RowDeg, ColDeg;
    TNesting ColumnsOf;        // the live columns of one row within another's
    TNesting RowsOf;           // the live rows of one column within another's
    std::vector<int> Singles;  // rows that may have one column left
};

}  // namespace

TMatrixCover SolveCoverMatrix(const TCoverBlock& matrix, TCoverClock& clock,
                              TProgressSink* progress) {
    TReducer reducer(matrix, clock);
    // Reductions pay for themselves on sparse matrices; on dense ones they find little, so they
    // get a part of the budget only.
    clock.BeginSlice(ShareOf(clock.BudgetMs(), CoverTuning.ReduceShare));
    reducer.Reduce();
    TIntVector<TIntVector<int>> columnsOf;
    TIntVector<TCoverBlock> blocks = reducer.Blocks(columnsOf);

    TMatrixCover out;
    out.Chosen = reducer.Essential;
    out.LowerBound = static_cast<int>(reducer.Essential.size());
    TIntVector<int> order(blocks.Size(), 0);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](int x, int y) { return blocks[x].Rows < blocks[y].Rows; });
    if (progress != nullptr) {
        progress->setMax(blocks.Size());
        progress->setPosition(0);
    }
    int done = 0;
    for (const int b : order) {
        // Blocks still to come share what is left of the budget evenly.
        clock.BeginSlice(clock.RemainingMs() / (blocks.Size() - done));
        const TBlockCover cover = SolveBlock(blocks[b], clock);
        for (const int c : cover.Chosen) {
            out.Chosen.push_back(columnsOf[b][c]);
        }
        out.LowerBound += cover.LowerBound;
        ++done;
        if (progress != nullptr) {
            progress->setPosition(done);
        }
    }
    std::sort(out.Chosen.begin(), out.Chosen.end());
    out.Stopped = clock.Stopped();
    out.Proven = static_cast<int>(out.Chosen.size()) == out.LowerBound;
    return out;
}
