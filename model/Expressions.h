// A sum of products written for other tools: Verilog, VHDL, C, and plain text with ' for NOT.
#pragma once

#include <string>
#include <vector>

#include "model/Terms.h"

enum class TExpressionKind { Verilog, Vhdl, C, Text };

// The names to write for n inputs and one output: names missing from inputNames are the
// letters A to P. For Verilog, VHDL and C every name becomes a legal identifier of the language
// (other characters turn to "_", reserved words get "_v"), distinct from all the others.
// The output's name is the last entry.
std::vector<std::string> ExpressionNames(TExpressionKind kind, int n,
                                         const std::vector<std::string>& inputNames,
                                         const std::string& outputName);

// The OR of the cubes (over n variables, A the most significant bit); Verilog, VHDL and C put
// each product on a line of its own, plain text keeps one line:
//   Verilog  assign F = (A & ~B) | C;
//   VHDL     F <= (A and not B) or C;
//   C        (A && !B) || C
//   Text     AB' + C        (names longer than one letter are joined by "*")
// An empty sum is the constant 0, a cube without letters the constant 1.
std::string WriteExpression(TExpressionKind kind, int n, const std::vector<TTermMasks>& cubes,
                            const std::vector<std::string>& inputNames,
                            const std::string& outputName);
