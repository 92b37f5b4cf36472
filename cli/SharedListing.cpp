// Listing shared primes: compact while found and sorted, written a piece at a time.
#include "cli/SharedListing.h"

#include <utility>
#include <vector>

#include "cli/CommandError.h"
#include "model/Cube.h"

namespace {

// A PLA, Verilog, VHDL or C unit of more than this many terms or connections takes more than
// about a gigabyte while it is written.
constexpr size_t MaxUnitTerms = 1'000'000;
constexpr size_t MaxUnitConnections = 8'000'000;
constexpr size_t Piece = size_t{1} << 20;

// Appends the prime's line, and hands the text to write once it makes a piece.
void AddLine(const TFunctionSet& set, TCube cube, const uint64_t* outputs, std::string& text,
             const std::function<void(const std::string&)>& write) {
    text += cube.Care == 0 ? std::string("HI") : CubeTerm(cube, set.Inputs);
    text += ' ';
    for (size_t i = 0; i < set.Outputs.size(); ++i) {
        text += ((outputs[i / 64] >> (i % 64)) & 1u) != 0 ? '1' : '0';
    }
    text += '\n';
    if (text.size() >= Piece) {
        write(text);
        text.clear();
    }
}

}  // namespace

TSharedPrimes FindListedPrimes(const TFunctionSet& set) {
    const size_t perPrime = sizeof(TCube) + sizeof(uint64_t) * OutputWords(OutputCount(set)) +
                            sizeof(std::pair<TCodeKey, size_t>) + sizeof(size_t);
    return FindSharedPrimes(set, nullptr, ListedPrimesBytes / perPrime);
}

void WriteSharedPrimes(const TFunctionSet& set, const TSharedPrimes& primes,
                       const std::function<void(const std::string&)>& write) {
    std::string text;
    if (!primes.Complete) {
        VisitSharedPrimes(set, [&](TCube cube, const uint64_t* outputs) {
            AddLine(set, cube, outputs, text, write);
        });
        write(text);
        return;
    }
    if (primes.size() == 0) {
        write("LO\n");
        return;
    }
    for (const size_t p : CodeOrder(primes.Cubes, set.Inputs)) {
        AddLine(set, primes.Cubes[p], primes.OutputsOf(p), text, write);
    }
    write(text);
}

void CheckUnitSize(const TSharedPrimes& primes) {
    const size_t connections = BitCount(primes.Outputs);
    if (!primes.Complete || primes.size() > MaxUnitTerms || connections > MaxUnitConnections) {
        const std::string count =
            (primes.Complete ? "" : "at least ") + std::to_string(primes.size());
        throw TCommandError{count +
                            " prime implicants: too many for one unit; --format terms lists them"};
    }
}
