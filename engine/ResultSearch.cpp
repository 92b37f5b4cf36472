// The results window's removal and validity tests and its searches over minterm counts.
#include "engine/ResultSearch.h"

#include <algorithm>
#include <string>

#include "model/Minterms.h"

namespace {

template <typename Visit>
void ForEachMinterm(const TCube& masks, uint32_t highMinterm, Visit visit) {
    ForEachCubeMinterm(masks, highMinterm, [&](uint32_t m) {
        visit(m);
        return true;
    });
}

// Coverage counts of every row with a term; a byte count wraps at 256 as the truth table's do.
template <typename Count>
std::vector<Count> RowCounts(const std::vector<TRowCube>& rows, uint32_t highMinterm) {
    std::vector<Count> counts(highMinterm + 1, 0);
    for (const TRowCube& row : rows) {
        if (row) {
            ForEachMinterm(*row, highMinterm, [&](uint32_t m) { ++counts[m]; });
        }
    }
    return counts;
}

uint32_t HighMintermOf(const TEditorFunction& editor) {
    return static_cast<uint32_t>(editor.Counts.size() - 1);
}

struct TCombination {
    std::string Digits;  // candidate numbers as characters "1" to ":", increasing
    int Tag = 0;         // 0 untested, -1 fails or excluded, k > 0 passes with k candidates
};

// All subsets of two or more of candidates 1..n, smaller first, each size in lexicographic order.
std::vector<TCombination> CombinationList(int n) {
    std::vector<TCombination> list;
    for (uint32_t mask = 0; mask < (1u << n); ++mask) {
        TCombination entry;
        for (int d = 0; d < n; ++d) {
            if ((mask >> d) & 1u) {
                entry.Digits += static_cast<char>('1' + d);
            }
        }
        if (entry.Digits.size() >= 2) {
            list.push_back(entry);
        }
    }
    std::sort(list.begin(), list.end(), [](const TCombination& a, const TCombination& b) {
        return a.Digits.size() != b.Digits.size() ? a.Digits.size() < b.Digits.size()
                                                  : a.Digits < b.Digits;
    });
    return list;
}

}  // namespace

TRemovalVerdict RemovalTest(const std::vector<TRowCube>& rows, const std::vector<int>& dropped,
                            const TDontCareTable& dontCare, uint32_t highMinterm) {
    std::vector<uint8_t> counts = RowCounts<uint8_t>(rows, highMinterm);
    TRemovalVerdict verdict;
    for (const int r : dropped) {
        const TRowCube& row = rows[static_cast<size_t>(r)];
        if (!row) {
            continue;
        }
        ForEachCubeMinterm(*row, highMinterm, [&](uint32_t m) {
            if (dontCare[m] != 0) {
                return true;  // may end up uncovered
            }
            if (counts[m] == 1) {
                verdict.Removable = false;
                return false;
            }
            verdict.ZeroMet = verdict.ZeroMet || counts[m] == 0;
            --counts[m];
            return true;
        });
        if (!verdict.Removable) {
            break;
        }
    }
    return verdict;
}

TEditorFunction EditorFunction(const std::vector<TCube>& plain, const std::vector<TCube>& dontCares,
                               uint32_t highMinterm) {
    TEditorFunction function{std::vector<uint32_t>(highMinterm + 1, 0),
                             std::vector<uint8_t>(highMinterm + 1, 0)};
    for (const TCube& term : plain) {
        ForEachMinterm(term, highMinterm, [&](uint32_t m) { ++function.Counts[m]; });
    }
    for (const TCube& term : dontCares) {
        ForEachMinterm(term, highMinterm,
                       [&](uint32_t m) { function.DontCare[m] = function.Counts[m] == 0 ? 1 : 0; });
    }
    return function;
}

bool ValidityTest(const TEditorFunction& editor, const std::vector<TRowCube>& rows,
                  const std::vector<int>& dropped) {
    std::vector<TRowCube> kept = rows;
    for (const int r : dropped) {
        kept[static_cast<size_t>(r)].reset();
    }
    const std::vector<uint32_t> covered = RowCounts<uint32_t>(kept, HighMintermOf(editor));
    for (uint32_t m = 0; m < covered.size(); ++m) {
        if (!editor.Free(m) && (editor.Counts[m] != 0) != (covered[m] != 0)) {
            return false;
        }
    }
    return true;
}

std::vector<int> OptimizeCandidates(const std::vector<int>& mins) {
    std::vector<int> candidates;
    for (int r = static_cast<int>(mins.size()) - 1; r >= 0 && candidates.size() < 10; --r) {
        if (mins[static_cast<size_t>(r)] > 1) {
            candidates.push_back(r);
        }
    }
    return candidates;
}

// Each trial asks whether the rows outside it still cover exactly the editor's minterms,
// computed from the counts of all rows minus those of the trial: only the minterms where all
// rows already differ from the editor and those the trial touches can decide.
std::vector<int> BestCombination(const TEditorFunction& editor, const std::vector<TRowCube>& rows,
                                 const std::vector<int>& candidates,
                                 const std::function<void()>& poll) {
    const uint32_t high = HighMintermOf(editor);
    const std::vector<uint32_t> all = RowCounts<uint32_t>(rows, high);
    std::vector<uint32_t> differing;
    for (uint32_t m = 0; m <= high; ++m) {
        if (!editor.Free(m) && (editor.Counts[m] != 0) != (all[m] != 0)) {
            differing.push_back(m);
        }
    }
    std::vector<std::vector<uint32_t>> minterms(candidates.size());
    for (size_t d = 0; d < candidates.size(); ++d) {
        if (const TRowCube& row = rows[static_cast<size_t>(candidates[d])]) {
            ForEachMinterm(*row, high, [&](uint32_t m) { minterms[d].push_back(m); });
        }
    }

    std::vector<uint32_t> dropped(high + 1, 0);
    std::vector<uint32_t> touched;
    auto matches = [&](uint32_t m) {
        return editor.Free(m) || (editor.Counts[m] != 0) == (all[m] - dropped[m] != 0);
    };
    auto passes = [&](const std::string& digits) {
        touched.clear();
        for (const char c : digits) {
            for (const uint32_t m : minterms[static_cast<size_t>(c - '1')]) {
                if (dropped[m]++ == 0) {
                    touched.push_back(m);
                }
            }
        }
        const bool ok = std::all_of(differing.begin(), differing.end(), matches) &&
                        std::all_of(touched.begin(), touched.end(), matches);
        for (const uint32_t m : touched) {
            dropped[m] = 0;
        }
        return ok;
    };

    std::vector<TCombination> list = CombinationList(static_cast<int>(candidates.size()));
    for (size_t e = 0; e < list.size(); ++e) {
        if (list[e].Tag == -1) {
            continue;
        }
        list[e].Tag = passes(list[e].Digits) ? static_cast<int>(list[e].Digits.size()) : -1;
        for (size_t later = e + 1; later < list.size() && list[e].Tag == -1; ++later) {
            if (list[later].Digits.starts_with(list[e].Digits)) {
                list[later].Tag = -1;
            }
        }
        if (poll) {
            poll();
        }
    }
    // The first of the greatest tags: among the largest passing combinations, the first.
    const auto best = std::max_element(
        list.begin(), list.end(),
        [](const TCombination& a, const TCombination& b) { return a.Tag < b.Tag; });
    std::vector<int> chosen;
    if (best != list.end() && best->Tag > 0) {
        for (const char c : best->Digits) {
            chosen.push_back(candidates[static_cast<size_t>(c - '1')]);
        }
    }
    return chosen;
}

// Without re-plotting: the test of W + t replays W's drops exactly as the previous successful
// test did, so only t's own minterms decide. At t's visit of m the entry is (count - drops of W
// on m) mod 256; it fails at 1 and meets a zero at 0.
TQuickSelection QuickOptimize(const std::vector<TRowCube>& rows, const TDontCareTable& dontCare,
                              uint32_t highMinterm, const TQuickFeedback& feedback) {
    const std::vector<uint8_t> counts = RowCounts<uint8_t>(rows, highMinterm);
    std::vector<uint8_t> drops(highMinterm + 1, 0);
    TQuickSelection selection;
    bool zeroInW = false;
    for (int r = static_cast<int>(rows.size()) - 1; r >= 0; --r) {
        if (feedback.Poll) {
            feedback.Poll();
        }
        const TRowCube& row = rows[static_cast<size_t>(r)];
        if (!row) {
            continue;
        }
        bool passes = true;
        bool zeroHere = false;
        ForEachCubeMinterm(*row, highMinterm, [&](uint32_t m) {
            if (dontCare[m] != 0) {
                return true;
            }
            const auto entry = static_cast<uint8_t>(counts[m] - drops[m]);
            if (entry == 1) {
                passes = false;
                return false;
            }
            zeroHere = zeroHere || entry == 0;
            return true;
        });
        selection.ZeroMet = selection.ZeroMet || zeroInW || zeroHere;
        if (!passes) {
            continue;
        }
        ForEachMinterm(*row, highMinterm, [&](uint32_t m) { ++drops[m]; });
        zeroInW = zeroInW || zeroHere;
        selection.Rows.push_back(r);
        if (feedback.RowJoined) {
            feedback.RowJoined(r);
        }
    }
    return selection;
}
