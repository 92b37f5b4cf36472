// A vector indexed by int: the covering matrix numbers its rows and columns with int.
#pragma once

#include <cstddef>
#include <vector>

template <typename T>
class TIntVector : public std::vector<T> {
  public:
    using std::vector<T>::vector;
    TIntVector(int count, const T& value) : std::vector<T>(static_cast<size_t>(count), value) {}

    T& operator[](int i) { return std::vector<T>::operator[](static_cast<size_t>(i)); }
    const T& operator[](int i) const { return std::vector<T>::operator[](static_cast<size_t>(i)); }
    int Size() const { return static_cast<int>(this->size()); }
    void Assign(int count, const T& value) { this->assign(static_cast<size_t>(count), value); }
};
