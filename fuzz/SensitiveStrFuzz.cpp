// Fuzzes TStringListAdv with operation sequences against a plain vector kept alongside.
#include <algorithm>
#include <utility>

#include "fuzz/FuzzSupport.h"

namespace {

using TItem = std::pair<std::string, intptr_t>;
using TItems = std::vector<TItem>;

// Short strings over "1", capitals and small letters, so repeats and case pairs are common;
// every eighth one is long enough to live on the heap.
std::string MakeString(uint8_t b) {
    static const char alphabet[] = "1AaBb";
    std::string s;
    unsigned v = b % 125u;
    for (unsigned k = 0; k < (b >> 5) % 4u; ++k, v /= 5) {
        s += alphabet[v % 5];
    }
    if (b % 8 == 7) {
        s += std::string(24, 'z');
    }
    return s;
}

size_t LowerBound(const TItems& model, const std::string& s) {
    return static_cast<size_t>(
        std::lower_bound(model.begin(), model.end(), s,
                         [](const TItem& item, const std::string& x) { return item.first < x; }) -
        model.begin());
}

size_t UpperBound(const TItems& model, const std::string& s) {
    return static_cast<size_t>(
        std::upper_bound(model.begin(), model.end(), s,
                         [](const std::string& x, const TItem& item) { return x < item.first; }) -
        model.begin());
}

void CheckSame(const TStringListAdv& list, const TItems& model) {
    fuzz::Require(list.Count() == static_cast<int>(model.size()), "count");
    fuzz::Require(list.Capacity() >= list.Count(), "capacity holds the items");
    for (int i = 0; i < list.Count(); ++i) {
        const auto& [s, v] = model[static_cast<size_t>(i)];
        if (list.Strings(i) != s || list.Objects(i) != v) {
            fuzz::Fail("item differs from the model", std::to_string(i));
        }
    }
    if (list.Sorted()) {
        fuzz::Require(
            std::is_sorted(model.begin(), model.end(),
                           [](const TItem& a, const TItem& b) { return a.first < b.first; }),
            "a sorted list stays in code order");
    }
}

// Adds `passed`, which may be one of the list's own strings, and updates the model.
void Add(TStringListAdv& list, TItems& model, const std::string& passed, intptr_t value) {
    const std::string s = passed;  // passed may not survive the add
    const int count = list.Count();
    const int index = list.AddObject(passed, value);
    if (!list.Sorted()) {
        fuzz::Require(index == count, "a plain list appends", s);
        model.emplace_back(s, value);
        return;
    }
    const size_t lower = LowerBound(model, s);
    const size_t upper = UpperBound(model, s);
    const auto at = static_cast<size_t>(index);
    if (lower != upper && list.Duplicates() == 0) {
        fuzz::Require(at >= lower && at < upper, "an ignored repeat gives its index", s);
        return;
    }
    if (lower == upper || list.Duplicates() == 1) {
        fuzz::Require(at == lower, "inserted in front of the first equal item", s);
    } else {
        fuzz::Require(at >= lower && at <= upper, "inserted among the equal items", s);
    }
    model.insert(model.begin() + index, {s, value});
}

// After sorting, equal strings may stand in any order: the pairs must be the same, and the
// list's order becomes the model's.
void TakeSortedOrder(const TStringListAdv& list, TItems& model) {
    TItems items;
    for (int i = 0; i < list.Count(); ++i) {
        items.emplace_back(list.Strings(i), list.Objects(i));
    }
    TItems before = model;
    TItems after = items;
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    fuzz::Require(before == after, "sorting keeps every string with its value");
    model = items;
}

void CheckFind(const TStringListAdv& list, const TItems& model, const std::string& s) {
    int index = -1;
    const bool found = list.Find(s, index);
    const size_t lower = LowerBound(model, s);
    const size_t upper = UpperBound(model, s);
    fuzz::Require(found == (lower != upper), "find tells whether the string is there", s);
    const auto at = static_cast<size_t>(index);
    if (!found) {
        fuzz::Require(at == lower, "find gives the insertion point", s);
    } else if (list.Duplicates() == 1) {
        fuzz::Require(at == lower, "mode 1 finds the first equal item", s);
    } else {
        fuzz::Require(at >= lower && at < upper, "find gives an equal item", s);
    }
    fuzz::Require(list.IndexOf(s) == (found ? index : -1), "IndexOf agrees with find", s);
}

TItems Distinct(const TItems& model) {
    TItems distinct;
    for (const auto& item : model) {
        const size_t at = LowerBound(distinct, item.first);
        if (at == distinct.size() || distinct[at].first != item.first) {
            distinct.insert(distinct.begin() + static_cast<long>(at), item);
        }
    }
    return distinct;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TStringListAdv list;
    TItems model;
    intptr_t nextValue = 1;
    for (size_t pos = 0; pos + 1 < size; pos += 2) {
        const uint8_t arg = data[pos + 1];
        const int count = list.Count();
        const int at = count == 0 ? 0 : arg % count;
        const auto atIndex = static_cast<size_t>(at);
        switch (data[pos] % 11) {
            case 0:
            case 1:
            case 2:
                Add(list, model, MakeString(arg), nextValue++);
                break;
            case 3:  // one of its own strings, across growth of the list
                if (count > 0) {
                    Add(list, model, list.Strings(at), nextValue++);
                }
                break;
            case 4:
                if (!list.Sorted()) {
                    const std::string s =
                        count > 0 && arg % 2 == 0 ? model.back().first : MakeString(arg);
                    list.Insert(at, count > 0 && arg % 2 == 0 ? list.Strings(count - 1) : s);
                    model.insert(model.begin() + at, {s, 0});
                }
                break;
            case 5:
                if (count > 0) {
                    list.Delete(at);
                    model.erase(model.begin() + at);
                }
                break;
            case 6:
                if (count > 0 && !list.Sorted()) {
                    const int other = (arg / 7) % count;
                    list.Exchange(at, other);
                    std::swap(model[atIndex], model[static_cast<size_t>(other)]);
                }
                break;
            case 7:
                list.SetSorted(!list.Sorted());
                if (list.Sorted()) {
                    TakeSortedOrder(list, model);
                }
                break;
            case 8:
                list.SetDuplicates(static_cast<uint8_t>(arg % 3));
                break;
            case 9:
                if (list.Sorted()) {
                    CheckFind(list, model, MakeString(arg));
                }
                break;
            case 10: {
                TStringListAdv copy(arg % 2 == 0);
                copy.Assign(list);
                CheckSame(copy, copy.Sorted() ? Distinct(model) : model);
                break;
            }
        }
        CheckSame(list, model);
    }
    std::string text;
    for (const auto& item : model) {
        text += item.first + "\r\n";
    }
    fuzz::Require(list.Text() == text, "text form");
    return 0;
}
