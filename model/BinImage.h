// BIN images: the truth table as raw bits, least significant bit first, no header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/Cube.h"
#include "model/Letters.h"

// The first 2^n / 8 bytes of the image of the truth table.
std::vector<uint8_t> TruthTableToBin(const TTruthTable& table, int n);
// The image of a function given as its set of minterms over n variables.
std::vector<uint8_t> MintermsToBin(const TMintermBits& set, int n);

// Sets every entry to 1 where it was 0 and to 0 elsewhere, for minterms 0 .. 2^n - 1. A
// don't care stays 0: it is neither ON nor OFF.
void InvertTruthTable(TTruthTable& table, int n, const TDontCareTable* dontCare = nullptr);

// The file name the BIN save uses: ".Bin" appended unless ".BIN" occurs in its upper case.
std::string BinFileName(const std::string& chosen);
