// Runs the cube engine over a folder of PLAs with an ANCHORS.csv of reference results, checks
// each cover by simulation and prints a line a file and the totals.
//   wide_targets FOLDER [SECONDS]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "engine/wide/WidePla.h"

namespace {

struct TAnchor {
    size_t Terms = 0;
    double Seconds = 0;
    std::string Best;
};

std::map<std::string, TAnchor> ReadAnchors(const std::filesystem::path& file) {
    std::map<std::string, TAnchor> anchors;
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::stringstream fields(line);
        for (std::string cell; std::getline(fields, cell, ',');) {
            cells.push_back(cell);
        }
        if (cells.size() >= 6) {
            anchors[cells[0]] = {std::stoul(cells[3]), std::stod(cells[4]), cells[5]};
        }
    }
    return anchors;
}

bool Covers(const TWideCubes& cubes, const uint64_t* point, int in, int output) {
    for (size_t i = 0; i < cubes.Size(); ++i) {
        if (HasOutput(cubes[i], in, output) && InputsMeet(cubes[i], point, in)) {
            return true;
        }
    }
    return false;
}

// Points from everywhere, from inside the ON rows and from inside the terms: every ON point
// must be covered and no OFF point.
size_t Faults(const TWideFunction& function, const TWideCubes& terms) {
    const int in = InputWords(function.Inputs);
    std::mt19937_64 random(7);
    size_t faults = 0;
    const auto check = [&](const uint64_t* source) {
        std::vector<uint64_t> point(static_cast<size_t>(in), ~uint64_t{0});
        for (int k = 0; k < function.Inputs; ++k) {
            const int field = source == nullptr ? 3 : Field(source, k);
            SetField(point.data(), k, field == 3 ? 1 + static_cast<int>(random() & 1) : field);
        }
        for (int j = 0; j < function.Outputs; ++j) {
            if (Covers(function.Dc, point.data(), in, j)) {
                continue;
            }
            const bool on = Covers(function.On, point.data(), in, j);
            faults += on != Covers(terms, point.data(), in, j) ? 1 : 0;
        }
    };
    for (int i = 0; i < 2000; ++i) {
        check(nullptr);
    }
    for (const TWideCubes* cubes : {&function.On, &terms}) {
        for (size_t i = 0; i < cubes->Size(); ++i) {
            for (int t = 0; t < 8; ++t) {
                check((*cubes)[i]);
            }
        }
    }
    return faults;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: wide_targets FOLDER [SECONDS]\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const auto anchors = ReadAnchors(folder / "ANCHORS.csv");
    TWideOptions options;
    options.BudgetMs = argc > 2 ? static_cast<int64_t>(std::stod(argv[2]) * 1000) : 10000;
    std::printf("%-12s %4s %4s %6s %9s %6s %8s %8s %s\n", "file", "in", "out", "terms", "to-esp s",
                "esp", "best88", "peak MB", "check");
    double ours = 0;
    double theirs = 0;
    int failures = 0;
    for (const auto& [name, anchor] : anchors) {
        std::ifstream file(folder / name);
        TPlaReader reader(MaxWidePlaInputs);
        for (std::string line; std::getline(file, line);) {
            reader.Line(line);
        }
        TPla pla;
        if (!reader.Finish(pla) || pla.Inputs <= MaxPlaInputs) {
            continue;
        }
        std::vector<int> outputs;
        for (int j = 0; j < pla.Outputs; ++j) {
            outputs.push_back(j);
        }
        const TWideFunction function = WidePlaFunction(pla, outputs);
        const auto start = std::chrono::steady_clock::now();
        double reached = -1;
        options.Found = [&, target = anchor.Terms](size_t terms) {
            if (reached < 0 && terms <= target) {
                reached =
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            }
        };
        const TWideCover cover = MinimizeWide(function, options);
        const size_t faults = Faults(function, cover.Terms);
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        failures += faults > 0 ? 1 : 0;
        ours += reached < 0 ? options.BudgetMs / 1000.0 : reached;
        theirs += anchor.Seconds;
        const std::string to = reached < 0 ? "never" : std::to_string(reached).substr(0, 6);
        std::printf("%-12s %4d %4d %6zu %9s %6zu %8s %8.1f %s\n", name.c_str(), pla.Inputs,
                    pla.Outputs, cover.Terms.Size(), to.c_str(), anchor.Terms, anchor.Best.c_str(),
                    static_cast<double>(usage.ru_maxrss) / 1024.0,
                    faults == 0 ? "ok" : ("FAULTS " + std::to_string(faults)).c_str());
    }
    std::printf("time to Espresso's size, summed: %.3f s (Espresso %.3f s); failed checks: %d\n",
                ours, theirs, failures);
    return failures == 0 ? 0 : 1;
}
