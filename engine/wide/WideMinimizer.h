// The passes of the wide minimizer over one function: expand, irredundant, reduce and last gasp,
// with the OFF sets they raise cubes against.
#pragma once

#include <algorithm>
#include <chrono>
#include <new>
#include <numeric>
#include <random>

#include "engine/wide/WideMinimize.h"

// The most OFF cubes kept for all outputs together, about 1 GB at the widest cubes.
constexpr size_t MaxWideOffWords = size_t{1} << 27;

inline int FreeFields(const uint64_t* cube, int words) {
    int count = 0;
    for (int w = 0; w < words; ++w) {
        count += __builtin_popcountll(cube[w] & (cube[w] >> 1) & FieldLo);
    }
    return count;
}

class TWideMinimizer {
  public:
    TWideMinimizer(const TWideFunction& function, const TWideOptions& options)
        : FIn(InputWords(function.Inputs)),
          FOutputs(function.Outputs),
          FFunction(function),
          FOptions(options),
          FStart(std::chrono::steady_clock::now()) {
        for (int j = 0; j < FOutputs; ++j) {
            FDc.push_back(Inputs(function.Dc, j, SIZE_MAX));
        }
    }

    int64_t LeftMs() const {
        const auto spent = std::chrono::steady_clock::now() - FStart;
        return FOptions.BudgetMs -
               std::chrono::duration_cast<std::chrono::milliseconds>(spent).count();
    }
    bool TimeLeft() { return LeftMs() > 0 && (!FOptions.KeepGoing || FOptions.KeepGoing()); }

    // The input parts of the cubes of the cover with output j, but for cube skip.
    TWideCubes Inputs(const TWideCubes& cover, int j, size_t skip) const {
        TWideCubes parts(FFunction.Inputs, FIn);
        for (size_t i = 0; i < cover.Size(); ++i) {
            if (i != skip && HasOutput(cover[i], FIn, j)) {
                parts.Add(cover[i]);
            }
        }
        return parts;
    }

    // Whether cube i's input part at output j is covered by the other cubes and don't cares.
    bool Redundant(const TWideCubes& cover, size_t i, int j) const {
        TWideCubes rest = Inputs(cover, j, i);
        for (size_t d = 0; d < FDc[static_cast<size_t>(j)].Size(); ++d) {
            rest.Add(FDc[static_cast<size_t>(j)][d]);
        }
        return CoversCube(rest, cover[i]);
    }

    void MakeOffSets() {
        size_t words = 0;
        for (int j = 0; j < FOutputs; ++j) {
            TWideCubes care = Inputs(FFunction.On, j, SIZE_MAX);
            for (size_t d = 0; d < FDc[static_cast<size_t>(j)].Size(); ++d) {
                care.Add(FDc[static_cast<size_t>(j)][d]);
            }
            FOff.push_back(Complement(care));
            words += FOff.back().Size() * static_cast<size_t>(FIn);
            if (words > MaxWideOffWords) {
                throw std::bad_alloc();
            }
        }
    }

    // Drops, smallest cubes first, every cube the rest covers at all its outputs; then, when
    // sparse, every output of a cube the rest covers there.
    void Irredundant(TWideCubes& cover, bool sparse) {
        SortBySize(cover, false);
        for (size_t i = 0; i < cover.Size();) {
            bool needed = false;
            for (int j = 0; j < FOutputs && !needed; ++j) {
                needed = HasOutput(cover[i], FIn, j) && !Redundant(cover, i, j);
            }
            if (needed) {
                ++i;
            } else {
                RemoveKeepingOrder(cover, i);
            }
        }
        for (size_t i = 0; i < cover.Size() && sparse; ++i) {
            for (int j = 0; j < FOutputs; ++j) {
                if (HasOutput(cover[i], FIn, j) && Redundant(cover, i, j)) {
                    cover[i][FIn + j / 64] &= ~(uint64_t{1} << (j % 64));
                }
            }
        }
    }

    // Shrinks each cube, largest first, to the smallest cube over what only it covers.
    void Reduce(TWideCubes& cover) {
        SortBySize(cover, true);
        std::vector<uint64_t> reduced;
        for (size_t i = 0; i < cover.Size();) {
            if (!ReducedCube(cover, i, reduced)) {
                RemoveKeepingOrder(cover, i);
                continue;
            }
            std::copy(reduced.begin(), reduced.end(), cover[i]);
            ++i;
        }
    }

    // Cube i shrunk to what only it covers, outputs too; false when that is nothing.
    bool ReducedCube(const TWideCubes& cover, size_t i, std::vector<uint64_t>& reduced) const {
        reduced.assign(cover[i], cover[i] + cover.Stride());
        std::vector<uint64_t> super(static_cast<size_t>(FIn), 0);
        std::vector<uint64_t> left;
        bool any = false;
        for (int j = 0; j < FOutputs; ++j) {
            if (!HasOutput(cover[i], FIn, j)) {
                continue;
            }
            TWideCubes rest = Inputs(cover, j, i);
            for (size_t d = 0; d < FDc[static_cast<size_t>(j)].Size(); ++d) {
                rest.Add(FDc[static_cast<size_t>(j)][d]);
            }
            if (!MissedSupercube(Cofactor(rest, cover[i]), left)) {
                reduced[static_cast<size_t>(FIn + j / 64)] &= ~(uint64_t{1} << (j % 64));
                continue;
            }
            any = true;
            for (int w = 0; w < FIn; ++w) {
                super[static_cast<size_t>(w)] |= left[static_cast<size_t>(w)];
            }
        }
        for (int w = 0; w < FIn; ++w) {
            reduced[static_cast<size_t>(w)] &= super[static_cast<size_t>(w)];
        }
        return any;
    }

    // Every cube shrunk against the same cover, then each raised among the shrunk ones: a
    // raised cube that swallows another may let irredundant drop two for one.
    bool LastGasp(TWideCubes& cover) {
        TWideCubes reduced(cover.Inputs(), cover.Stride());
        std::vector<uint64_t> cube;
        for (size_t i = 0; i < cover.Size(); ++i) {
            if (ReducedCube(cover, i, cube)) {
                reduced.Add(cube.data());
            }
        }
        TWideCubes tried = cover;
        bool added = false;
        for (size_t i = 0; i < reduced.Size() && TimeLeft(); ++i) {
            TWideCubes trial = reduced;
            ExpandCube(trial, i);
            int swallowed = 0;
            for (size_t k = 0; k < reduced.Size(); ++k) {
                swallowed += k != i && InputsContain(trial[i], reduced[k], cover.Stride()) ? 1 : 0;
            }
            if (swallowed > 0) {
                tried.Add(trial[i]);
                added = true;
            }
        }
        if (!added) {
            return false;
        }
        Irredundant(tried, false);
        if (tried.Size() >= cover.Size()) {
            return false;
        }
        cover = std::move(tried);
        return true;
    }

    // Raises each cube, largest first, as far as the OFF sets allow: first toward the other
    // cubes it can swallow, then input by input; then to every output it fits. Swallowed cubes
    // go. False when time ran out before every cube was raised.
    bool Expand(TWideCubes& cover) {
        SortBySize(cover, true);
        for (size_t i = 0; i < cover.Size(); ++i) {
            if (!TimeLeft()) {
                return false;
            }
            ExpandCube(cover, i);
            for (size_t k = cover.Size(); k-- > 0;) {
                if (k != i && InputsContain(cover[i], cover[k], FIn + WideOutputWords(FOutputs)) &&
                    OutputsWithin(cover[k], cover[i])) {
                    RemoveKeepingOrder(cover, k);
                    if (k < i) {
                        --i;
                    }
                }
            }
        }
        return true;
    }

    // Each cube raised on its own among the others, largest first.
    TWideCubes ExpandEach(TWideCubes cubes) {
        SortBySize(cubes, true);
        TWideCubes raised(cubes.Inputs(), cubes.Stride());
        for (size_t i = 0; i < cubes.Size() && TimeLeft(); ++i) {
            TWideCubes trial = cubes;
            ExpandCube(trial, i);
            raised.Add(trial[i]);
        }
        return raised;
    }

    const std::vector<TWideCubes>& Off() const { return FOff; }
    // Cubes of the same size taken in a random order, so that another pass goes another way.
    bool Shuffle = false;
    // Each cube first raised to every output it fits, so its inputs serve them all.
    bool OutputsFirst = false;
    // Inputs raised in a random order, not toward other cubes: primes the passes would not find.
    bool Wander = false;
    const std::vector<TWideCubes>& Dc() const { return FDc; }

  private:
    bool OutputsWithin(const uint64_t* inner, const uint64_t* outer) const {
        for (int w = 0; w < WideOutputWords(FOutputs); ++w) {
            if ((inner[FIn + w] & ~outer[FIn + w]) != 0) {
                return false;
            }
        }
        return true;
    }

    static void RemoveKeepingOrder(TWideCubes& cover, size_t i) {
        TWideCubes kept(cover.Inputs(), cover.Stride());
        kept.Reserve(cover.Size());
        for (size_t k = 0; k < cover.Size(); ++k) {
            if (k != i) {
                kept.Add(cover[k]);
            }
        }
        cover = std::move(kept);
    }

    void SortBySize(TWideCubes& cover, bool largestFirst) {
        std::vector<size_t> order(cover.Size());
        std::iota(order.begin(), order.end(), 0);
        if (Shuffle) {
            std::shuffle(order.begin(), order.end(), FRandom);
        }
        std::vector<int> size(cover.Size());
        for (size_t i = 0; i < cover.Size(); ++i) {
            size[i] = FreeFields(cover[i], FIn);
        }
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            return largestFirst ? size[a] > size[b] : size[a] < size[b];
        });
        TWideCubes sorted(cover.Inputs(), cover.Stride());
        sorted.Reserve(cover.Size());
        for (const size_t i : order) {
            sorted.Add(cover[i]);
        }
        cover = std::move(sorted);
    }

    // The fields of cube x each OFF cube is kept apart from it by: one bit at the low bit of
    // each such field. The rows of output j are rowStart[j] up to rowStart[j + 1].
    std::vector<uint64_t> Blocking(const uint64_t* x, std::vector<size_t>& rowStart) const {
        std::vector<uint64_t> conflicts;
        rowStart.assign(1, 0);
        for (int j = 0; j < FOutputs; ++j) {
            const TWideCubes& off = FOff[static_cast<size_t>(j)];
            for (size_t r = 0; r < off.Size(); ++r) {
                for (int w = 0; w < FIn; ++w) {
                    const uint64_t both = x[w] & off[r][w];
                    conflicts.push_back(~(both | (both >> 1)) & FieldLo);
                }
            }
            rowStart.push_back(rowStart.back() + off.Size());
        }
        return conflicts;
    }

    // Calls visit with each row of the outputs, an output at a time: asking each row whether
    // its output is among them cost more than the rows' own test.
    template <typename TVisit>
    bool EveryRow(const std::vector<size_t>& rowStart, const uint64_t* outputs,
                  TVisit&& visit) const {
        for (int w = 0; w < WideOutputWords(FOutputs); ++w) {
            for (uint64_t bits = outputs[w]; bits != 0; bits &= bits - 1) {
                const size_t j = static_cast<size_t>(w * 64 + __builtin_ctzll(bits));
                for (size_t r = rowStart[j]; r < rowStart[j + 1]; ++r) {
                    if (!visit(r)) {
                        return false;
                    }
                }
            }
        }
        return true;
    }

    // Whether raising the fields in raise keeps x apart from every OFF cube of the outputs.
    bool Feasible(const std::vector<uint64_t>& conflicts, const std::vector<size_t>& rowStart,
                  const std::vector<uint64_t>& raise, const uint64_t* outputs) const {
        return EveryRow(rowStart, outputs, [&](size_t r) {
            for (int w = 0; w < FIn; ++w) {
                if ((conflicts[r * static_cast<size_t>(FIn) + static_cast<size_t>(w)] &
                     ~raise[static_cast<size_t>(w)]) != 0) {
                    return true;
                }
            }
            return false;
        });
    }

    void ExpandCube(TWideCubes& cover, size_t i);
    // By the first of each pair; ties in a random order when shuffling.
    template <typename T>
    void SortByFirst(std::vector<T>& items) {
        if (Shuffle) {
            std::shuffle(items.begin(), items.end(), FRandom);
        }
        std::stable_sort(items.begin(), items.end(),
                         [](const T& a, const T& b) { return a.first < b.first; });
    }
    // To every output the input part fits.
    void RaiseOutputs(uint64_t* x) const;

    int FIn;
    int FOutputs;
    const TWideFunction& FFunction;
    TWideOptions FOptions;
    std::chrono::steady_clock::time_point FStart;
    std::vector<TWideCubes> FDc;   // input parts of the don't cares, per output
    std::vector<TWideCubes> FOff;  // the OFF set, per output
    std::mt19937_64 FRandom{1};
};
