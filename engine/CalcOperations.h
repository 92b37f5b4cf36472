// The calculator's commands OR, AND, XOR, NOT and Invert, without the window.
#pragma once

#include <optional>
#include <string>

#include "engine/SumOfProducts.h"

// What a command leaves behind. Unset fields leave the edit or panel as it was. The window
// writes Z first (its change handling runs), then the panel texts, so they stay visible.
struct TCalcResult {
    std::optional<std::string> Z;             // the target edit's new text
    std::optional<std::string> CountPanel;    // status panel 1
    std::optional<std::string> MessagePanel;  // status panel 2
};

// Each command reads terms of n variables.

// Z = X + Y. An empty input passes the other through untouched, panels included.
TCalcResult CalcOr(std::string x, std::string y, int n, const TCalcFeedback& feedback = {});

// Z = X·Y; "Aa" with "Always LO" when every product contradicts. Empty input empties Z.
TCalcResult CalcAnd(std::string x, std::string y, int n, const TCalcFeedback& feedback = {});

// Z = X·not(Y) + Y·not(X). Empty input empties Z.
TCalcResult CalcXor(std::string x, std::string y, int n, const TCalcFeedback& feedback = {});

// Z = not(Z); an always-LO complement is written "Aa". Empty Z: "Missing text".
TCalcResult CalcNot(std::string z, int n, const TCalcFeedback& feedback = {});

// The invert commands: the edit's text complemented in place, empty when always LO.
// Returns nothing at all (Z unset) when there is no text to invert.
TCalcResult CalcInvert(std::string text, int n, const TCalcFeedback& feedback = {});
