// The anytime driver of the wide minimizer: passes until none improves, then covers chosen
// from the cubes of every pass.
#include "engine/wide/WideMinimize.h"

#include <algorithm>

#include "engine/Sinks.h"
#include "engine/cover/CoverClock.h"
#include "engine/wide/WideBound.h"
#include "engine/wide/WideMinimizer.h"
#include "engine/wide/WidePrimes.h"
#include "engine/wide/WideSelect.h"

namespace {

// Passes in a random order without a better cover before the search stops.
constexpr int MaxIdlePasses = 20;
// Rounds of primes raised in random orders from the ON rows and the shrunk best cover.
constexpr int WanderRounds = 4;
// The most one choice from the pool may take: where covers of points converge slowly, the
// passes had better have the time.
constexpr int64_t MaxSelectMs = 1000;
// The primes listed for a proof may take this much memory.
constexpr size_t MaxProofPrimeBytes = size_t{256} << 20;

// A random minterm of each cube, with its outputs.
TWideCubes RandomPoints(const TWideCubes& cubes, std::mt19937_64& random) {
    TWideCubes points = cubes;
    for (size_t i = 0; i < points.Size(); ++i) {
        for (int k = 0; k < points.Inputs(); ++k) {
            if (Field(points[i], k) == 3) {
                SetField(points[i], k, 1 + static_cast<int>(random() & 1));
            }
        }
    }
    return points;
}

// Primes the passes may not reach: every ON row raised on its own, inputs first and outputs
// first, the best cover's cubes shrunk and raised again, random ON points, the last three also
// with inputs and outputs raised in random orders; and the rows of each output alone. Choose is
// called once the cheap primes are in and after each round in random orders, so a better cover
// is known long before the pool is full.
// Reduced starts as a copy of the best cover, which choose may replace.
void FillPool(TWideMinimizer& minimizer, const TWideFunction& function, TWideCubes reduced,
              TWidePool& pool, const std::function<void()>& choose) {
    pool.Gather(minimizer.ExpandEach(function.On));
    minimizer.Reduce(reduced);
    pool.Gather(minimizer.ExpandEach(reduced));
    minimizer.OutputsFirst = true;
    pool.Gather(minimizer.ExpandEach(function.On));
    pool.Gather(minimizer.ExpandEach(reduced));
    choose();
    minimizer.Wander = true;
    std::mt19937_64 random(1);
    for (int round = 0; round < WanderRounds; ++round) {
        minimizer.OutputsFirst = round % 2 == 0;
        pool.Gather(minimizer.ExpandEach(function.On));
        pool.Gather(minimizer.ExpandEach(reduced));
        pool.Gather(minimizer.ExpandEach(RandomPoints(function.On, random)));
        choose();
    }
    minimizer.Wander = false;
    minimizer.OutputsFirst = false;
    const int in = InputWords(function.Inputs);
    for (int j = 0; j < function.Outputs && minimizer.TimeLeft(); ++j) {
        TWideCubes single(function.On.Inputs(), function.On.Stride());
        for (size_t r = 0; r < function.On.Size(); ++r) {
            if (HasOutput(function.On[r], in, j)) {
                single.Add(function.On[r]);
                uint64_t* cube = single[single.Size() - 1];
                std::fill(cube + in, cube + single.Stride(), 0);
                cube[in + j / 64] |= uint64_t{1} << (j % 64);
            }
        }
        pool.Gather(minimizer.ExpandEach(single));
    }
}

}  // namespace

TWideCover MinimizeWide(const TWideFunction& function, const TWideOptions& options) {
    TWideMinimizer minimizer(function, options);
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
    TWidePool pool;
    pool.Gather(best);
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
        pool.Gather(best);
        if (options.Found) {
            options.Found(best.Size());
        }
    }
    // A choice from the pool once it has grown by a quarter since the last one: the choices
    // stay a small share of the work however large the pool gets.
    size_t chosenFrom = 0;
    const auto choose = [&] {
        if (!minimizer.TimeLeft() || pool.Cubes.Size() * 4 < chosenFrom * 5) {
            return;
        }
        chosenFrom = pool.Cubes.Size();
        TWideCubes chosen;
        const TCoverOptions select{std::min(minimizer.LeftMs(), MaxSelectMs), options.KeepGoing,
                                   nullptr};
        TCoverClock clock(select);
        if (SelectFromPool(pool.Cubes, function, minimizer.Dc(), best.Size(), clock, chosen) &&
            cost(chosen) < cost(best)) {
            best = std::move(chosen);
            if (options.Found) {
                options.Found(best.Size());
            }
        }
    };
    if (finished) {
        FillPool(minimizer, function, best, pool, choose);
    }
    // Passes in other orders from the best cover, while they find better ones now and then.
    minimizer.Shuffle = true;
    for (int idle = 0; finished && idle < MaxIdlePasses && minimizer.TimeLeft(); ++idle) {
        cover = best;
        minimizer.Reduce(cover);
        finished = minimizer.Expand(cover);
        minimizer.Irredundant(cover, false);
        // The cubes of every pass together may hold a smaller cover than any pass found.
        TWideCubes chosen;
        const TCoverOptions select{std::min(minimizer.LeftMs(), MaxSelectMs), options.KeepGoing,
                                   nullptr};
        TCoverClock clock(select);
        const bool grew = pool.Gather(cover) || idle == 0;
        if (finished && grew &&
            SelectFromPool(pool.Cubes, function, minimizer.Dc(),
                           std::min(cover.Size(), best.Size()), clock, chosen)) {
            cover = std::move(chosen);
        }
        if (finished && cost(cover) < cost(best)) {
            best = cover;
            idle = 0;
            if (options.Found) {
                options.Found(best.Size());
            }
        }
    }
    // Where every prime can be listed in part of the time left, covering with all of them proves
    // the minimum, or at least bounds it.
    size_t primesBound = 0;
    if (minimizer.TimeLeft()) {
        const TWidePrimes primes =
            FindWidePrimes(function, minimizer.LeftMs() / 2, MaxProofPrimeBytes, options.KeepGoing);
        const TCoverOptions exact{minimizer.LeftMs(), options.KeepGoing, nullptr};
        TCoverClock clock(exact);
        TPoolProof proof;
        TWideCubes chosen;
        if (primes.Complete && SelectFromPool(primes.Primes, function, minimizer.Dc(), best.Size(),
                                              clock, chosen, &proof)) {
            best = std::move(chosen);
            if (options.Found) {
                options.Found(best.Size());
            }
            primesBound = proof.Proven ? best.Size() : proof.Bound;
        } else if (primes.Complete) {
            primesBound = proof.Bound;
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
    result.LowerBound = std::max(result.LowerBound, std::min(primesBound, best.Size()));
    result.Proven = result.LowerBound == best.Size();
    result.Terms = std::move(best);
    return result;
}
