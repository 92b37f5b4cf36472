// Cubes of any width as packed bits, and the unate recursive operations over them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// Fields of an input: 01 is 0, 10 is 1, 11 is free; 00 in any field makes the cube empty.
constexpr uint64_t FieldLo = 0x5555555555555555ull;

// The words a cube of inputs takes, 32 inputs a word.
inline int InputWords(int inputs) {
    return (inputs + 31) / 32;
}

// Cubes of Stride words each, in one block. The first InWords words are the input fields;
// fields past the last input are kept free so that whole words compare.
class TWideCubes {
  public:
    TWideCubes() = default;
    TWideCubes(int inputs, int stride) : FInputs(inputs), FStride(stride) {}

    int Inputs() const { return FInputs; }
    int InWords() const { return InputWords(FInputs); }
    int Stride() const { return FStride; }
    size_t Size() const { return FStride == 0 ? 0 : FBits.size() / static_cast<size_t>(FStride); }
    bool Empty() const { return FBits.empty(); }
    uint64_t* operator[](size_t i) { return FBits.data() + i * static_cast<size_t>(FStride); }
    const uint64_t* operator[](size_t i) const {
        return FBits.data() + i * static_cast<size_t>(FStride);
    }
    void Add(const uint64_t* cube) { FBits.insert(FBits.end(), cube, cube + FStride); }
    // Removes cube i by moving the last one into its place.
    void Remove(size_t i);
    void Clear() { FBits.clear(); }
    void Reserve(size_t cubes) { FBits.reserve(cubes * static_cast<size_t>(FStride)); }

  private:
    int FInputs = 0;
    int FStride = 0;
    std::vector<uint64_t> FBits;
};

// The cube with every input free, InWords words.
std::vector<uint64_t> UniverseCube(int inputs);
inline int Field(const uint64_t* cube, int input) {
    return static_cast<int>((cube[input / 32] >> (2 * (input % 32))) & 3);
}
inline void SetField(uint64_t* cube, int input, int value) {
    const int shift = 2 * (input % 32);
    cube[input / 32] =
        (cube[input / 32] & ~(uint64_t{3} << shift)) | (static_cast<uint64_t>(value) << shift);
}
// Whether the input parts meet.
inline bool InputsMeet(const uint64_t* a, const uint64_t* b, int words) {
    for (int w = 0; w < words; ++w) {
        const uint64_t x = a[w] & b[w];
        if (((x | (x >> 1)) & FieldLo) != FieldLo) {
            return false;
        }
    }
    return true;
}
// Whether input part a contains input part b.
inline bool InputsContain(const uint64_t* a, const uint64_t* b, int words) {
    for (int w = 0; w < words; ++w) {
        if ((a[w] & b[w]) != b[w]) {
            return false;
        }
    }
    return true;
}
bool IsUniverse(const uint64_t* cube, int words);

// The input parts of the cubes that meet c, each with c's fixed inputs made free.
TWideCubes Cofactor(const TWideCubes& cover, const uint64_t* c);
// Whether the input parts cover every minterm.
bool Tautology(const TWideCubes& cover);
// Whether the input parts cover every minterm of cube c.
bool CoversCube(const TWideCubes& cover, const uint64_t* c);
// Input cubes of every minterm the cover misses; one word stride.
TWideCubes Complement(const TWideCubes& cover);
// The smallest cube holding every minterm the input parts miss, in super (InWords words);
// false when they miss none.
bool MissedSupercube(const TWideCubes& cover, std::vector<uint64_t>& super);
// Up to limit input cubes the cover misses, none when it is a tautology; one word
// stride. Stop is told the work of each step and ends the search when it returns true.
TWideCubes Uncovered(const TWideCubes& cover, size_t limit,
                     const std::function<bool(int64_t)>& stop);
