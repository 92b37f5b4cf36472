// Primes by consensus one variable at a time (Tison): each input once, then the outputs, taken as
// one variable of many values, until no consensus adds a cube.
#include "engine/wide/WidePrimes.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

// Ends the walk once the time is up, the caller stops it or the cubes take too many words.
class TGuard {
  public:
    TGuard(int64_t budgetMs, size_t maxBytes, const std::function<bool()>& keepGoing)
        : FEnd(TClock::now() + std::chrono::milliseconds(budgetMs)),
          FMaxWords(maxBytes / sizeof(uint64_t)),
          FKeepGoing(keepGoing) {}

    // The clock is read now and then only: a check is far cheaper than a consensus.
    bool Fits(size_t cubes, int stride) {
        if (cubes * static_cast<size_t>(stride) > FMaxWords) {
            FStopped = true;
        } else if (FTicks++ % 1024 == 0 &&
                   (TClock::now() > FEnd || (FKeepGoing && !FKeepGoing()))) {
            FStopped = true;
        }
        return !FStopped;
    }
    bool Stopped() const { return FStopped; }

  private:
    TClock::time_point FEnd;
    size_t FMaxWords;
    const std::function<bool()>& FKeepGoing;
    size_t FTicks = 0;
    bool FStopped = false;
};

bool Contains(const uint64_t* a, const uint64_t* b, int stride) {
    for (int w = 0; w < stride; ++w) {
        if ((a[w] & b[w]) != b[w]) {
            return false;
        }
    }
    return true;
}

// Whether the cube has an input field 00 or no output.
bool IsEmpty(const uint64_t* c, int inWords, int stride) {
    for (int w = 0; w < inWords; ++w) {
        if (((c[w] | (c[w] >> 1)) & FieldLo) != FieldLo) {
            return true;
        }
    }
    for (int w = inWords; w < stride; ++w) {
        if (c[w] != 0) {
            return false;
        }
    }
    return true;
}

// Leaves each cube no other one contains, equal cubes once. A cube holds at least as many bits
// as any cube it contains, so the larger come first and a cube meets only those that may hold it.
TWideCubes Largest(const TWideCubes& cubes, TGuard& guard) {
    const int stride = cubes.Stride();
    std::vector<std::pair<int, size_t>> order;
    order.reserve(cubes.Size());
    for (size_t i = 0; i < cubes.Size(); ++i) {
        int bits = 0;
        for (int w = 0; w < stride; ++w) {
            bits += std::popcount(cubes[i][w]);
        }
        order.emplace_back(-bits, i);
    }
    std::sort(order.begin(), order.end());
    TWideCubes kept(cubes.Inputs(), stride);
    for (const auto& [bits, i] : order) {
        bool held = false;
        for (size_t k = 0; k < kept.Size() && !held; ++k) {
            held = Contains(kept[k], cubes[i], stride);
        }
        if (!held) {
            kept.Add(cubes[i]);
        }
        if (!guard.Fits(kept.Size(), stride)) {
            break;
        }
    }
    return kept;
}

void AddAll(TWideCubes& to, const TWideCubes& from) {
    for (size_t i = 0; i < from.Size(); ++i) {
        to.Add(from[i]);
    }
}

// Consensus on one input: a cube with it 0 and one with it 1 give their meet with it free.
TWideCubes InputConsensus(const TWideCubes& cubes, int input, TGuard& guard) {
    const int stride = cubes.Stride();
    std::vector<size_t> sides[2];
    for (size_t i = 0; i < cubes.Size(); ++i) {
        const int field = Field(cubes[i], input);
        if (field != 3) {
            sides[field - 1].push_back(i);
        }
    }
    TWideCubes made(cubes.Inputs(), stride);
    std::vector<uint64_t> c(static_cast<size_t>(stride));
    for (const size_t z : sides[0]) {
        for (const size_t o : sides[1]) {
            for (int w = 0; w < stride; ++w) {
                c[static_cast<size_t>(w)] = cubes[z][w] & cubes[o][w];
            }
            SetField(c.data(), input, 3);
            if (!IsEmpty(c.data(), cubes.InWords(), stride)) {
                made.Add(c.data());
            }
            if (!guard.Fits(cubes.Size() + made.Size(), stride)) {
                return made;
            }
        }
    }
    return made;
}

// Whether each of the cubes feeds an output the other does not: else their consensus on the
// outputs lies in one of them.
bool OutputsCross(const uint64_t* a, const uint64_t* b, int inWords, int stride) {
    bool aOnly = false;
    bool bOnly = false;
    for (int w = inWords; w < stride; ++w) {
        aOnly = aOnly || (a[w] & ~b[w]) != 0;
        bOnly = bOnly || (b[w] & ~a[w]) != 0;
    }
    return aOnly && bOnly;
}

// Consensus on the outputs: cubes whose inputs meet feed the outputs of both on their meet.
// Each round pairs the cubes the last one added with all; it ends when a round adds none.
TWideCubes OutputClosure(TWideCubes cubes, TGuard& guard) {
    const int stride = cubes.Stride();
    const int inWords = cubes.InWords();
    TWideCubes recent = cubes;
    std::vector<uint64_t> c(static_cast<size_t>(stride));
    const size_t bytes = static_cast<size_t>(stride) * sizeof(uint64_t);
    while (!recent.Empty() && !guard.Stopped()) {
        TWideCubes made(cubes.Inputs(), stride);
        std::unordered_set<std::string> seen;
        // A cube seen costs its words and a node of the set, together less than four cubes.
        const auto fits = [&] {
            return guard.Fits(cubes.Size() + made.Size() + 4 * seen.size(), stride);
        };
        for (size_t r = 0; r < recent.Size() && fits(); ++r) {
            for (size_t i = 0; i < cubes.Size(); ++i) {
                const uint64_t* a = recent[r];
                const uint64_t* b = cubes[i];
                if (!OutputsCross(a, b, inWords, stride) || !InputsMeet(a, b, inWords)) {
                    continue;
                }
                for (int w = 0; w < stride; ++w) {
                    c[static_cast<size_t>(w)] = w < inWords ? a[w] & b[w] : a[w] | b[w];
                }
                // Many pairs give the same cube; it is looked for among the cubes once.
                if (!seen.emplace(reinterpret_cast<const char*>(c.data()), bytes).second) {
                    continue;
                }
                bool held = false;
                for (size_t k = 0; k < cubes.Size() && !held; ++k) {
                    held = Contains(cubes[k], c.data(), stride);
                }
                if (!held) {
                    made.Add(c.data());
                }
                if (!fits()) {
                    break;
                }
            }
        }
        recent = Largest(made, guard);
        AddAll(cubes, recent);
        cubes = Largest(cubes, guard);
    }
    return cubes;
}

// Input parts of the cubes that feed the output.
TWideCubes InputsOfOutput(const TWideCubes& cubes, int output) {
    TWideCubes parts(cubes.Inputs(), cubes.InWords());
    for (size_t i = 0; i < cubes.Size(); ++i) {
        if (HasOutput(cubes[i], cubes.InWords(), output)) {
            parts.Add(cubes[i]);
        }
    }
    return parts;
}

// Whether the prime holds a minterm that is ON, not a don't care, for one of its outputs.
bool HoldsOn(const uint64_t* prime, const TWideFunction& function,
             const std::vector<TWideCubes>& dc) {
    const int inWords = InputWords(function.Inputs);
    std::vector<uint64_t> meet(static_cast<size_t>(inWords));
    for (int j = 0; j < function.Outputs; ++j) {
        if (!HasOutput(prime, inWords, j)) {
            continue;
        }
        for (size_t i = 0; i < function.On.Size(); ++i) {
            const uint64_t* on = function.On[i];
            if (!HasOutput(on, inWords, j) || !InputsMeet(prime, on, inWords)) {
                continue;
            }
            for (int w = 0; w < inWords; ++w) {
                meet[static_cast<size_t>(w)] = prime[w] & on[w];
            }
            const TWideCubes& dcj = dc[static_cast<size_t>(j)];
            if (dcj.Empty() || !CoversCube(dcj, meet.data())) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

TWidePrimes FindWidePrimes(const TWideFunction& function, int64_t budgetMs, size_t maxBytes,
                           const std::function<bool()>& keepGoing) {
    TGuard guard(budgetMs, maxBytes, keepGoing);
    TWideCubes all = function.On;
    AddAll(all, function.Dc);
    TWideCubes cubes = Largest(all, guard);
    for (int k = 0; k < function.Inputs && !guard.Stopped(); ++k) {
        const TWideCubes made = InputConsensus(cubes, k, guard);
        if (!made.Empty()) {
            AddAll(cubes, made);
            cubes = Largest(cubes, guard);
        }
    }
    if (function.Outputs > 1) {
        cubes = OutputClosure(std::move(cubes), guard);
    }
    std::vector<TWideCubes> dc;
    for (int j = 0; j < function.Outputs; ++j) {
        dc.push_back(InputsOfOutput(function.Dc, j));
    }
    TWidePrimes primes;
    primes.Primes = TWideCubes(function.Inputs, function.On.Stride());
    for (size_t i = 0; i < cubes.Size() && guard.Fits(i, 0); ++i) {
        if (HoldsOn(cubes[i], function, dc)) {
            primes.Primes.Add(cubes[i]);
        }
    }
    primes.Complete = !guard.Stopped();
    if (!primes.Complete) {
        primes.Primes.Clear();
    }
    return primes;
}

void SortWideCubes(TWideCubes& cubes) {
    const int inWords = cubes.InWords();
    const int outputs = (cubes.Stride() - inWords) * 64;
    std::vector<std::pair<std::string, size_t>> keys;
    keys.reserve(cubes.Size());
    for (size_t i = 0; i < cubes.Size(); ++i) {
        std::string key;
        for (int k = 0; k < cubes.Inputs(); ++k) {
            key += "?bac"[Field(cubes[i], k)];
        }
        for (int j = 0; j < outputs; ++j) {
            key += HasOutput(cubes[i], inWords, j) ? 'a' : 'b';
        }
        keys.emplace_back(std::move(key), i);
    }
    std::sort(keys.begin(), keys.end());
    TWideCubes sorted(cubes.Inputs(), cubes.Stride());
    sorted.Reserve(cubes.Size());
    for (const auto& key : keys) {
        sorted.Add(cubes[key.second]);
    }
    cubes = std::move(sorted);
}
