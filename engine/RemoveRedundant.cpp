// Absorption on bit-mask terms: a trie of the surviving terms' literals, shortest terms first.
#include "engine/RemoveRedundant.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "model/State.h"

namespace {

// Literal 2j is variable bit j in upper case, 2j + 1 the same variable in lower case.
uint32_t Literals(TTermBits term) {
    uint32_t literals = 0;
    for (uint32_t care = term.Care; care != 0; care &= care - 1) {
        const int j = std::countr_zero(care);
        literals |= 1u << (2 * j + ((term.Hi >> j & 1u) != 0 ? 0 : 1));
    }
    return literals;
}

// Sorts as the sequences of set bits, lowest first, compare; a prefix sorts first.
bool LiteralSequenceLess(uint32_t a, uint32_t b) {
    const uint32_t differ = a ^ b;
    if (differ == 0) {
        return false;
    }
    const int d = std::countr_zero(differ);
    // Below d both agree; the one holding d goes first unless the other has ended.
    return (a >> d & 1u) != 0 ? (b >> d) != 0 : (a >> d) == 0;
}

// Trie over literal sets in ascending literal order. A term reaches a leaf by following only
// literals it holds exactly when a stored set is a subset of its own: the stored term covers it.
class TLiteralTrie {
  public:
    // The sets must be free of subsets of one another: a leaf ends the search below it.
    void Build(std::vector<uint32_t> sets) {
        FNodes.clear();
        FNodes.push_back({});
        if (sets.empty()) {
            FEmpty = true;
            return;
        }
        FEmpty = false;
        std::sort(sets.begin(), sets.end(), LiteralSequenceLess);
        struct TPending {
            int32_t Node;
            size_t Lo;
            size_t Hi;
            int Next;  // the first literal not yet consumed on the way to this node
        };
        std::vector<TPending> queue{{0, 0, sets.size(), 0}};
        for (size_t q = 0; q < queue.size(); ++q) {
            const TPending at = queue[q];
            const uint32_t rest = at.Next >= 32 ? 0u : ~0u << at.Next;
            if ((sets[at.Lo] & rest) == 0) {
                FNodes[static_cast<size_t>(at.Node)].Leaf = true;
                continue;
            }
            // Children are made one after another, so the child mask's rank finds them.
            FNodes[static_cast<size_t>(at.Node)].FirstChild = static_cast<int32_t>(FNodes.size());
            for (size_t i = at.Lo; i < at.Hi;) {
                const int literal = std::countr_zero(sets[i] & rest);
                size_t j = i + 1;
                while (j < at.Hi && std::countr_zero(sets[j] & rest) == literal) {
                    ++j;
                }
                FNodes[static_cast<size_t>(at.Node)].Children |= 1u << literal;
                queue.push_back({static_cast<int32_t>(FNodes.size()), i, j, literal + 1});
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
            const uint32_t below = (follow & (0u - follow)) - 1;
            const auto child = node.FirstChild + std::popcount(node.Children & below);
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
uint32_t PositionalKey(TTermBits term) {
    uint32_t key = 0;
    for (uint32_t care = term.Care; care != 0; care &= care - 1) {
        const int j = std::countr_zero(care);
        key |= ((term.Hi >> j & 1u) != 0 ? 1u : 2u) << (2 * j);
    }
    return key;
}

}  // namespace

std::vector<bool> AbsorbedTerms(const std::vector<TTermBits>& terms) {
    // A coverer names fewer letters than what it covers, and a covered coverer has a
    // surviving coverer of its own, so each term is checked only against shorter survivors.
    std::array<std::vector<size_t>, 33> byLetters;
    for (size_t i = 0; i < terms.size(); ++i) {
        byLetters[static_cast<size_t>(std::popcount(terms[i].Care))].push_back(i);
    }
    std::vector<bool> absorbed(terms.size());
    std::vector<uint32_t> survivors;
    TLiteralTrie trie;
    for (const auto& group : byLetters) {
        if (group.empty()) {
            continue;
        }
        const size_t before = survivors.size();
        for (const size_t i : group) {
            const uint32_t literals = Literals(terms[i]);
            if (trie.HoldsSubsetOf(literals)) {
                absorbed[i] = true;
            } else {
                survivors.push_back(literals);
            }
        }
        if (survivors.size() != before) {
            trie.Build(survivors);
        }
    }
    return absorbed;
}

std::vector<TTermBits> RemoveRedundantTerms(std::vector<TTermBits> terms) {
    struct TKeyed {
        uint32_t Key;
        TTermBits Term;
    };
    std::vector<TKeyed> work;
    work.reserve(terms.size());
    for (TTermBits term : terms) {
        term.Hi &= term.Care;
        work.push_back({PositionalKey(term), term});
    }
    std::sort(work.begin(), work.end(),
              [](const TKeyed& a, const TKeyed& b) { return a.Key < b.Key; });
    work.erase(std::unique(work.begin(), work.end(),
                           [](const TKeyed& a, const TKeyed& b) { return a.Key == b.Key; }),
               work.end());
    terms.clear();
    for (const TKeyed& item : work) {
        terms.push_back(item.Term);
    }
    const std::vector<bool> absorbed = AbsorbedTerms(terms);
    const bool changed = std::find(absorbed.begin(), absorbed.end(), true) != absorbed.end();

    // A coverer sorts before what it covers, so the pairwise passes mark an absorbed item
    // before their outer loop reaches it: the gauge sees the survivors, once more when a pass
    // changed something.
    const int count = static_cast<int>(terms.size());
    TProgressSink* gauge = ProgramState.KmapGauge;
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

    std::vector<TTermBits> survivors;
    for (size_t i = 0; i < terms.size(); ++i) {
        if (!absorbed[i]) {
            survivors.push_back(terms[i]);
        }
    }
    return survivors;
}

void AssignCompactTerms(const std::vector<TTermBits>& terms, TStringListAdv& destination) {
    std::vector<std::string> compact;
    compact.reserve(terms.size());
    for (const TTermBits term : terms) {
        if (term.Care != 0) {
            compact.push_back(CompactOf(term));
        }
    }
    std::sort(compact.begin(), compact.end());
    destination.Clear();
    for (const auto& term : compact) {
        destination.Add(term);
    }
}

void RemoveRedundant(const TStringListAdv& source, TStringListAdv& destination) {
    std::vector<TTermBits> terms;
    terms.reserve(static_cast<size_t>(source.Count()));
    for (int i = 0; i < source.Count(); ++i) {
        terms.push_back(PositionalBits(source.Strings(i)));
    }
    AssignCompactTerms(RemoveRedundantTerms(std::move(terms)), destination);
}
