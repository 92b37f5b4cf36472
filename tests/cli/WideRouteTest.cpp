// `quillon simplify` past 16 inputs, checked minterm by minterm against the file's rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CommandError.h"
#include "cli/WideSimplify.h"
#include "model/TextLines.h"

namespace {

// The rows read only these of the PLA's 19 inputs, so 32 minterms tell the whole function.
constexpr int Inputs = 19;
constexpr size_t Active[] = {0, 5, 11, 17, 18};
constexpr int Used = 5;
constexpr size_t None = std::string::npos;

struct TWideCase {
    const char* Name;
    std::string Pla;  // the type, then each row as its used inputs and outputs: "fd 1-0-1:10"
    bool Minimum = false;
    bool Sums = false;
    std::string Err = "";  // the failure expected; none: the answer is checked against the rows
    int64_t TimeLimitMs = -1;
    std::string Out = "";  // the answer word for word, when not checked against the rows
};

struct TFile {
    std::string Type;
    std::vector<std::pair<std::string, std::string>> Rows;
    size_t Outputs = 0;
    bool Sums = false;
};

TFile Parse(const TWideCase& c) {
    TFile file{"", {}, 0, c.Sums};
    std::istringstream words(c.Pla);
    words >> file.Type;
    for (std::string row; words >> row;) {
        file.Rows.emplace_back(row.substr(0, Used), row.substr(Used + 1));
    }
    file.Outputs = file.Rows[0].second.size();
    return file;
}

std::string Row(const std::string& used) {
    std::string row(Inputs, '-');
    for (int k = 0; k < Used; ++k) {
        row[Active[k]] = used[static_cast<size_t>(k)];
    }
    return row;
}

bool Holds(const std::string& cube, int m) {
    for (size_t k = 0; k < Used; ++k) {
        if (cube[k] != '-' && cube[k] - '0' != ((m >> k) & 1)) {
            return false;
        }
    }
    return true;
}

// 1 ON, 0 OFF, 2 don't care, as the type reads the rows; ON and OFF trade places under --pos.
int Value(const TFile& f, int m, size_t j) {
    std::string named;
    for (const auto& [cube, outputs] : f.Rows) {
        named += Holds(cube, m) ? std::string(1, outputs[j]) : "";
    }
    const auto has = [&](char t, char v) {
        return f.Type.find(t) != None && named.find(v) != None;
    };
    const int rest = f.Type.find('r') == None ? 0 : f.Type.find('f') == None ? 1 : 2;
    const int value = has('d', '-') ? 2 : has('f', '1') ? 1 : has('r', '0') ? 0 : rest;
    return f.Sums && value != 2 ? 1 - value : value;
}

// The outputs whose ON and don't cares hold the whole cube.
std::string Feeds(const TFile& f, const std::string& cube) {
    std::string feeds(f.Outputs, '1');
    for (int m = 0; m < (1 << Used); ++m) {
        for (size_t j = 0; j < f.Outputs; ++j) {
            feeds[j] = Holds(cube, m) && Value(f, m, j) == 0 ? '0' : feeds[j];
        }
    }
    return feeds;
}

// Every cube whose outputs cannot grow, that cannot grow without losing one and that holds an
// ON minterm of one of them, as the answer writes it; in the order of their text.
std::vector<std::string> BrutePrimes(const TFile& f) {
    std::vector<std::string> primes;
    for (int t = 0; t < 243; ++t) {
        std::string cube;
        for (int k = 0, u = t; k < Used; ++k, u /= 3) {
            cube += "01-"[u % 3];
        }
        const std::string feeds = Feeds(f, cube);
        bool prime = feeds.find('1') != None;
        for (size_t k = 0; k < Used; ++k) {
            std::string grown = cube;
            grown[k] = '-';
            prime = prime && (grown == cube || Feeds(f, grown) != feeds);
        }
        bool on = false;
        for (int m = 0; m < (1 << Used); ++m) {
            for (size_t j = 0; j < f.Outputs; ++j) {
                on = on || (Holds(cube, m) && feeds[j] == '1' && Value(f, m, j) == 1);
            }
        }
        if (prime && on) {
            primes.push_back(Row(cube) + (f.Outputs > 1 ? " " + feeds : ""));
        }
    }
    std::sort(primes.begin(), primes.end());
    return primes;
}

// The answer's lines in the order of their text; under --pos each sum as its cube of zeros.
std::vector<std::string> Lines(const std::string& text, bool sums) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        for (size_t k = 0; sums && k < Inputs; ++k) {
            line[k] = line[k] == '0' ? '1' : line[k] == '1' ? '0' : line[k];
        }
        lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The terms read only the used inputs, hold every ON minterm and no OFF one.
void ExpectCover(const TFile& f, const std::vector<std::string>& lines) {
    std::vector<std::pair<std::string, std::string>> terms;
    for (const std::string& line : lines) {
        std::string used;
        for (const size_t k : Active) {
            used += line[k];
        }
        EXPECT_EQ(Row(used), line.substr(0, Inputs));
        terms.emplace_back(used, f.Outputs > 1 ? line.substr(Inputs + 1) : "1");
    }
    for (int m = 0; m < (1 << Used); ++m) {
        for (size_t j = 0; j < f.Outputs; ++j) {
            bool held = false;
            for (const auto& [cube, feeds] : terms) {
                held = held || (Holds(cube, m) && feeds[j] == '1');
            }
            const int value = Value(f, m, j);
            EXPECT_TRUE(value == 2 || held == (value == 1)) << "minterm " << m << ", output " << j;
        }
    }
}

class WideRoute : public ::testing::TestWithParam<TWideCase> {};

TEST_P(WideRoute, AnswersAsTheRowsSayOrFailsInOneLine) {
    const TWideCase& c = GetParam();
    const TFile f = Parse(c);
    std::string text = ".i 19\n.o " + std::to_string(f.Outputs) + "\n.type " + f.Type + "\n";
    for (const auto& [cube, outputs] : f.Rows) {
        text += Row(cube) + " " + outputs + "\n";
    }
    TPlaReader reader(MaxWidePlaInputs);
    ForEachLine(text, [&](std::string_view line) { return reader.Line(line); });
    TPla pla;
    ASSERT_TRUE(reader.Finish(pla)) << reader.Error().Message();
    TWideRequest request;
    request.Minimum = c.Minimum;
    request.Sums = c.Sums;
    request.TimeLimitMs = c.TimeLimitMs;
    request.Source = "x.pla";
    std::ostringstream err;
    try {
        const std::string answer = SimplifyWide(pla, request, err);
        const std::vector<std::string> lines =
            c.Out.empty() ? Lines(answer, c.Sums) : std::vector<std::string>{};
        EXPECT_EQ(c.Err, "");
        if (!c.Out.empty()) {
            EXPECT_EQ(answer, c.Out);
        } else if (c.Minimum) {
            ExpectCover(f, lines);
        } else {
            EXPECT_EQ(lines, BrutePrimes(f));
        }
    } catch (const TCommandError& error) {
        EXPECT_EQ(ErrorLine(error), c.Err);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WideRoute,
    ::testing::Values(
        TWideCase{"PrimesOfOneOutput", "fd 1-0-1:1 0-1-1:1 11-0-:1 -0011:- 000--:1 10110:-"},
        TWideCase{"SharedPrimes", "fd 1-0-1:11 01--0:10 -1-01:01 0-11-:1- 1101-:01 00-00:-1"},
        TWideCase{"CoverOfAnOffSet", "fdr 1-0-1:10 0-1-1:~1 0--0-:0- 1--00:-0", true},
        TWideCase{"OnIsWhatIsNotOff", "r 1-0-1:0 0-11-:0 -01--:1", true},
        TWideCase{"PrimesOfAnOffSet", "fr 11---:1 0-0-1:0"},
        TWideCase{"OffRowMeetsOnRow", "fr 1----:1 11---:0", true, false,
                  "quillon: x.pla: line 5: this OFF row meets the row of line 4\n"},
        TWideCase{"ProductOfSums", "fd 1-0-1:1 0-1-1:1 11-0-:1 -0011:- 000--:1", true, true},
        TWideCase{"PrimeImplicates", "fr 11---:1 0-0-1:0", false, true},
        TWideCase{"ProductOfNoSumIsLo", "fr -----:0", true, true, "", -1, "LO\n"},
        TWideCase{"NoPrimeImplicateIsLo", "fr -----:0", false, true, "", -1, "LO\n"},
        TWideCase{"ProductOfSumsOfTwoOutputs", "f 1----:11", true, true,
                  "quillon: --pos takes one output; name it with --output (see quillon --help)\n"},
        TWideCase{"PrimesPastTheTimeLimit", "fd 1-0-1:1 0-1-1:1", false, false,
                  "quillon: x.pla: the prime implicants are too many to list in time; "
                  "--minimum gives a cover\n",
                  0}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
