// The complement against its definition as a chain of string products, with every report.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/SumOfProducts.h"
#include "model/State.h"
#include "model/Terms.h"

namespace {

// One log for both gauges and the message processing, so their interleaving is compared too.
struct TLog {
    std::vector<std::string> lines;
};

struct TLoggingGauge : TProgressSink {
    TLog* log;
    const char* name;
    TLoggingGauge(TLog* l, const char* n) : log(l), name(n) {}
    void setMax(int max) override {
        log->lines.push_back(std::string(name) + " max " + std::to_string(max));
    }
    void setPosition(int p) override {
        log->lines.push_back(std::string(name) + " pos " + std::to_string(p));
    }
};

// not(t0)·not(t1)·... multiplied out one string product at a time.
std::string ChainedComplement(std::string& s, std::string& r, const TCalcFeedback& feedback) {
    TStringListAdv terms;
    int errorIndex = 0;
    SplitTerms(s, terms, errorIndex);
    const int count = terms.Count();
    std::string result = count == 0 ? std::string(ConstantHi) : TermComplement(terms.Strings(0));
    if (count >= 2) {
        result = StringProduct(TermComplement(terms.Strings(1)), result, ProgramState.VarCount,
                               feedback);
        if (result.empty()) {
            return "Always LO";
        }
    }
    if (count > 2) {
        feedback.Gauge->setMax(count);
        for (int k = 2; k < count; ++k) {
            result = StringProduct(result, TermComplement(terms.Strings(k)), ProgramState.VarCount,
                                   feedback);
            feedback.Gauge->setPosition(k);
        }
        feedback.Gauge->setPosition(0);
    }
    r = result;
    return "Terms= " + std::to_string(CountTerms(r));
}

std::string RandomSum(std::mt19937& rng, int n, int terms, int maxLetters) {
    std::string text;
    for (int t = 0; t < terms; ++t) {
        if (!text.empty()) {
            text += '+';
        }
        std::string term;
        for (int k = 0; k < n; ++k) {
            if (static_cast<int>(rng() % static_cast<unsigned>(n)) < maxLetters) {
                term += static_cast<char>((rng() % 2 == 0 ? 'A' : 'a') + k);
            }
        }
        text += term.empty() ? std::string("A") : term;
    }
    return text;
}

struct TChainCase {
    const char* Name;
    int Vars;
    int Terms;
    int MaxLetters;
};

class ComplementChain : public testing::TestWithParam<TChainCase> {};

TEST_P(ComplementChain, SameResultStatusAndReports) {
    const TChainCase& c = GetParam();
    SetVarCount(c.Vars);
    std::mt19937 rng(static_cast<unsigned>(c.Vars * 100 + c.Terms));
    for (int round = 0; round < 4; ++round) {
        const std::string text = RandomSum(rng, c.Vars, c.Terms, c.MaxLetters);
        TLog expectedLog;
        TLoggingGauge expectedKmap(&expectedLog, "kmap");
        TLoggingGauge expectedCalc(&expectedLog, "calc");
        std::string expectedS = text;
        std::string expectedR = "unchanged";
        const std::string expectedStatus = ChainedComplement(
            expectedS, expectedR,
            {&expectedCalc, [&] { expectedLog.lines.push_back("events"); }, &expectedKmap});

        TLog log;
        TLoggingGauge kmap(&log, "kmap");
        TLoggingGauge calc(&log, "calc");
        std::string s = text;
        std::string r = "unchanged";
        const std::string status = Complement(
            s, r, ProgramState.VarCount, {&calc, [&] { log.lines.push_back("events"); }, &kmap});

        EXPECT_EQ(r, expectedR) << text;
        EXPECT_EQ(status, expectedStatus) << text;
        EXPECT_EQ(s, expectedS) << text;
        EXPECT_EQ(log.lines, expectedLog.lines) << text;
    }
    SetVarCount(4);
}

INSTANTIATE_TEST_SUITE_P(Sums, ComplementChain,
                         testing::Values(TChainCase{"SixteenShortTerms", 6, 16, 3},
                                         TChainCase{"SixteenVarsLongTerms", 16, 12, 8},
                                         TChainCase{"SixteenVarsShortTerms", 16, 10, 3},
                                         TChainCase{"TwoTerms", 8, 2, 4},
                                         TChainCase{"OneTerm", 8, 1, 4},
                                         TChainCase{"OftenAlwaysLo", 3, 6, 1}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
