// Listing shared primes: compact while found and sorted, written a piece at a time.
#include "cli/SharedListing.h"

#include <algorithm>
#include <array>
#include <bit>
#include <utility>
#include <vector>

#include "cli/CommandError.h"

namespace {

// A PLA, Verilog, VHDL or C unit of more than this many terms or connections takes more than
// about a gigabyte while it is written.
constexpr size_t MaxUnitTerms = 1'000'000;
constexpr size_t MaxUnitConnections = 8'000'000;
constexpr size_t Piece = size_t{1} << 20;

// The compact term's characters, padded with zeros: compared as bytes, keys sort as the terms do.
using TTermKey = std::array<char, 16>;

TTermKey KeyOf(TCube cube, int n) {
    TTermKey key{};
    size_t at = 0;
    for (int k = 1; k <= n; ++k) {
        const uint32_t bit = 1u << (n - k);
        if ((cube.Care & bit) != 0) {
            key[at++] = static_cast<char>(((cube.Hi & bit) != 0 ? 'A' : 'a') + k - 1);
        }
    }
    return key;
}

// Appends the prime's line, and hands the text to write once it makes a piece.
void AddLine(const TFunctionSet& set, TCube cube, const uint64_t* outputs, std::string& text,
             const std::function<void(const std::string&)>& write) {
    const TTermKey key = KeyOf(cube, set.Inputs);
    const auto letters = static_cast<size_t>(std::find(key.begin(), key.end(), 0) - key.begin());
    text += letters == 0 ? std::string_view("HI") : std::string_view(key.data(), letters);
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
                            sizeof(std::pair<TTermKey, uint32_t>);
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
    std::vector<std::pair<TTermKey, uint32_t>> order;
    order.reserve(primes.size());
    for (size_t p = 0; p < primes.size(); ++p) {
        order.emplace_back(KeyOf(primes.Cubes[p], set.Inputs), static_cast<uint32_t>(p));
    }
    std::sort(order.begin(), order.end());
    for (const auto& entry : order) {
        AddLine(set, primes.Cubes[entry.second], primes.OutputsOf(entry.second), text, write);
    }
    write(text);
}

void CheckUnitSize(const TSharedPrimes& primes) {
    size_t connections = 0;
    for (const uint64_t w : primes.Outputs) {
        connections += static_cast<size_t>(std::popcount(w));
    }
    if (!primes.Complete || primes.size() > MaxUnitTerms || connections > MaxUnitConnections) {
        const std::string count =
            (primes.Complete ? "" : "at least ") + std::to_string(primes.size());
        throw TCommandError{count +
                            " prime implicants: too many for one unit; --format terms lists them"};
    }
}
