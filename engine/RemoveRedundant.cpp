// Absorption through a trie of positional terms, so large sums are not compared pair by pair.
#include "engine/RemoveRedundant.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/State.h"
#include "model/Terms.h"

namespace {

// Each position of a positional term holds "1", the upper-case or the lower-case letter.
int Branch(char c) {
    if (c == '1') {
        return 0;
    }
    return static_cast<unsigned char>(c) < 'a' ? 1 : 2;
}

class TTermTrie {
  public:
    explicit TTermTrie(size_t reserve) {
        FNodes.reserve(reserve);
        FNodes.push_back({});
    }

    void Insert(const std::string& term) {
        int32_t node = 0;
        for (const char c : term) {
            const int b = Branch(c);
            if (FNodes[node][b] == 0) {
                FNodes[node][b] = static_cast<int32_t>(FNodes.size());
                FNodes.push_back({});
            }
            node = FNodes[node][b];
        }
    }

    // True when another term of the trie covers the given one: "1" or the same letter
    // at every position, and "1" at some position where the term names a letter.
    bool Absorbed(const std::string& term) const { return Search(term, 0, 0, false); }

  private:
    bool Search(const std::string& term, size_t pos, int32_t node, bool widened) const {
        if (pos == term.size()) {
            return widened;
        }
        const int b = Branch(term[pos]);
        const int32_t free = FNodes[node][0];
        if (b != 0 && free != 0 && Search(term, pos + 1, free, true)) {
            return true;
        }
        const int32_t same = FNodes[node][b];
        return same != 0 && Search(term, pos + 1, same, widened);
    }

    std::vector<std::array<int32_t, 3>> FNodes;
};

}  // namespace

void RemoveRedundant(const TStringListAdv& source, TStringListAdv& destination) {
    std::vector<std::string> work;
    work.reserve(static_cast<size_t>(source.Count()));
    for (int i = 0; i < source.Count(); ++i) {
        std::string term = source.Strings(i);
        ToPositional(term);
        work.push_back(std::move(term));
    }
    // Byte-wise order, as the sorted set keeps it.
    std::sort(work.begin(), work.end());
    work.erase(std::unique(work.begin(), work.end()), work.end());
    const int count = static_cast<int>(work.size());

    TTermTrie trie(work.size() * 4 + 1);
    for (const auto& term : work) {
        trie.Insert(term);
    }
    std::vector<bool> alive(work.size());
    bool changed = false;
    for (size_t i = 0; i < work.size(); ++i) {
        alive[i] = !trie.Absorbed(work[i]);
        changed = changed || !alive[i];
    }

    // A coverer sorts before what it covers, so an absorbed item is marked before the
    // outer loop reaches it: the gauge sees the survivors, once more when a pass changed.
    TProgressSink* gauge = ProgramState.KmapGauge;
    if (gauge != nullptr) {
        gauge->setMax(count);
        for (int pass = 0; pass < (changed ? 2 : 1); ++pass) {
            for (int i = 0; i <= count - 2; i += 10) {
                if (alive[static_cast<size_t>(i)]) {
                    gauge->setPosition(i);
                }
            }
        }
        gauge->setPosition(count);
    }

    std::vector<std::string> result;
    for (size_t i = 0; i < work.size(); ++i) {
        if (alive[i]) {
            std::string compact = ToCompact(work[i]);
            if (!compact.empty()) {
                result.push_back(std::move(compact));
            }
        }
    }
    std::sort(result.begin(), result.end());
    destination.Clear();
    for (const auto& term : result) {
        destination.Add(term);
    }
}
