#include "engine/wide/WideCubes.h"

#include <algorithm>
#include <unordered_map>

namespace {

// A copy of the input parts alone.
TWideCubes InputParts(const TWideCubes& cover) {
    const int words = cover.InWords();
    if (cover.Stride() == words) {
        return cover;
    }
    TWideCubes parts(cover.Inputs(), words);
    parts.Reserve(cover.Size());
    for (size_t i = 0; i < cover.Size(); ++i) {
        parts.Add(cover[i]);
    }
    return parts;
}

struct TSplit {
    int Input = -1;  // -1: no cube has a fixed input
    bool Binate = false;
};

// The input fixed in most cubes, among those fixed both ways when there are any: splitting on it
// shrinks both halves most.
TSplit ChooseSplit(const TWideCubes& cover) {
    const int n = cover.Inputs();
    std::vector<int> zeros(static_cast<size_t>(n), 0);
    std::vector<int> ones(static_cast<size_t>(n), 0);
    for (size_t i = 0; i < cover.Size(); ++i) {
        const uint64_t* cube = cover[i];
        for (int w = 0; w < cover.InWords(); ++w) {
            uint64_t fixed = ~(cube[w] & (cube[w] >> 1)) & FieldLo;
            while (fixed != 0) {
                const int bit = __builtin_ctzll(fixed);
                fixed &= fixed - 1;
                const int input = w * 32 + bit / 2;
                if (input < n) {
                    ((cube[w] >> bit) & 1 ? zeros : ones)[static_cast<size_t>(input)]++;
                }
            }
        }
    }
    TSplit best;
    int bestCount = 0;
    for (int k = 0; k < n; ++k) {
        const auto z = zeros[static_cast<size_t>(k)];
        const auto o = ones[static_cast<size_t>(k)];
        const bool binate = z > 0 && o > 0;
        if (z + o == 0 || (best.Binate && !binate)) {
            continue;
        }
        if ((binate && !best.Binate) || z + o > bestCount) {
            best = {k, binate};
            bestCount = z + o;
        }
    }
    return best;
}

std::vector<uint64_t> Literal(int inputs, int input, int value) {
    std::vector<uint64_t> cube = UniverseCube(inputs);
    SetField(cube.data(), input, value);
    return cube;
}

// The smallest cube over what the cover misses below place, ORed into super; false when it
// misses nothing there.
bool AddMissedSupercube(const TWideCubes& cover, std::vector<uint64_t>& place,
                        std::vector<uint64_t>& super) {
    // Once something is missed and the super cube holds the place, nothing below can add.
    if (InputsContain(super.data(), place.data(), cover.InWords())) {
        return true;
    }
    for (size_t i = 0; i < cover.Size(); ++i) {
        if (IsUniverse(cover[i], cover.InWords())) {
            return false;
        }
    }
    const TSplit split = ChooseSplit(cover);
    if (!split.Binate) {
        // Unate: each input of a literal misses both ways but where that literal alone is a
        // cube; the other inputs stay as the place has them.
        std::vector<uint64_t> missed = place;
        for (size_t i = 0; i < cover.Size(); ++i) {
            int literals = 0;
            for (int w = 0; w < cover.InWords(); ++w) {
                literals += __builtin_popcountll(~(cover[i][w] & (cover[i][w] >> 1)) & FieldLo);
            }
            for (int w = 0; w < cover.InWords() && literals == 1; ++w) {
                const uint64_t low = ~(cover[i][w] & (cover[i][w] >> 1)) & FieldLo;
                const uint64_t fixed = low | (low << 1);
                missed[static_cast<size_t>(w)] =
                    (missed[static_cast<size_t>(w)] & ~fixed) | (~cover[i][w] & fixed);
            }
        }
        for (size_t w = 0; w < super.size(); ++w) {
            super[w] |= missed[w];
        }
        return true;
    }
    const int input = split.Input;
    bool any = false;
    for (const int value : {1, 2}) {
        const std::vector<uint64_t> literal = Literal(cover.Inputs(), input, value);
        SetField(place.data(), input, value);
        any = AddMissedSupercube(Cofactor(cover, literal.data()), place, super) || any;
    }
    SetField(place.data(), input, 3);
    return any;
}

// Uncovered below place, the cube the cofactors so far were taken against, in the order the
// complement would list them; false once stopped.
bool FindUncovered(const TWideCubes& cover, std::vector<uint64_t>& place, size_t limit,
                   const std::function<bool(int64_t)>& stop, TWideCubes& found) {
    if (found.Size() >= limit) {
        return true;
    }
    if (stop(static_cast<int64_t>(cover.Size()))) {
        return false;
    }
    for (size_t i = 0; i < cover.Size(); ++i) {
        if (IsUniverse(cover[i], cover.InWords())) {
            return true;
        }
    }
    if (cover.Empty()) {
        found.Add(place.data());
        return true;
    }
    if (cover.Size() == 1) {
        // De Morgan: the place against each literal.
        for (int k = 0; k < cover.Inputs() && found.Size() < limit; ++k) {
            const int field = Field(cover[0], k);
            if (field != 3) {
                found.Add(place.data());
                SetField(found[found.Size() - 1], k, 3 - field);
            }
        }
        return true;
    }
    const int input = ChooseSplit(cover).Input;
    for (const int value : {1, 2}) {
        const std::vector<uint64_t> literal = Literal(cover.Inputs(), input, value);
        SetField(place.data(), input, value);
        if (!FindUncovered(Cofactor(cover, literal.data()), place, limit, stop, found)) {
            return false;
        }
    }
    SetField(place.data(), input, 3);
    return true;
}

struct TCubeHash {
    int Words;
    size_t operator()(const uint64_t* c) const {
        size_t h = 0;
        for (int w = 0; w < Words; ++w) {
            h = h * 0x9e3779b97f4a7c15ull + c[w];
        }
        return h;
    }
};

}  // namespace

void TWideCubes::Remove(size_t i) {
    const size_t last = Size() - 1;
    if (i != last) {
        std::copy((*this)[last], (*this)[last] + FStride, (*this)[i]);
    }
    FBits.resize(last * static_cast<size_t>(FStride));
}

std::vector<uint64_t> UniverseCube(int inputs) {
    return std::vector<uint64_t>(static_cast<size_t>(InputWords(inputs)), ~uint64_t{0});
}

bool IsUniverse(const uint64_t* cube, int words) {
    for (int w = 0; w < words; ++w) {
        if (cube[w] != ~uint64_t{0}) {
            return false;
        }
    }
    return true;
}

TWideCubes Cofactor(const TWideCubes& cover, const uint64_t* c) {
    const int words = cover.InWords();
    TWideCubes result(cover.Inputs(), words);
    result.Reserve(cover.Size());
    std::vector<uint64_t> cube(static_cast<size_t>(words));
    for (size_t i = 0; i < cover.Size(); ++i) {
        if (!InputsMeet(cover[i], c, words)) {
            continue;
        }
        for (int w = 0; w < words; ++w) {
            cube[static_cast<size_t>(w)] = cover[i][w] | ~c[w];
        }
        result.Add(cube.data());
    }
    return result;
}

bool Tautology(const TWideCubes& given) {
    TWideCubes cover = InputParts(given);
    const int words = cover.InWords();
    for (size_t i = 0; i < cover.Size(); ++i) {
        if (IsUniverse(cover[i], words)) {
            return true;
        }
    }
    const TSplit split = ChooseSplit(cover);
    // A unate cover without the free cube misses the minterm against all its literals.
    if (!split.Binate) {
        return false;
    }
    for (const int value : {1, 2}) {
        const std::vector<uint64_t> literal = Literal(cover.Inputs(), split.Input, value);
        if (!Tautology(Cofactor(cover, literal.data()))) {
            return false;
        }
    }
    return true;
}

bool CoversCube(const TWideCubes& cover, const uint64_t* c) {
    return Tautology(Cofactor(cover, c));
}

bool MissedSupercube(const TWideCubes& cover, std::vector<uint64_t>& super) {
    std::vector<uint64_t> place = UniverseCube(cover.Inputs());
    super.assign(place.size(), 0);
    return AddMissedSupercube(InputParts(cover), place, super);
}

TWideCubes Uncovered(const TWideCubes& cover, size_t limit,
                     const std::function<bool(int64_t)>& stop) {
    TWideCubes found(cover.Inputs(), cover.InWords());
    std::vector<uint64_t> place = UniverseCube(cover.Inputs());
    FindUncovered(InputParts(cover), place, limit, stop, found);
    return found;
}

TWideCubes Complement(const TWideCubes& given) {
    TWideCubes cover = InputParts(given);
    const int n = cover.Inputs();
    const int words = cover.InWords();
    TWideCubes result(n, words);
    if (cover.Empty()) {
        result.Add(UniverseCube(n).data());
        return result;
    }
    for (size_t i = 0; i < cover.Size(); ++i) {
        if (IsUniverse(cover[i], words)) {
            return result;
        }
    }
    if (cover.Size() == 1) {
        // De Morgan: one cube against each literal.
        for (int k = 0; k < n; ++k) {
            const int field = Field(cover[0], k);
            if (field != 3) {
                result.Add(Literal(n, k, 3 - field).data());
            }
        }
        return result;
    }
    const int input = ChooseSplit(cover).Input;
    TWideCubes halves[2];
    for (const int value : {1, 2}) {
        const std::vector<uint64_t> literal = Literal(n, input, value);
        halves[value - 1] = Complement(Cofactor(cover, literal.data()));
    }
    // A cube in both halves does not depend on the input.
    const TCubeHash hash{words};
    std::unordered_multimap<size_t, size_t> ones;
    for (size_t j = 0; j < halves[1].Size(); ++j) {
        ones.emplace(hash(halves[1][j]), j);
    }
    std::vector<uint8_t> merged(halves[1].Size(), 0);
    for (size_t i = 0; i < halves[0].Size(); ++i) {
        bool found = false;
        const auto [from, to] = ones.equal_range(hash(halves[0][i]));
        for (auto it = from; it != to && !found; ++it) {
            const uint64_t* other = halves[1][it->second];
            if (merged[it->second] == 0 && std::equal(other, other + words, halves[0][i])) {
                merged[it->second] = 1;
                found = true;
            }
        }
        result.Add(halves[0][i]);
        if (!found) {
            SetField(result[result.Size() - 1], input, 1);
        }
    }
    for (size_t j = 0; j < halves[1].Size(); ++j) {
        if (merged[j] == 0) {
            result.Add(halves[1][j]);
            SetField(result[result.Size() - 1], input, 2);
        }
    }
    return result;
}
