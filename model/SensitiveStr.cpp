// The case-sensitive term list: sorted set or plain list, bisection, quicksort.
#include "model/SensitiveStr.h"

#include <algorithm>
#include <utility>

int TStringListAdv::CompareStrings(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

void TStringListAdv::Changing() const {
    if (FUpdateCount == 0 && OnChanging) {
        OnChanging();
    }
}

void TStringListAdv::Changed() const {
    if (FUpdateCount == 0 && OnChange) {
        OnChange();
    }
}

void TStringListAdv::Grow() {
    int delta = 4;
    if (FCapacity > 64) {
        delta = FCapacity / 4;
    } else if (FCapacity > 8) {
        delta = 16;
    }
    SetCapacity(FCapacity + delta);
}

void TStringListAdv::SetCapacity(int capacity) {
    if (capacity < Count()) {
        return;
    }
    FCapacity = capacity;  // bookkeeping of the growth rule; the deque needs no reservation
}

void TStringListAdv::InsertItem(int index, const std::string& s, intptr_t value) {
    // Copy first: s may be one of our own strings, and inserting moves them.
    TItem item{s, value};
    Changing();
    if (Count() == FCapacity) {
        Grow();
    }
    FItems.insert(FItems.begin() + index, std::move(item));
    Changed();
}

int TStringListAdv::Add(const std::string& s) {
    return AddObject(s, 0);
}

int TStringListAdv::AddObject(const std::string& s, intptr_t value) {
    int index = Count();
    if (FSorted) {
        if (Find(s, index) && FDuplicates == 0) {
            return index;
        }
    }
    InsertItem(index, s, value);
    return index;
}

void TStringListAdv::Insert(int index, const std::string& s) {
    InsertItem(index, s, 0);
}

void TStringListAdv::Delete(int index) {
    Changing();
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringListAdv::Exchange(int i, int j) {
    Changing();
    std::swap(FItems[i], FItems[j]);
    Changed();
}

void TStringListAdv::Clear() {
    if (FItems.empty() && FCapacity == 0) {
        return;
    }
    Changing();
    std::deque<TItem>().swap(FItems);
    FCapacity = 0;
    Changed();
}

void TStringListAdv::SetString(int index, const std::string& s) {
    Changing();
    FItems[index].Str = s;
    Changed();
}

void TStringListAdv::SetObject(int index, intptr_t value) {
    Changing();
    FItems[index].Value = value;
    Changed();
}

bool TStringListAdv::Find(const std::string& s, int& index) const {
    bool found = false;
    int low = 0;
    int high = Count() - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int c = CompareStrings(FItems[middle].Str, s);
        if (c < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (c == 0) {
                found = true;
                if (FDuplicates != 1) {
                    low = middle;
                }
            }
        }
    }
    index = low;
    return found;
}

int TStringListAdv::IndexOf(const std::string& s) const {
    if (FSorted) {
        int index = 0;
        return Find(s, index) ? index : -1;
    }
    for (int i = 0; i < Count(); ++i) {
        if (FItems[i].Str == s) {
            return i;
        }
    }
    return -1;
}

void TStringListAdv::SetSorted(bool sorted) {
    if (sorted == FSorted) {
        return;
    }
    if (sorted) {
        Sort();
    }
    FSorted = sorted;
}

void TStringListAdv::Sort() {
    CustomSort([](const TStringListAdv& list, int a, int b) {
        return CompareStrings(list.Strings(a), list.Strings(b));
    });
}

void TStringListAdv::CustomSort(const TCompare& compare) {
    if (FSorted || Count() < 2) {
        return;
    }
    Changing();
    QuickSort(0, Count() - 1, compare);
    Changed();
}

// Middle element as pivot; tracks the pivot's position as items are swapped.
void TStringListAdv::QuickSort(int lo, int hi, const TCompare& compare) {
    while (lo < hi) {
        int i = lo;
        int j = hi;
        int p = (lo + hi) / 2;
        do {
            while (compare(*this, i, p) < 0) {
                ++i;
            }
            while (compare(*this, j, p) > 0) {
                --j;
            }
            if (i <= j) {
                if (i != j) {
                    std::swap(FItems[i], FItems[j]);
                }
                if (p == i) {
                    p = j;
                } else if (p == j) {
                    p = i;
                }
                ++i;
                --j;
            }
        } while (i <= j);
        // Recurse into the smaller half so the stack stays shallow on large lists.
        if (j - lo < hi - i) {
            QuickSort(lo, j, compare);
            lo = i;
        } else {
            QuickSort(i, hi, compare);
            hi = j;
        }
    }
}

void TStringListAdv::Assign(const TStringListAdv& other) {
    if (&other == this) {
        return;
    }
    BeginUpdate();
    Clear();
    for (int i = 0; i < other.Count(); ++i) {
        AddObject(other.Strings(i), other.Objects(i));
    }
    EndUpdate();
    Changed();
}

std::string TStringListAdv::Text() const {
    std::string text;
    for (const auto& item : FItems) {
        text += item.Str;
        text += "\r\n";
    }
    return text;
}
