// A function set's shared cover and its primes as design units for the writers.
#include "engine/shared/SharedCover.h"

#include <algorithm>

#include "model/Pla.h"

namespace {

// Cube p's term over the set's inputs, with the outputs it feeds given by feeds(p, i).
template <typename Feeds>
TDesignUnit UnitOf(const TFunctionSet& set, const std::vector<TCube>& cubes, Feeds feeds,
                   std::string name) {
    const int n = set.Inputs;
    TDesignUnit unit;
    unit.Name = std::move(name);
    unit.Inputs = n;
    unit.InputNames = set.InputNames;
    unit.Uses.resize(set.Outputs.size());
    for (const size_t p : CodeOrder(cubes, n)) {
        for (size_t i = 0; i < set.Outputs.size(); ++i) {
            if (feeds(p, i)) {
                unit.Uses[i].push_back(unit.Terms.size());
            }
        }
        unit.Terms.push_back(cubes[p]);
    }
    for (const TOutputFunction& output : set.Outputs) {
        unit.OutputNames.push_back(output.Name);
        unit.DontCares.push_back(CubesOfSet(output.Dc, n));
    }
    return unit;
}

}  // namespace

TDesignUnit SharedCoverUnit(const TFunctionSet& set, const TSharedCover& cover, std::string name) {
    return UnitOf(
        set, cover.Terms, [&](size_t t, size_t i) { return cover.FeedsOutput(t, i); },
        std::move(name));
}

TDesignUnit SharedPrimesUnit(const TFunctionSet& set, const TSharedPrimes& primes,
                             std::string name) {
    return UnitOf(
        set, primes.Cubes, [&](size_t p, size_t i) { return primes.Feeds(p, i); }, std::move(name));
}
