// Developer command: runs the Simplify command on a term file and prints the ranked result.
#include <chrono>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "engine/Simplify.h"
#include "model/State.h"

namespace {

int Usage() {
    std::cerr << "usage: quillon_simplify FILE\n"
                 "FILE: the variable count (3..16) on the first line, then one term per line\n";
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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return Usage();
    }
    std::ifstream file(argv[1]);
    std::string line;
    int n = 0;
    if (!file || !std::getline(file, line) || !ParseVarCount(line, n)) {
        std::cerr << argv[1] << ": cannot read a variable count from 3 to 16 on the first line\n";
        return 1;
    }
    SetVarCount(n);
    std::vector<std::string> texts;
    while (std::getline(file, line)) {
        texts.push_back(line);
    }

    const auto start = std::chrono::steady_clock::now();
    const TSimplifyOutcome outcome = SimplifyTerms(texts);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;

    switch (outcome.Kind) {
        case TSimplifyKind::Invalid:
        case TSimplifyKind::EditorEmpty:
            std::cout << outcome.Message << '\n';
            return 2;
        case TSimplifyKind::ConstantHi:
            std::cout << outcome.Search.Counter << "\nHI\n";
            break;
        case TSimplifyKind::ConstantLo:
            std::cout << outcome.Search.Counter << "\nLO\n";
            break;
        case TSimplifyKind::Ranked: {
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
