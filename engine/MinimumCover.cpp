// Minimum cover: the covering matrix, its reductions, independent blocks, then each block solved.
#include "engine/MinimumCover.h"

#include <algorithm>
#include <array>
#include <bit>
#include <numeric>

#include "engine/CoverSearch.h"
#include "engine/PrimeSearch.h"

namespace {

// Calls f(m) for every minterm of the cube.
template <typename F>
void ForEachMinterm(TCube cube, F&& f) {
    const uint32_t base = cube.Hi & ~cube.Free;
    uint32_t sub = 0;
    do {
        f(base | sub);
        sub = (sub - cube.Free) & cube.Free;
    } while (sub != 0);
}

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

// The covering matrix of the whole function while reductions take rows and columns out of it.
class TReducer {
  public:
    TReducer(int n, const TMintermBits& on, const TMintermBits& dc,
             const std::vector<TCube>& primes, TCoverClock& clock)
        : Clock(clock) {
        const uint32_t size = uint32_t{1} << n;
        std::vector<int> rowOf(size, -1);
        int rows = 0;
        for (uint32_t m = 0; m < size; ++m) {
            if (TestMinterm(on, m) && !TestMinterm(dc, m)) {
                rowOf[m] = rows++;
            }
        }
        M.Rows = rows;
        size_t entries = 0;
        for (const TCube cube : primes) {
            entries += size_t{1} << std::popcount(cube.Free & (size - 1));
        }
        M.ColRows.reserve(entries);
        M.ColStart.reserve(primes.size() + 1);
        M.ColStart.push_back(0);
        for (size_t p = 0; p < primes.size(); ++p) {
            // The matrix is needed whatever the clock says; ticking lets the caller stay live.
            Clock.Tick(int64_t{1} << std::popcount(primes[p].Free & (size - 1)));
            const size_t start = M.ColRows.size();
            bool offSet = false;
            ForEachMinterm(primes[p], [&](uint32_t m) {
                if (m >= size || !(TestMinterm(on, m) || TestMinterm(dc, m))) {
                    offSet = true;
                } else if (rowOf[m] >= 0) {
                    M.ColRows.push_back(rowOf[m]);
                }
            });
            // A term reaching an OFF minterm or covering no ON minterm is never chosen.
            if (offSet || M.ColRows.size() == start) {
                M.ColRows.resize(start);
                continue;
            }
            M.ColStart.push_back(static_cast<int>(M.ColRows.size()));
            M.Cost.push_back(n - std::popcount(primes[p].Free & (size - 1)));
            Prime.push_back(static_cast<int>(p));
        }
        M.Cols = static_cast<int>(Prime.size());
        M.Transpose(&Clock);
        RowAlive.assign(static_cast<size_t>(M.Rows), 1);
        ColAlive.assign(static_cast<size_t>(M.Cols), 1);
        RowDeg.resize(static_cast<size_t>(M.Rows));
        ColDeg.resize(static_cast<size_t>(M.Cols));
        for (int r = 0; r < M.Rows; ++r) {
            RowDeg[static_cast<size_t>(r)] = M.RowSize(r);
            // An ON minterm no term covers cannot be covered; it is left out.
            if (RowDeg[static_cast<size_t>(r)] == 0) {
                RowAlive[static_cast<size_t>(r)] = 0;
            }
        }
        for (int c = 0; c < M.Cols; ++c) {
            ColDeg[static_cast<size_t>(c)] = M.ColSize(c);
        }
    }

    // Essential columns, dominated rows and dominated columns until nothing changes or the clock
    // stops.
    void Reduce() {
        for (int r = 0; r < M.Rows; ++r) {
            if (RowAlive[static_cast<size_t>(r)] != 0 && RowDeg[static_cast<size_t>(r)] == 1) {
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

    // The rows and columns still alive, split into blocks that share no column.
    std::vector<TCoverBlock> Blocks(std::vector<std::vector<int>>& columnsOf) {
        std::vector<int> parent(static_cast<size_t>(M.Rows));
        std::iota(parent.begin(), parent.end(), 0);
        const auto find = [&](int x) {
            while (parent[static_cast<size_t>(x)] != x) {
                x = parent[static_cast<size_t>(x)] =
                    parent[static_cast<size_t>(parent[static_cast<size_t>(x)])];
            }
            return x;
        };
        for (int c = 0; c < M.Cols; ++c) {
            Clock.Tick(M.ColSize(c));
            if (ColAlive[static_cast<size_t>(c)] == 0) {
                continue;
            }
            int first = -1;
            for (int i = M.ColStart[c]; i < M.ColStart[c + 1]; ++i) {
                const int r = M.ColRows[i];
                if (RowAlive[static_cast<size_t>(r)] != 0) {
                    if (first < 0) {
                        first = find(r);
                    } else {
                        parent[static_cast<size_t>(find(r))] = first;
                    }
                }
            }
        }
        for (int r = 0; r < M.Rows; ++r) {
            parent[static_cast<size_t>(r)] = find(r);
        }
        std::vector<int> blockOf(static_cast<size_t>(M.Rows), -1);
        std::vector<int> local(static_cast<size_t>(M.Rows), -1);
        std::vector<TCoverBlock> blocks;
        for (int r = 0; r < M.Rows; ++r) {
            if (RowAlive[static_cast<size_t>(r)] == 0) {
                continue;
            }
            const int root = parent[static_cast<size_t>(r)];
            if (blockOf[static_cast<size_t>(root)] < 0) {
                blockOf[static_cast<size_t>(root)] = static_cast<int>(blocks.size());
                blocks.emplace_back();
                blocks.back().ColStart.push_back(0);
                columnsOf.emplace_back();
            }
            local[static_cast<size_t>(r)] =
                blocks[static_cast<size_t>(blockOf[static_cast<size_t>(root)])].Rows++;
        }
        for (int c = 0; c < M.Cols; ++c) {
            Clock.Tick(M.ColSize(c));
            if (ColAlive[static_cast<size_t>(c)] == 0) {
                continue;
            }
            TCoverBlock* block = nullptr;
            for (int i = M.ColStart[c]; i < M.ColStart[c + 1]; ++i) {
                const int r = M.ColRows[i];
                if (RowAlive[static_cast<size_t>(r)] == 0) {
                    continue;
                }
                const int b = blockOf[static_cast<size_t>(parent[static_cast<size_t>(r)])];
                if (block == nullptr) {
                    block = &blocks[static_cast<size_t>(b)];
                    columnsOf[static_cast<size_t>(b)].push_back(Prime[static_cast<size_t>(c)]);
                    block->Cost.push_back(M.Cost[static_cast<size_t>(c)]);
                }
                block->ColRows.push_back(local[static_cast<size_t>(r)]);
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

    std::vector<int> Essential;  // primes taken because a row has no other column

  private:
    void KillRow(int r) {
        RowAlive[static_cast<size_t>(r)] = 0;
        for (int i = M.RowStart[r]; i < M.RowStart[r + 1]; ++i) {
            const int c = M.RowCols[i];
            if (ColAlive[static_cast<size_t>(c)] != 0 && --ColDeg[static_cast<size_t>(c)] == 0) {
                ColAlive[static_cast<size_t>(c)] = 0;
            }
        }
    }

    void KillColumn(int c) {
        ColAlive[static_cast<size_t>(c)] = 0;
        for (int i = M.ColStart[c]; i < M.ColStart[c + 1]; ++i) {
            const int r = M.ColRows[i];
            if (RowAlive[static_cast<size_t>(r)] != 0 && --RowDeg[static_cast<size_t>(r)] == 1) {
                Singles.push_back(r);
            }
        }
    }

    void TakeEssentials() {
        while (!Singles.empty()) {
            const int r = Singles.back();
            Singles.pop_back();
            if (RowAlive[static_cast<size_t>(r)] == 0) {
                continue;
            }
            int c = -1;
            for (int i = M.RowStart[r]; i < M.RowStart[r + 1] && c < 0; ++i) {
                if (ColAlive[static_cast<size_t>(M.RowCols[i])] != 0) {
                    c = M.RowCols[i];
                }
            }
            Essential.push_back(Prime[static_cast<size_t>(c)]);
            for (int i = M.ColStart[c]; i < M.ColStart[c + 1]; ++i) {
                if (RowAlive[static_cast<size_t>(M.ColRows[i])] != 0) {
                    KillRow(M.ColRows[i]);
                }
            }
            ColAlive[static_cast<size_t>(c)] = 0;
        }
    }

    // A row whose columns include all of another row's is covered whenever that one is.
    bool DropDominatedRows() {
        std::vector<uint32_t> mark(static_cast<size_t>(M.Cols), 0);
        std::vector<TSignature> sig(static_cast<size_t>(M.Rows), TSignature{});
        for (int r = 0; r < M.Rows; ++r) {
            Clock.Tick(M.RowSize(r));
            for (int i = M.RowStart[r]; i < M.RowStart[r + 1]; ++i) {
                if (ColAlive[static_cast<size_t>(M.RowCols[i])] != 0) {
                    AddToSignature(sig[static_cast<size_t>(r)], M.RowCols[i]);
                }
            }
        }
        uint32_t stamp = 0;
        bool changed = false;
        for (int r1 = 0; r1 < M.Rows; ++r1) {
            if (RowAlive[static_cast<size_t>(r1)] == 0 || Clock.Tick(M.RowSize(r1))) {
                continue;
            }
            int pivot = -1;
            for (int i = M.RowStart[r1]; i < M.RowStart[r1 + 1]; ++i) {
                const int c = M.RowCols[i];
                if (ColAlive[static_cast<size_t>(c)] != 0 &&
                    (pivot < 0 ||
                     ColDeg[static_cast<size_t>(c)] < ColDeg[static_cast<size_t>(pivot)])) {
                    pivot = c;
                }
            }
            ++stamp;
            for (int i = M.RowStart[r1]; i < M.RowStart[r1 + 1]; ++i) {
                mark[static_cast<size_t>(M.RowCols[i])] = stamp;
            }
            const int deg1 = RowDeg[static_cast<size_t>(r1)];
            const TSignature& sig1 = sig[static_cast<size_t>(r1)];
            Clock.Tick(M.ColSize(pivot));
            for (int i = M.ColStart[pivot]; i < M.ColStart[pivot + 1]; ++i) {
                const int r2 = M.ColRows[i];
                const int deg2 = RowDeg[static_cast<size_t>(r2)];
                if (r2 == r1 || RowAlive[static_cast<size_t>(r2)] == 0 || deg2 < deg1 ||
                    (deg2 == deg1 && r2 < r1) ||
                    !SignatureWithin(sig1, sig[static_cast<size_t>(r2)])) {
                    continue;
                }
                Clock.Tick(M.RowSize(r2));
                int shared = 0;
                for (int j = M.RowStart[r2]; j < M.RowStart[r2 + 1]; ++j) {
                    const int c = M.RowCols[j];
                    shared += (ColAlive[static_cast<size_t>(c)] != 0 &&
                               mark[static_cast<size_t>(c)] == stamp)
                                  ? 1
                                  : 0;
                }
                if (shared == deg1) {
                    KillRow(r2);
                    changed = true;
                }
            }
        }
        return changed;
    }

    // A column whose rows lie within another's of no more literals is never needed.
    bool DropDominatedColumns() {
        std::vector<uint32_t> mark(static_cast<size_t>(M.Rows), 0);
        std::vector<TSignature> sig(static_cast<size_t>(M.Cols), TSignature{});
        for (int c = 0; c < M.Cols; ++c) {
            Clock.Tick(M.ColSize(c));
            for (int i = M.ColStart[c]; i < M.ColStart[c + 1]; ++i) {
                if (RowAlive[static_cast<size_t>(M.ColRows[i])] != 0) {
                    AddToSignature(sig[static_cast<size_t>(c)], M.ColRows[i]);
                }
            }
        }
        uint32_t stamp = 0;
        bool changed = false;
        for (int c1 = 0; c1 < M.Cols; ++c1) {
            if (ColAlive[static_cast<size_t>(c1)] == 0 || Clock.Tick(M.ColSize(c1))) {
                continue;
            }
            int pivot = -1;
            for (int i = M.ColStart[c1]; i < M.ColStart[c1 + 1]; ++i) {
                const int r = M.ColRows[i];
                if (RowAlive[static_cast<size_t>(r)] != 0 &&
                    (pivot < 0 ||
                     RowDeg[static_cast<size_t>(r)] < RowDeg[static_cast<size_t>(pivot)])) {
                    pivot = r;
                }
            }
            ++stamp;
            for (int i = M.ColStart[c1]; i < M.ColStart[c1 + 1]; ++i) {
                mark[static_cast<size_t>(M.ColRows[i])] = stamp;
            }
            const int deg1 = ColDeg[static_cast<size_t>(c1)];
            const int cost1 = M.Cost[static_cast<size_t>(c1)];
            const TSignature& sig1 = sig[static_cast<size_t>(c1)];
            Clock.Tick(M.RowSize(pivot));
            for (int i = M.RowStart[pivot]; i < M.RowStart[pivot + 1]; ++i) {
                const int c2 = M.RowCols[i];
                if (c2 == c1 || ColAlive[static_cast<size_t>(c2)] == 0) {
                    continue;
                }
                const int deg2 = ColDeg[static_cast<size_t>(c2)];
                const int cost2 = M.Cost[static_cast<size_t>(c2)];
                if (deg2 < deg1 || cost2 > cost1 || (deg2 == deg1 && cost2 == cost1 && c2 > c1) ||
                    !SignatureWithin(sig1, sig[static_cast<size_t>(c2)])) {
                    continue;
                }
                int shared = 0;
                for (int j = M.ColStart[c2]; j < M.ColStart[c2 + 1]; ++j) {
                    const int r = M.ColRows[j];
                    shared += (RowAlive[static_cast<size_t>(r)] != 0 &&
                               mark[static_cast<size_t>(r)] == stamp)
                                  ? 1
                                  : 0;
                }
                if (shared == deg1) {
                    KillColumn(c1);
                    changed = true;
                    break;
                }
            }
            TakeEssentials();
        }
        return changed;
    }

    TCoverClock& Clock;
    TCoverBlock M;
    std::vector<int> Prime;  // the prime index of each column
    std::vector<char> RowAlive, ColAlive;
    std::vector<int> RowDeg, ColDeg;
    std::vector<int> Singles;  // rows that may have one column left
};

}  // namespace

TMinimumCover FindMinimumCover(int n, const TMintermBits& on, const TMintermBits& dc,
                               const std::vector<TCube>& primes, const TCoverOptions& options) {
    TCoverClock clock(options);
    TReducer reducer(n, on, dc, primes, clock);
    // Reductions pay for themselves on sparse functions; on dense ones they find little, so they
    // get a part of the budget only.
    clock.BeginSlice(options.BudgetMs / 4);
    reducer.Reduce();
    std::vector<std::vector<int>> columnsOf;
    std::vector<TCoverBlock> blocks = reducer.Blocks(columnsOf);

    TMinimumCover out;
    out.Chosen = reducer.Essential;
    out.LowerBound = static_cast<int>(reducer.Essential.size());
    std::vector<size_t> order(blocks.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](size_t x, size_t y) { return blocks[x].Rows < blocks[y].Rows; });
    if (options.Progress != nullptr) {
        options.Progress->setMax(static_cast<int>(blocks.size()));
        options.Progress->setPosition(0);
    }
    int done = 0;
    for (const size_t b : order) {
        // Blocks still to come share what is left of the budget evenly.
        clock.BeginSlice(clock.RemainingMs() / static_cast<int64_t>(blocks.size() - done));
        const TBlockCover cover = SolveBlock(blocks[b], clock);
        for (const int c : cover.Chosen) {
            out.Chosen.push_back(columnsOf[b][static_cast<size_t>(c)]);
        }
        out.LowerBound += cover.LowerBound;
        ++done;
        if (options.Progress != nullptr) {
            options.Progress->setPosition(done);
        }
    }
    std::sort(out.Chosen.begin(), out.Chosen.end());
    for (const int p : out.Chosen) {
        out.Literals += n - std::popcount(primes[static_cast<size_t>(p)].Free & ((1u << n) - 1));
    }
    out.Stopped = clock.Stopped();
    out.Proven = static_cast<int>(out.Chosen.size()) == out.LowerBound;
    return out;
}

std::vector<TCube> CoveringPrimes(int n, const TMintermBits& on, const TMintermBits& dc) {
    TMintermBits onOrDc = on;
    TMintermBits onOnly = on;
    for (size_t i = 0; i < on.size() && i < dc.size(); ++i) {
        onOrDc[i] |= dc[i];
        onOnly[i] &= ~dc[i];
    }
    return FindPrimeImplicantsMeeting(n, onOrDc, onOnly).Primes;
}
