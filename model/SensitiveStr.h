// TStringListAdv: a string list compared strictly by character code, sorted or plain.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

class TStringListAdv {
  public:
    using TCompare = std::function<int(const TStringListAdv&, int, int)>;

    TStringListAdv() = default;
    TStringListAdv(bool sorted, uint8_t duplicates = 0) : FDuplicates(duplicates) {
        SetSorted(sorted);
    }

    // Byte-wise comparison: "1" before capitals before small letters; a prefix sorts first.
    static int CompareStrings(const std::string& a, const std::string& b);

    int Add(const std::string& s);
    int AddObject(const std::string& s, intptr_t value);
    void Insert(int index, const std::string& s);
    void Delete(int index);
    void Exchange(int i, int j);
    void Clear();

    const std::string& Strings(int index) const { return FItems[index].Str; }
    void SetString(int index, const std::string& s);
    intptr_t Objects(int index) const { return FItems[index].Value; }
    void SetObject(int index, intptr_t value);

    int Count() const { return static_cast<int>(FItems.size()); }
    int Capacity() const { return FCapacity; }
    void SetCapacity(int capacity);

    // Bisection; gives the position of s, or where it would be inserted.
    bool Find(const std::string& s, int& index) const;
    // Index of s, or -1.
    int IndexOf(const std::string& s) const;

    bool Sorted() const { return FSorted; }
    void SetSorted(bool sorted);
    uint8_t Duplicates() const { return FDuplicates; }
    void SetDuplicates(uint8_t mode) { FDuplicates = mode; }

    void Sort();
    void CustomSort(const TCompare& compare);

    void Assign(const TStringListAdv& other);
    // Every string followed by CR LF.
    std::string Text() const;

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate() { --FUpdateCount; }

    std::function<void()> OnChanging;
    std::function<void()> OnChange;

  private:
    struct TItem {
        std::string Str;
        intptr_t Value = 0;
    };

    void Grow();
    void InsertItem(int index, const std::string& s, intptr_t value);
    void QuickSort(int lo, int hi, const TCompare& compare);
    void Changing() const;
    void Changed() const;

    // Minterm strings and ranked results often arrive in descending code order: a deque takes
    // them at the front in constant time, where a vector would shift every item.
    std::deque<TItem> FItems;
    int FCapacity = 0;
    bool FSorted = false;
    uint8_t FDuplicates = 0;
    int FUpdateCount = 0;
};
