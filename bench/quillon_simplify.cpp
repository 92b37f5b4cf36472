// Developer command: runs the Simplify command on a term file and prints the ranked result, or
// with --minimum a minimum cover of the function by that result.
#include <chrono>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "engine/PrimeSearch.h"
#include "engine/Simplify.h"
#include "engine/TermBits.h"
#include "engine/cover/MinimumCover.h"
#include "model/State.h"

namespace {

int Usage() {
    std::cerr << "usage: quillon_simplify [--minimum] FILE\n"
                 "FILE: the variable count (3..16) on the first line, then one term per line\n"
                 "--minimum: print a minimum cover by the result's terms, in code order, then\n"
                 "           \"proven\" or \"lower-bound N\" (no cover has fewer terms)\n";
    return 1;
}

bool ParseVarCount(const std::string& line, int& n) {
    try {
        size_t used = 0;
        n = std::stoi(line, &used);
        return line.find_first_not_of(" \t\r", used) == std::string::npos && n >= 3 && n <= MaxVars;
    } catch (const std::exception&) {
        return false;
    }
}

// The cover of the ranked result's terms; the time printed runs from the term list to the cover.
void PrintMinimum(const TStringListAdv& result) {
    const int n = ProgramState.VarCount;
    const uint32_t all = (uint32_t{1} << n) - 1;
    std::vector<TCube> terms;
    TMintermBits on = MakeMintermBits(n);
    TMintermBits dc = MakeMintermBits(n);
    for (uint32_t m = 0; m <= all; ++m) {
        if (ProgramState.DontCare[m] != 0) {
            SetMinterm(dc, m);
        }
    }
    for (int i = 0; i < result.Count(); ++i) {
        const TCube cube = PositionalBits(result.Strings(i), ProgramState.VarCount);
        terms.push_back(cube);
        AddCubeMinterms(on, n, cube);
    }
    const auto start = std::chrono::steady_clock::now();
    const TMinimumCover cover = FindMinimumCover(n, on, dc, terms);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::string out;
    for (const int i : cover.Chosen) {
        out += result.Strings(i) + "\n";
    }
    out += cover.Proven ? std::string("proven\n")
                        : "lower-bound " + std::to_string(cover.LowerBound) + "\n";
    std::cout << out;
    std::cerr << cover.Chosen.size() << " terms, " << cover.Literals << " literals\n"
              << elapsed.count() << " s minimum cover\n";
}

}  // namespace

int main(int argc, char** argv) {
    const bool minimum = argc == 3 && std::string(argv[1]) == "--minimum";
    if (argc != 2 && !minimum) {
        return Usage();
    }
    const char* path = argv[argc - 1];
    std::ifstream file(path);
    std::string line;
    int n = 0;
    if (!file || !std::getline(file, line) || !ParseVarCount(line, n)) {
        std::cerr << path << ": cannot read a variable count from 3 to 16 on the first line\n";
        return 1;
    }
    SetVarCount(n);
    std::vector<std::string> texts;
    while (std::getline(file, line)) {
        texts.push_back(line);
    }

    const auto start = std::chrono::steady_clock::now();
    const TSimplifyOutcome outcome = SimplifyTerms(texts, StateTables());
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;

    switch (outcome.Kind) {
        case TSimplifyKind::Invalid:
        case TSimplifyKind::EditorEmpty:
            std::cout << outcome.Message << '\n';
            return 2;
        case TSimplifyKind::ConstantHi:
            if (minimum) {
                std::cout << "HI\nproven\n";
                break;
            }
            std::cout << outcome.Search.Counter << "\nHI\n";
            break;
        case TSimplifyKind::ConstantLo:
            std::cout << outcome.Search.Counter << "\nLO\n";
            break;
        case TSimplifyKind::Ranked: {
            if (minimum) {
                PrintMinimum(outcome.Result);
                break;
            }
            std::string out = std::to_string(outcome.Search.Counter) + "\n";
            const TStringListAdv& result = outcome.Result;
            for (int i = 0; i < result.Count(); ++i) {
                const intptr_t rank = result.Objects(i);
                out += result.Strings(i) + " " + std::to_string(RankMin(rank)) + " " +
                       std::to_string(RankMax(rank)) + "\n";
            }
            std::cout << out;
            break;
        }
    }
    // Dense functions at 16 variables can raise it thousands of times; one line says it all.
    if (outcome.RankZeroCount > 0) {
        std::cerr << RankZeroMessage << " (" << outcome.RankZeroCount << " times)\n";
    }
    std::cerr << outcome.Search.StatusText << "\n" << elapsed.count() << " s\n";
    return 0;
}
