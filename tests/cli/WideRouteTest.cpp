// `quillon simplify` past 16 inputs, checked minterm by minterm against the file's rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CommandError.h"
#include "cli/WideSimplify.h"
#include "tests/cli/CommandRun.h"

namespace {

// The rows read only these of the PLA's 19 inputs, so 32 minterms tell the whole function.
constexpr int Inputs = 19;
constexpr int Active[] = {0, 5, 11, 17, 18};
constexpr int Used = 5;

struct TWideCase {
    const char* Name;
    std::string Type;
    std::vector<std::pair<std::string, std::string>> Rows;  // the used inputs, the outputs
    TWideRequest Request;
    std::string Err;  // the failure expected; none: the answer is checked against the rows
};

TWideRequest Asked(bool minimum, bool sums = false, int64_t timeLimitMs = -1) {
    TWideRequest request;
    request.Minimum = minimum;
    request.Sums = sums;
    request.TimeLimitMs = timeLimitMs;
    request.Source = "x.pla";
    return request;
}

void PrintTo(const TWideCase& c, std::ostream* os) {
    *os << c.Name;
}

// The row of the PLA's inputs with the used ones given.
std::string Row(const std::string& used) {
    std::string row(Inputs, '-');
    for (int k = 0; k < Used; ++k) {
        row[Active[k]] = used[static_cast<size_t>(k)];
    }
    return row;
}

std::string PlaText(const TWideCase& c) {
    std::string text =
        ".i 19\n.o " + std::to_string(c.Rows[0].second.size()) + "\n.type " + c.Type + "\n";
    for (const auto& [used, outputs] : c.Rows) {
        text += Row(used) + " " + outputs + "\n";
    }
    return text;
}

// Rows with 6561 primes among them: each point of 8 inputs ANDed with an input of its own.
std::string ManyPrimes() {
    std::string text = ".i 264\n.o 1\n";
    for (int v = 0; v < 256; ++v) {
        std::string row(264, '-');
        for (int b = 0; b < 8; ++b) {
            row[static_cast<size_t>(b)] = (v >> b & 1) != 0 ? '1' : '0';
        }
        row[static_cast<size_t>(8 + v)] = '1';
        text += row + " 1\n";
    }
    return text;
}

TCommandRun RunWide(const std::string& text, const TWideRequest& request) {
    TPlaReader reader(MaxWidePlaInputs);
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        reader.Line(line);
    }
    TPla pla;
    EXPECT_TRUE(reader.Finish(pla)) << reader.Error().Message();
    TCommandRun run;
    std::ostringstream err;
    try {
        run.Out = SimplifyWide(pla, request, err);
        run.Status = 0;
    } catch (const TCommandError& error) {
        run.Err = ErrorLine(error);
        run.Status = 2;
    }
    run.Err += err.str();
    return run;
}

bool Holds(const std::string& cube, int m) {
    for (int k = 0; k < Used; ++k) {
        const char c = cube[static_cast<size_t>(k)];
        if (c != '-' && c - '0' != ((m >> k) & 1)) {
            return false;
        }
    }
    return true;
}

// 1 ON, 0 OFF, 2 don't care, as the type reads the rows; ON and OFF trade places under --pos.
int Value(const TWideCase& c, int m, size_t j) {
    std::string named;
    for (const auto& [cube, outputs] : c.Rows) {
        named += Holds(cube, m) ? std::string(1, outputs[j]) : "";
    }
    const auto has = [&](char t, char v) {
        return c.Type.find(t) != std::string::npos && named.find(v) != std::string::npos;
    };
    const bool f = c.Type.find('f') != std::string::npos;
    const bool r = c.Type.find('r') != std::string::npos;
    const int value = has('d', '-')   ? 2
                      : has('f', '1') ? 1
                      : has('r', '0') ? 0
                      : r             ? (f ? 2 : 1)
                                      : 0;
    return c.Request.Sums && value != 2 ? 1 - value : value;
}

// Under --pos a sum's cube of zeros: the sum 01- is the cube 10-.
std::string Unflipped(const TWideCase& c, std::string text) {
    for (size_t k = 0; c.Request.Sums && k < text.size(); ++k) {
        text[k] = text[k] == '0' ? '1' : text[k] == '1' ? '0' : text[k];
    }
    return text;
}

// The used inputs of a cube the answer writes; empty when it reads another input.
std::string UsedPart(const std::string& line) {
    std::string used;
    for (int k = 0; k < Inputs; ++k) {
        const auto at = std::find(Active, Active + Used, k);
        if (at != Active + Used) {
            used += line[static_cast<size_t>(k)];
        } else if (line[static_cast<size_t>(k)] != '-') {
            return "";
        }
    }
    return used;
}

// The outputs whose ON and don't cares hold the whole cube.
std::string Feeds(const TWideCase& c, const std::string& cube) {
    std::string feeds;
    for (size_t j = 0; j < c.Rows[0].second.size(); ++j) {
        bool all = true;
        for (int m = 0; m < (1 << Used); ++m) {
            all = all && (!Holds(cube, m) || Value(c, m, j) != 0);
        }
        feeds += all ? '1' : '0';
    }
    return feeds;
}

// Every cube of the used inputs whose outputs cannot grow, that cannot grow without losing one,
// and that holds an ON minterm of one of them, as the answer writes it.
std::string BrutePrimes(const TWideCase& c) {
    std::vector<std::string> primes;
    const size_t outputs = c.Rows[0].second.size();
    for (int t = 0; t < 243; ++t) {
        std::string cube;
        for (int k = 0, u = t; k < Used; ++k, u /= 3) {
            cube += "01-"[u % 3];
        }
        const std::string feeds = Feeds(c, cube);
        bool prime = feeds.find('1') != std::string::npos;
        bool on = false;
        for (int k = 0; k < Used && prime; ++k) {
            std::string grown = cube;
            grown[static_cast<size_t>(k)] = '-';
            const std::string kept = Feeds(c, grown);
            bool lost = grown == cube;
            for (size_t j = 0; j < outputs; ++j) {
                lost = lost || (feeds[j] == '1' && kept[j] == '0');
            }
            prime = lost;
        }
        for (int m = 0; m < (1 << Used); ++m) {
            for (size_t j = 0; j < outputs; ++j) {
                on = on || (Holds(cube, m) && feeds[j] == '1' && Value(c, m, j) == 1);
            }
        }
        if (prime && on) {
            primes.push_back(Row(cube) + (outputs > 1 ? " " + feeds : "") + "\n");
        }
    }
    std::sort(primes.begin(), primes.end());
    std::string text;
    for (const std::string& line : primes) {
        text += line;
    }
    return text;
}

std::string SortedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line + "\n");
    }
    std::sort(lines.begin(), lines.end());
    std::string sorted;
    for (const std::string& line : lines) {
        sorted += line;
    }
    return sorted;
}

// Whether the terms hold every ON minterm and no OFF one.
void ExpectCover(const TWideCase& c, const std::string& text) {
    std::istringstream in(text);
    std::vector<std::pair<std::string, std::string>> terms;
    for (std::string line; std::getline(in, line);) {
        std::string used = UsedPart(line);
        ASSERT_EQ(used.size(), size_t{Used}) << line;
        terms.emplace_back(used, line.size() > Inputs ? line.substr(Inputs + 1) : "1");
    }
    for (int m = 0; m < (1 << Used); ++m) {
        for (size_t j = 0; j < c.Rows[0].second.size(); ++j) {
            bool held = false;
            for (const auto& [cube, feeds] : terms) {
                held = held || (Holds(cube, m) && feeds[j] == '1');
            }
            const int value = Value(c, m, j);
            EXPECT_TRUE(value == 2 || held == (value == 1)) << m << " " << j;
        }
    }
}

class WideRoute : public ::testing::TestWithParam<TWideCase> {};

TEST_P(WideRoute, AnswersAsTheRowsSayOrFailsInOneLine) {
    const TWideCase& c = GetParam();
    const TCommandRun run = RunWide(c.Rows.empty() ? ManyPrimes() : PlaText(c), c.Request);
    if (!c.Err.empty()) {
        EXPECT_EQ(run.Status, 2);
        EXPECT_EQ(run.Err, c.Err);
    } else if (c.Request.Minimum) {
        ASSERT_EQ(run.Status, 0) << run.Err;
        ExpectCover(c, Unflipped(c, run.Out));
    } else {
        ASSERT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(SortedLines(Unflipped(c, run.Out)), BrutePrimes(c));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WideRoute,
    ::testing::Values(
        TWideCase{"PrimesOfOneOutput",
                  "fd",
                  {{"1-0-1", "1"}, {"0-1-1", "1"}, {"11-0-", "1"}, {"-0011", "-"}, {"000--", "1"}},
                  Asked(false),
                  ""},
        TWideCase{"SharedPrimes",
                  "fd",
                  {{"1-0-1", "11"},
                   {"01--0", "10"},
                   {"-1-01", "01"},
                   {"0-11-", "1-"},
                   {"1101-", "01"},
                   {"00-00", "-1"}},
                  Asked(false),
                  ""},
        TWideCase{"CoverOfAnOffSet",
                  "fdr",
                  {{"1-0-1", "10"}, {"0-1-1", "~1"}, {"0--0-", "0-"}, {"1--00", "-0"}},
                  Asked(true),
                  ""},
        TWideCase{"OnIsWhatIsNotOff",
                  "r",
                  {{"1-0-1", "0"}, {"0-11-", "0"}, {"-01--", "1"}},
                  Asked(true),
                  ""},
        TWideCase{"PrimesOfAnOffSet", "fr", {{"11---", "1"}, {"0-0-1", "0"}}, Asked(false), ""},
        TWideCase{"OffRowMeetsOnRow",
                  "fr",
                  {{"1----", "1"}, {"11---", "0"}},
                  Asked(true),
                  "quillon: x.pla: line 5: this OFF row meets the row of line 4\n"},
        TWideCase{"ProductOfSums",
                  "fd",
                  {{"1-0-1", "1"}, {"0-1-1", "1"}, {"11-0-", "1"}, {"-0011", "-"}, {"000--", "1"}},
                  Asked(true, true),
                  ""},
        TWideCase{
            "PrimeImplicates", "fr", {{"11---", "1"}, {"0-0-1", "0"}}, Asked(false, true), ""},
        TWideCase{"ProductOfSumsOfTwoOutputs",
                  "f",
                  {{"1----", "11"}},
                  Asked(true, true),
                  "quillon: --pos takes one output; name it with --output (see quillon --help)\n"},
        TWideCase{"PrimesPastTheTimeLimit",
                  "f",
                  {},
                  Asked(false, false, 1),
                  "quillon: x.pla: the prime implicants are too many to list in time; --minimum "
                  "gives a cover\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
