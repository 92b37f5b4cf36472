// The calculator's sum-of-products algebra: products, complement, OR combination, XOR.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "engine/Sinks.h"
#include "model/SensitiveStr.h"

// The constant functions as the calculator writes them.
inline constexpr char ConstantHi[] = "A+a";
inline constexpr char ConstantLo[] = "Aa";

// How a long calculation talks to the window while it runs. Each may be left empty.
struct TCalcFeedback {
    // Moved by the complement: maximum = input terms, position = term reached, 0 at the end.
    TProgressSink* Gauge = nullptr;
    // Called once at the end of every list product, so the window can process pending events.
    // The window must keep a command from starting inside another.
    std::function<void()> ProcessMessages;
    // Moved by every removal of absorbed terms (the K-map window's gauge in the program).
    TProgressSink* AbsorptionGauge = nullptr;
};

// Message-panel texts an input error is reported with; the code is appended.
struct TInputErrorTexts {
    const char* First;
    const char* Second;
};

// Every operation below reads terms of n variables.

// Every non-contradicting product of an L1 term and an L2 term, without repeats or absorbed
// terms, into l3 (cleared first). l3 may be l1 or l2.
void ListProduct(const TStringListAdv& l1, const TStringListAdv& l2, TStringListAdv& l3, int n,
                 const TCalcFeedback& feedback = {});

// P·Q multiplied out; empty when every pair contradicts. Pieces are not validated.
std::string StringProduct(const std::string& p, const std::string& q, int n,
                          const TCalcFeedback& feedback = {});

// De Morgan on one term: AbC gives a+B+c.
std::string TermComplement(const std::string& term);

// not(s) into r. s is cleaned in place by SplitTerms. Returns the status text: "Terms= " and
// the term count of r, or "Always LO", in which case r is left as it was.
std::string Complement(std::string& s, std::string& r, int n, const TCalcFeedback& feedback = {});

// a + b. An empty side gives the other unchanged and nothing else happens; otherwise a and b
// are cleaned in place, and message receives the first input's error text with its code,
// "HI" when the sum is the constant HI ("A+a"). When neither side keeps a valid term the
// result is the constant LO ("Aa").
std::string OrCombination(std::string& a, std::string& b, std::optional<std::string>& message,
                          const TInputErrorTexts& texts, int n, const TCalcFeedback& feedback = {});

// a·not(b) + b·not(a) joined as they come, so an empty product leaves a bare "+" at its side.
std::string StringXor(std::string a, std::string b, int n, const TCalcFeedback& feedback = {});
