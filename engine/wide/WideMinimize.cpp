#include "engine/wide/WideMinimize.h"

#include <algorithm>
#include <chrono>
#include <new>
#include <numeric>
#include <random>

#include "engine/Sinks.h"
#include "engine/wide/WideBound.h"

namespace {

using TClock = std::chrono::steady_clock;

// The most OFF cubes kept for all outputs together, about 1 GB at the widest cubes.
// Passes in a random order without a better cover before the search stops.
constexpr int MaxIdlePasses = 20;

constexpr size_t MaxOffWords = size_t{1} << 27;

int FreeFields(const uint64_t* cube, int words) {
    int count = 0;
    for (int w = 0; w < words; ++w) {
        count += __builtin_popcountll(cube[w] & (cube[w] >> 1) & FieldLo);
    }
    return count;
}

class TMinimizer {
  public:
    TMinimizer(const TWideFunction& function, const TWideOptions& options)
        : FIn(InputWords(function.Inputs)),
          FOutputs(function.Outputs),
          FFunction(function),
          FOptions(options),
          FStart(TClock::now()) {
        for (int j = 0; j < FOutputs; ++j) {
            FDc.push_back(Inputs(function.Dc, j, SIZE_MAX));
        }
    }

    bool TimeLeft() {
        const auto spent =
            std::chrono::duration_cast<std::chrono::milliseconds>(TClock::now() - FStart);
        if (spent.count() >= FOptions.BudgetMs) {
            return false;
        }
        return !FOptions.KeepGoing || FOptions.KeepGoing();
    }

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
            if (words > MaxOffWords) {
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
        bool any = false;
        for (int j = 0; j < FOutputs; ++j) {
            if (!HasOutput(cover[i], FIn, j)) {
                continue;
            }
            TWideCubes rest = Inputs(cover, j, i);
            for (size_t d = 0; d < FDc[static_cast<size_t>(j)].Size(); ++d) {
                rest.Add(FDc[static_cast<size_t>(j)][d]);
            }
            const TWideCubes left = Complement(Cofactor(rest, cover[i]));
            if (left.Empty()) {
                reduced[static_cast<size_t>(FIn + j / 64)] &= ~(uint64_t{1} << (j % 64));
                continue;
            }
            any = true;
            for (size_t k = 0; k < left.Size(); ++k) {
                for (int w = 0; w < FIn; ++w) {
                    super[static_cast<size_t>(w)] |= left[k][w];
                }
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

    const std::vector<TWideCubes>& Off() const { return FOff; }
    // Cubes of the same size taken in a random order, so that another pass goes another way.
    bool Shuffle = false;
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
    // each such field; every output's when all, else those of x's outputs.
    std::vector<uint64_t> Blocking(const uint64_t* x, bool all, std::vector<int>& rowOutput) const {
        std::vector<uint64_t> conflicts;
        rowOutput.clear();
        for (int j = 0; j < FOutputs; ++j) {
            if (!all && !HasOutput(x, FIn, j)) {
                continue;
            }
            const TWideCubes& off = FOff[static_cast<size_t>(j)];
            for (size_t r = 0; r < off.Size(); ++r) {
                for (int w = 0; w < FIn; ++w) {
                    const uint64_t both = x[w] & off[r][w];
                    conflicts.push_back(~(both | (both >> 1)) & FieldLo);
                }
                rowOutput.push_back(j);
            }
        }
        return conflicts;
    }

    // Whether raising the fields in raise keeps x apart from every OFF cube of the outputs.
    bool Feasible(const std::vector<uint64_t>& conflicts, const std::vector<int>& rowOutput,
                  const std::vector<uint64_t>& raise, const uint64_t* outputs) const {
        for (size_t r = 0; r < rowOutput.size(); ++r) {
            if (!HasOutput(outputs, 0, rowOutput[r])) {
                continue;
            }
            bool apart = false;
            for (int w = 0; w < FIn && !apart; ++w) {
                apart = (conflicts[r * static_cast<size_t>(FIn) + static_cast<size_t>(w)] &
                         ~raise[static_cast<size_t>(w)]) != 0;
            }
            if (!apart) {
                return false;
            }
        }
        return true;
    }

    void ExpandCube(TWideCubes& cover, size_t i);

    int FIn;
    int FOutputs;
    const TWideFunction& FFunction;
    TWideOptions FOptions;
    TClock::time_point FStart;
    std::vector<TWideCubes> FDc;   // input parts of the don't cares, per output
    std::vector<TWideCubes> FOff;  // the OFF set, per output
    std::mt19937_64 FRandom{1};
};

void TMinimizer::ExpandCube(TWideCubes& cover, size_t i) {
    uint64_t* x = cover[i];
    std::vector<int> rowOutput;
    const std::vector<uint64_t> conflicts = Blocking(x, true, rowOutput);
    const size_t rows = rowOutput.size();
    const int outWords = WideOutputWords(FOutputs);
    std::vector<uint64_t> outputs(x + FIn, x + FIn + outWords);
    std::vector<uint64_t> raised(static_cast<size_t>(FIn), 0);
    // Inputs that alone keep x from some OFF cube stay; cubes needing them are out of reach.
    std::vector<uint64_t> pinned(static_cast<size_t>(FIn), 0);
    for (size_t r = 0; r < rows; ++r) {
        const uint64_t* row = &conflicts[r * static_cast<size_t>(FIn)];
        if (!HasOutput(outputs.data(), 0, rowOutput[r])) {
            continue;
        }
        int count = 0;
        for (int w = 0; w < FIn; ++w) {
            count += __builtin_popcountll(row[w]);
        }
        if (count == 1) {
            for (int w = 0; w < FIn; ++w) {
                pinned[static_cast<size_t>(w)] |= row[w];
            }
        }
    }
    // Toward the nearest cubes first: each one swallowed is a term less.
    std::vector<std::pair<int, size_t>> near;
    std::vector<uint64_t> need(static_cast<size_t>(FIn));
    for (size_t k = 0; k < cover.Size(); ++k) {
        if (k == i) {
            continue;
        }
        int distance = 0;
        bool reachable = true;
        for (int w = 0; w < FIn && reachable; ++w) {
            const uint64_t outside = cover[k][w] & ~x[w];
            const uint64_t fields = (outside | (outside >> 1)) & FieldLo;
            reachable = (fields & pinned[static_cast<size_t>(w)]) == 0;
            distance += __builtin_popcountll(fields);
        }
        if (reachable) {
            // Those within x's outputs first: widening the outputs narrows what the inputs may do.
            const int widen = OutputsWithin(cover[k], x) ? 0 : FFunction.Inputs + 1;
            near.emplace_back(widen + distance, k);
        }
    }
    std::stable_sort(near.begin(), near.end());
    std::vector<uint64_t> trial(static_cast<size_t>(FIn));
    std::vector<uint64_t> trialOutputs(static_cast<size_t>(outWords));
    for (const auto& [distance, k] : near) {
        for (int w = 0; w < FIn; ++w) {
            const uint64_t outside = cover[k][w] & ~x[w];
            trial[static_cast<size_t>(w)] =
                raised[static_cast<size_t>(w)] | ((outside | (outside >> 1)) & FieldLo);
        }
        for (int w = 0; w < outWords; ++w) {
            trialOutputs[static_cast<size_t>(w)] =
                outputs[static_cast<size_t>(w)] | cover[k][FIn + w];
        }
        if (Feasible(conflicts, rowOutput, trial, trialOutputs.data())) {
            raised = trial;
            outputs = trialOutputs;
        }
    }
    // Then input by input, those that keep x from the fewest OFF cubes first.
    std::vector<std::pair<int, int>> order;
    for (int input = 0; input < FFunction.Inputs; ++input) {
        const uint64_t bit = uint64_t{1} << (2 * (input % 32));
        const size_t w = static_cast<size_t>(input / 32);
        if (Field(x, input) == 3 || (raised[w] & bit) != 0 || (pinned[w] & bit) != 0) {
            continue;
        }
        int count = 0;
        for (size_t r = 0; r < rows; ++r) {
            count += HasOutput(outputs.data(), 0, rowOutput[r]) &&
                             (conflicts[r * static_cast<size_t>(FIn) + w] & bit) != 0
                         ? 1
                         : 0;
        }
        order.emplace_back(count, input);
    }
    std::stable_sort(order.begin(), order.end());
    for (const auto& [count, input] : order) {
        trial = raised;
        trial[static_cast<size_t>(input / 32)] |= uint64_t{1} << (2 * (input % 32));
        if (Feasible(conflicts, rowOutput, trial, outputs.data())) {
            raised = trial;
        }
    }
    std::copy(outputs.begin(), outputs.end(), x + FIn);
    for (int w = 0; w < FIn; ++w) {
        x[w] |= raised[static_cast<size_t>(w)] | (raised[static_cast<size_t>(w)] << 1);
    }
    for (int j = 0; j < FOutputs; ++j) {
        const TWideCubes& off = FOff[static_cast<size_t>(j)];
        bool apart = true;
        for (size_t r = 0; r < off.Size() && apart; ++r) {
            apart = !InputsMeet(x, off[r], FIn);
        }
        if (apart) {
            x[FIn + j / 64] |= uint64_t{1} << (j % 64);
        }
    }
}

}  // namespace

TWideCover MinimizeWide(const TWideFunction& function, const TWideOptions& options) {
    TMinimizer minimizer(function, options);
    TWideCubes cover = function.On;
    if (options.Progress != nullptr) {
        options.Progress->setMax(100);
    }
    bool finished = false;
    if (minimizer.TimeLeft()) {
        minimizer.MakeOffSets();
        finished = minimizer.Expand(cover);
    }
    minimizer.Irredundant(cover, false);
    TWideCubes best = cover;
    if (options.Found) {
        options.Found(best.Size());
    }
    // Terms, then letters: a pass that only drops letters may open the way for the next.
    const auto cost = [in = InputWords(function.Inputs)](const TWideCubes& cubes) {
        size_t letters = 0;
        for (size_t i = 0; i < cubes.Size(); ++i) {
            letters += static_cast<size_t>(in * 32 - FreeFields(cubes[i], in));
        }
        return std::make_pair(cubes.Size(), letters);
    };
    while (finished && minimizer.TimeLeft()) {
        if (options.Progress != nullptr) {
            options.Progress->setPosition(50);
        }
        minimizer.Reduce(cover);
        finished = minimizer.Expand(cover);
        minimizer.Irredundant(cover, false);
        if (cost(cover) >= cost(best)) {
            if (cover.Size() == best.Size()) {
                best = cover;
            }
            if (!finished || !minimizer.LastGasp(cover)) {
                break;
            }
            finished = minimizer.Expand(cover);
            minimizer.Irredundant(cover, false);
            if (cost(cover) >= cost(best)) {
                break;
            }
        }
        best = cover;
        if (options.Found) {
            options.Found(best.Size());
        }
    }
    // Passes in other orders from the best cover, while they find better ones now and then.
    minimizer.Shuffle = true;
    for (int idle = 0; finished && idle < MaxIdlePasses && minimizer.TimeLeft(); ++idle) {
        cover = best;
        minimizer.Reduce(cover);
        finished = minimizer.Expand(cover);
        minimizer.Irredundant(cover, false);
        if (finished && cost(cover) < cost(best)) {
            best = cover;
            idle = 0;
            if (options.Found) {
                options.Found(best.Size());
            }
        }
    }
    minimizer.Irredundant(best, true);
    if (options.Progress != nullptr) {
        options.Progress->setPosition(100);
    }
    TWideCover result;
    result.LowerBound = minimizer.Off().empty()
                            ? (best.Empty() ? 0 : 1)
                            : WitnessBound(best, minimizer.Off(), minimizer.Dc(), function.Outputs);
    result.Proven = result.LowerBound == best.Size();
    result.Terms = std::move(best);
    return result;
}
