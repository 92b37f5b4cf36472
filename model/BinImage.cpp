// Truth table to BIN bytes, inversion, and the BIN file naming rule.
#include "model/BinImage.h"

std::vector<uint8_t> TruthTableToBin(const TTruthTable& table, int n) {
    std::vector<uint8_t> buffer(TruthTableSize / 8, 0);
    const uint32_t high = HighMintermOf(n);
    for (uint32_t m = 0; m <= high; ++m) {
        if (table[m] != 0) {
            buffer[m / 8] |= static_cast<uint8_t>(1u << (m % 8));
        }
    }
    buffer.resize((high + 1) / 8);
    return buffer;
}

std::vector<uint8_t> MintermsToBin(const TMintermBits& set, int n) {
    std::vector<uint8_t> buffer(((size_t{1} << n) + 7) / 8, 0);  // a byte even below 3 variables
    for (uint32_t m = 0; m < (1u << n); ++m) {
        if (TestMinterm(set, m)) {
            buffer[m / 8] |= static_cast<uint8_t>(1u << (m % 8));
        }
    }
    return buffer;
}

void InvertTruthTable(TTruthTable& table, int n, const TDontCareTable* dontCare) {
    const uint32_t high = HighMintermOf(n);
    for (uint32_t m = 0; m <= high; ++m) {
        const bool free = dontCare != nullptr && (*dontCare)[m] != 0;
        table[m] = table[m] == 0 && !free ? 1 : 0;
    }
}

std::string BinFileName(const std::string& chosen) {
    return UpperCase(chosen).find(".BIN") == std::string::npos ? chosen + ".Bin" : chosen;
}
