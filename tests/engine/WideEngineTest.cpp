#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

#include "engine/wide/WideMinimize.h"
#include "engine/wide/WidePrimes.h"

namespace {

// A function of v variables placed at inputs spread over a cube of n inputs, so that words
// past the first are crossed; the other inputs are free everywhere.
struct TPlace {
    int N;
    std::vector<int> At;  // input of variable i

    std::vector<uint64_t> Cube(std::mt19937_64& random, int outputWords) const {
        std::vector<uint64_t> cube = UniverseCube(N);
        for (const int input : At) {
            const int field = static_cast<int>(random() % 3);
            SetField(cube.data(), input, field == 0 ? 3 : field);
        }
        cube.resize(cube.size() + static_cast<size_t>(outputWords), 0);
        return cube;
    }
    bool Holds(const uint64_t* cube, uint32_t m) const {
        for (size_t i = 0; i < At.size(); ++i) {
            const int field = Field(cube, At[i]);
            if ((field & (1 << ((m >> i) & 1))) == 0) {
                return false;
            }
        }
        return true;
    }
    bool Any(const TWideCubes& cubes, uint32_t m, int output = -1) const {
        for (size_t i = 0; i < cubes.Size(); ++i) {
            if ((output < 0 || HasOutput(cubes[i], InputWords(N), output)) && Holds(cubes[i], m)) {
                return true;
            }
        }
        return false;
    }
};

TPlace Place(int v, int n) {
    TPlace place{n, {}};
    for (int i = 0; i < v; ++i) {
        place.At.push_back(i * (n - 1) / std::max(v - 1, 1));
    }
    return place;
}

struct TOpsCase {
    int Vars;
    int Inputs;
    int Cubes;
};

class WideCubeOps : public ::testing::TestWithParam<TOpsCase> {};

TEST_P(WideCubeOps, AgreeWithTheTruthTable) {
    const auto [v, n, count] = GetParam();
    const TPlace place = Place(v, n);
    std::mt19937_64 random(static_cast<uint64_t>(v * 131 + n));
    for (int round = 0; round < 40; ++round) {
        TWideCubes cover(n, InputWords(n));
        for (int i = 0; i < count; ++i) {
            cover.Add(place.Cube(random, 0).data());
        }
        const std::vector<uint64_t> c = place.Cube(random, 0);
        const TWideCubes cofactor = Cofactor(cover, c.data());
        const TWideCubes complement = Complement(cover);
        const TWideCubes uncovered = Uncovered(cover, 3, [](int64_t) { return false; });
        std::vector<uint64_t> super;
        const bool missed = MissedSupercube(cover, super);
        std::vector<int> seen(static_cast<size_t>(v), 0);  // the values missed points take
        bool all = true;
        bool inC = true;
        for (uint32_t m = 0; m < (1u << v); ++m) {
            const bool on = place.Any(cover, m);
            all = all && on;
            if (place.Holds(c.data(), m)) {
                inC = inC && on;
                ASSERT_EQ(place.Any(cofactor, m), on) << "cofactor at " << m;
            }
            ASSERT_EQ(place.Any(complement, m), !on) << "complement at " << m;
            ASSERT_FALSE(on && place.Any(uncovered, m)) << "uncovered at " << m;
            for (int i = 0; i < v && !on; ++i) {
                seen[static_cast<size_t>(i)] |= 1 << ((m >> i) & 1);
            }
        }
        for (int i = 0; i < v && missed; ++i) {
            ASSERT_EQ(Field(super.data(), place.At[static_cast<size_t>(i)]),
                      seen[static_cast<size_t>(i)])
                << "missed super cube at " << i;
        }
        ASSERT_NE(missed, all);
        ASSERT_EQ(Tautology(cover), all);
        ASSERT_EQ(uncovered.Empty(), all);
        ASSERT_EQ(CoversCube(cover, c.data()), inC);
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, WideCubeOps,
                         ::testing::Values(TOpsCase{3, 3, 3}, TOpsCase{6, 6, 12},
                                           TOpsCase{8, 40, 20}, TOpsCase{10, 130, 40}));

struct TMinimizeCase {
    int Inputs;
    int Outputs;
    int On;
    int Dc;
};

class WideMinimizer : public ::testing::TestWithParam<TMinimizeCase> {};

// The fewest terms that cover output 0: its primes, found cube by cube, tried k at a time.
size_t FewestTerms(const TPlace& place, const TWideFunction& f, int n) {
    std::vector<uint32_t> care;
    for (uint32_t m = 0; m < (1u << n); ++m) {
        if (place.Any(f.On, m, 0) && !place.Any(f.Dc, m, 0)) {
            care.push_back(m);
        }
    }
    const auto implicant = [&](const std::vector<uint64_t>& cube) {
        for (uint32_t m = 0; m < (1u << n); ++m) {
            if (place.Holds(cube.data(), m) && !place.Any(f.On, m, 0) && !place.Any(f.Dc, m, 0)) {
                return false;
            }
        }
        return true;
    };
    std::vector<uint64_t> masks;  // the care points of each prime
    for (int code = 0; code < static_cast<int>(std::pow(3, n)); ++code) {
        std::vector<uint64_t> cube = UniverseCube(n);
        for (int i = 0, c = code; i < n; ++i, c /= 3) {
            SetField(cube.data(), place.At[static_cast<size_t>(i)], c % 3 + 1);
        }
        bool prime = implicant(cube);
        for (int i = 0; i < n && prime; ++i) {
            std::vector<uint64_t> up = cube;
            SetField(up.data(), place.At[static_cast<size_t>(i)], 3);
            prime = up == cube || !implicant(up);
        }
        uint64_t mask = 0;
        for (size_t p = 0; p < care.size() && prime; ++p) {
            mask |= place.Holds(cube.data(), care[p]) ? uint64_t{1} << p : 0;
        }
        masks.push_back(mask);
    }
    const uint64_t all = care.size() == 64 ? ~uint64_t{0} : (uint64_t{1} << care.size()) - 1;
    const std::function<bool(size_t, size_t, uint64_t)> fits = [&](size_t from, size_t k,
                                                                   uint64_t got) {
        if (got == all || k == 0) {
            return got == all;
        }
        for (size_t p = from; p < masks.size(); ++p) {
            if ((masks[p] & ~got) != 0 && fits(p + 1, k - 1, got | masks[p])) {
                return true;
            }
        }
        return false;
    };
    size_t k = 0;
    while (!fits(0, k, 0)) {
        ++k;
    }
    return k;
}

// Every ON point not a don't care is covered, no OFF point is, and every term covers a point
// of some output that no other term covers.
TEST_P(WideMinimizer, GivesACorrectIrredundantCover) {
    const auto [n, outputs, on, dc] = GetParam();
    const TPlace place = Place(n, n);
    const int in = InputWords(n);
    std::mt19937_64 random(static_cast<uint64_t>(n * 7 + outputs));
    TWideFunction function{n, outputs, TWideCubes(n, in + 1), TWideCubes(n, in + 1)};
    for (int i = 0; i < on + dc; ++i) {
        std::vector<uint64_t> cube = place.Cube(random, 1);
        cube[static_cast<size_t>(in)] = random() % ((uint64_t{1} << outputs) - 1) + 1;
        (i < on ? function.On : function.Dc).Add(cube.data());
    }
    const TWideCover cover = MinimizeWide(function, {});
    ASSERT_LE(cover.Terms.Size(), function.On.Size());
    ASSERT_LE(cover.LowerBound, cover.Terms.Size());
    std::vector<uint8_t> essential(cover.Terms.Size(), 0);
    for (int j = 0; j < outputs; ++j) {
        for (uint32_t m = 0; m < (1u << n); ++m) {
            const bool care = !place.Any(function.Dc, m, j);
            const bool value = place.Any(function.On, m, j);
            size_t users = 0;
            size_t user = 0;
            for (size_t t = 0; t < cover.Terms.Size(); ++t) {
                if (HasOutput(cover.Terms[t], in, j) && place.Holds(cover.Terms[t], m)) {
                    ++users;
                    user = t;
                }
            }
            if (care) {
                ASSERT_EQ(users > 0, value) << "output " << j << " at " << m;
            }
            if (care && users == 1) {
                essential[user] = 1;
            }
        }
    }
    for (size_t t = 0; t < essential.size(); ++t) {
        EXPECT_TRUE(essential[t]) << "term " << t << " is redundant";
    }
    // A stop from the caller ends the listing of primes as the clock does.
    EXPECT_FALSE(FindWidePrimes(function, 60000, size_t{1} << 30, [] { return false; }).Complete);
    // Every prime can be listed here, so the cover is proven minimum.
    if (outputs == 1) {
        EXPECT_TRUE(cover.Proven);
        EXPECT_EQ(cover.Terms.Size(), FewestTerms(place, function, n));
    }
}

INSTANTIATE_TEST_SUITE_P(Functions, WideMinimizer,
                         ::testing::Values(TMinimizeCase{4, 1, 5, 2}, TMinimizeCase{6, 1, 14, 3},
                                           TMinimizeCase{9, 3, 30, 6}, TMinimizeCase{13, 2, 60, 10},
                                           TMinimizeCase{17, 4, 90, 15},
                                           TMinimizeCase{20, 2, 40, 8}));

}  // namespace
