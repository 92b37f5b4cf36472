// Brute-force truth value of a sum of products, the reference the engine tests compare with.
#pragma once

#include <cstdint>
#include <string>

// Value of the sum at minterm m of n variables, A the most significant bit. Empty pieces (a
// bare "+") add nothing; "Aa" is false and "A+a" true by the same rule. Letters beyond n
// make the term false, so the caller's comparison fails loudly.
inline bool EvalSum(const std::string& sop, uint32_t m, int n) {
    bool any = false;
    size_t start = 0;
    while (start <= sop.size()) {
        size_t end = sop.find('+', start);
        if (end == std::string::npos) {
            end = sop.size();
        }
        bool term = end > start;
        for (size_t i = start; i < end; ++i) {
            const char c = sop[i];
            const bool upper = c >= 'A' && c <= 'Z';
            const int k = (upper ? c - 'A' : c - 'a') + 1;
            term = term && k >= 1 && k <= n && (((m >> (n - k)) & 1u) != 0) == upper;
        }
        any = any || term;
        start = end + 1;
    }
    return any;
}
