// Absorption on bit-mask terms: a trie of the surviving terms' literals, shortest terms first.
#include "engine/RemoveRedundant.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "model/Letters.h"

namespace {

// Without a popcount instruction in the target, std::popcount becomes a library call.
int BitCount(uint32_t x) {
    x = x - ((x >> 1) & 0x55555555u);
    x = (x & 0x33333333u) + ((x >> 2) & 0x33333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0Fu;
    return static_cast<int>((x * 0x01010101u) >> 24);
}

// Variable bit j in upper case is bit 31 - 2j, in lower case bit 30 - 2j.
uint32_t Literals(TCube term) {
    uint32_t literals = 0;
    for (uint32_t care = term.Care; care != 0; care &= care - 1) {
        const int j = std::countr_zero(care);
        literals |= 1u << (31 - 2 * j - ((term.Hi >> j & 1u) != 0 ? 0 : 1));
    }
    return literals;
}

// Trie over literal sets, highest literal first. A term reaches a leaf by following only
// literals it holds exactly when a stored set is a subset of its own: the stored term covers it.
class TLiteralTrie {
  public:
    // The sets must be free of subsets of one another (a leaf ends the search below it) and
    // in descending order, which then is their order as sequences of literals.
    void Build(const std::vector<uint32_t>& sets) {
        FNodes.clear();
        FNodes.push_back({});
        if (sets.empty()) {
            FEmpty = true;
            return;
        }
        FEmpty = false;
        struct TPending {
            int32_t Node;
            size_t Lo;
            size_t Hi;
            int Below;  // literals below this one are not yet consumed on the way here
        };
        std::vector<TPending> queue{{0, 0, sets.size(), 32}};
        for (size_t q = 0; q < queue.size(); ++q) {
            const TPending at = queue[q];
            const uint32_t rest = at.Below >= 32 ? ~0u : (1u << at.Below) - 1;
            // The smallest set of the range is the one that may have ended here.
            if ((sets[at.Hi - 1] & rest) == 0) {
                FNodes[static_cast<size_t>(at.Node)].Leaf = true;
                continue;
            }
            // Children are made one after another, so the child mask's rank finds them.
            FNodes[static_cast<size_t>(at.Node)].FirstChild = static_cast<int32_t>(FNodes.size());
            for (size_t i = at.Lo; i < at.Hi;) {
                const int literal = static_cast<int>(std::bit_width(sets[i] & rest)) - 1;
                size_t j = i + 1;
                while (j < at.Hi &&
                       static_cast<int>(std::bit_width(sets[j] & rest)) - 1 == literal) {
                    ++j;
                }
                FNodes[static_cast<size_t>(at.Node)].Children |= 1u << literal;
                queue.push_back({static_cast<int32_t>(FNodes.size()), i, j, literal});
                FNodes.push_back({});
                i = j;
            }
        }
    }

    bool HoldsSubsetOf(uint32_t literals) const { return !FEmpty && Search(0, literals); }

  private:
    struct TNode {
        uint32_t Children = 0;  // literal bits that have a child
        int32_t FirstChild = 0;
        bool Leaf = false;
    };

    bool Search(int32_t index, uint32_t literals) const {
        const TNode& node = FNodes[static_cast<size_t>(index)];
        if (node.Leaf) {
            return true;
        }
        for (uint32_t follow = node.Children & literals; follow != 0; follow &= follow - 1) {
            const uint32_t upTo = ((follow & (0u - follow)) << 1) - 1;
            const auto child = node.FirstChild + BitCount(node.Children & ~upTo);
            if (Search(child, literals)) {
                return true;
            }
        }
        return false;
    }

    std::vector<TNode> FNodes;
    bool FEmpty = true;
};

// Digits "1" = 0, upper = 1, lower = 2 with variable A the most significant: the order of the
// positional strings.
uint32_t PositionalKey(TCube term) {
    uint32_t key = 0;
    for (uint32_t care = term.Care; care != 0; care &= care - 1) {
        const int j = std::countr_zero(care);
        key |= ((term.Hi >> j & 1u) != 0 ? 1u : 2u) << (2 * j);
    }
    return key;
}

TCube FromPositionalKey(uint32_t key) {
    TCube term;
    for (; key != 0; key &= key - 1) {
        const int b = std::countr_zero(key);
        term.Care |= 1u << (b / 2);
        if (b % 2 == 0) {
            term.Hi |= 1u << (b / 2);
        }
    }
    return term;
}

// Least significant digit first, 11 bits at a time: products run to tens of thousands.
void SortKeys(std::vector<uint32_t>& keys) {
    if (keys.size() < 256) {
        std::sort(keys.begin(), keys.end());
        return;
    }
    std::vector<uint32_t> buffer(keys.size());
    std::vector<size_t> starts(2049);
    for (int shift = 0; shift < 32; shift += 11) {
        std::fill(starts.begin(), starts.end(), 0);
        for (const uint32_t key : keys) {
            ++starts[((key >> shift) & 2047u) + 1];
        }
        for (size_t d = 1; d < starts.size(); ++d) {
            starts[d] += starts[d - 1];
        }
        for (const uint32_t key : keys) {
            buffer[starts[(key >> shift) & 2047u]++] = key;
        }
        keys.swap(buffer);
    }
}

}  // namespace

std::vector<bool> AbsorbedTerms(const std::vector<TCube>& terms) {
    // A coverer names fewer letters than what it covers, and a covered coverer has a
    // surviving coverer of its own, so each term is checked only against shorter survivors.
    std::array<std::vector<size_t>, 33> byLetters;
    for (size_t i = 0; i < terms.size(); ++i) {
        byLetters[static_cast<size_t>(BitCount(terms[i].Care))].push_back(i);
    }
    std::vector<bool> absorbed(terms.size());
    std::vector<uint32_t> survivors;
    TLiteralTrie trie;
    size_t inTrie = 0;
    for (const auto& group : byLetters) {
        if (group.empty()) {
            continue;
        }
        // Built only when a group needs it, so the last group's survivors cost no build.
        if (survivors.size() != inTrie) {
            const auto middle = survivors.begin() + static_cast<std::ptrdiff_t>(inTrie);
            std::sort(middle, survivors.end(), std::greater<>());
            std::inplace_merge(survivors.begin(), middle, survivors.end(), std::greater<>());
            trie.Build(survivors);
            inTrie = survivors.size();
        }
        for (const size_t i : group) {
            const uint32_t literals = Literals(terms[i]);
            if (trie.HoldsSubsetOf(literals)) {
                absorbed[i] = true;
            } else {
                survivors.push_back(literals);
            }
        }
    }
    return absorbed;
}

void SortPositional(std::vector<TCube>& terms) {
    std::vector<uint32_t> keys;
    keys.reserve(terms.size());
    for (const TCube term : terms) {
        keys.push_back(PositionalKey(term));
    }
    SortKeys(keys);
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    terms.clear();
    for (const uint32_t key : keys) {
        terms.push_back(FromPositionalKey(key));
    }
}

std::vector<TCube> RemoveRedundantTerms(std::vector<TCube> terms, TProgressSink* gauge) {
    SortPositional(terms);
    return RemoveRedundantSorted(terms, gauge);
}

std::vector<TCube> RemoveRedundantSorted(const std::vector<TCube>& terms, TProgressSink* gauge) {
    const std::vector<bool> absorbed = AbsorbedTerms(terms);
    const bool changed = std::find(absorbed.begin(), absorbed.end(), true) != absorbed.end();

    // A coverer sorts before what it covers, so the pairwise passes mark an absorbed item
    // before their outer loop reaches it: the gauge sees the survivors, once more when a pass
    // changed something.
    const int count = static_cast<int>(terms.size());
    if (gauge != nullptr) {
        gauge->setMax(count);
        for (int pass = 0; pass < (changed ? 2 : 1); ++pass) {
            for (int i = 0; i <= count - 2; i += 10) {
                if (!absorbed[static_cast<size_t>(i)]) {
                    gauge->setPosition(i);
                }
            }
        }
        gauge->setPosition(count);
    }

    std::vector<TCube> survivors;
    for (size_t i = 0; i < terms.size(); ++i) {
        if (!absorbed[i]) {
            survivors.push_back(terms[i]);
        }
    }
    return survivors;
}

void AssignCompactTerms(const std::vector<TCube>& terms, int n, TStringListAdv& destination) {
    // Sorted as keys, which spare the cubes: the result lists run to millions.
    std::vector<TCodeKey> keys;
    keys.reserve(terms.size());
    for (const TCube term : terms) {
        if (term.Care != 0) {
            keys.push_back(CodeKey(term, n));
        }
    }
    std::sort(keys.begin(), keys.end());
    destination.Clear();
    // In code order: a sorted destination would add each at its end, so the bisection is skipped.
    for (const TCodeKey& key : keys) {
        destination.Insert(destination.Count(), KeyTerm(key));
    }
}

void RemoveRedundant(const TStringListAdv& source, TStringListAdv& destination, int n,
                     TProgressSink* gauge) {
    std::vector<TCube> terms;
    terms.reserve(static_cast<size_t>(source.Count()));
    for (int i = 0; i < source.Count(); ++i) {
        terms.push_back(PositionalBits(source.Strings(i), n));
    }
    AssignCompactTerms(RemoveRedundantTerms(std::move(terms), gauge), n, destination);
}
