// The shared primes of a set of outputs as `quillon simplify` lists them, in bounded memory.
#pragma once

#include <functional>
#include <string>

#include "engine/shared/SharedCover.h"
#include "model/FunctionSet.h"

// The most memory the primes may take while they are kept and put in order: a dense set of many
// outputs has tens of millions of them.
constexpr size_t ListedPrimesBytes = size_t{256} << 20;

// The set's shared primes, as many as fit in ListedPrimesBytes; Complete false past that.
TSharedPrimes FindListedPrimes(const TFunctionSet& set);

// Writes the primes a term with its output part a line ("aBc 101"; "HI" for the term without
// letters, "LO" when there is none), through write a piece at a time, so the text is never whole
// in memory. Complete primes come in code order; when they were too many to keep, the walk runs
// again and writes each as it is found.
void WriteSharedPrimes(const TFunctionSet& set, const TSharedPrimes& primes,
                       const std::function<void(const std::string&)>& write);

// Fails with a TCommandError when the primes are too many to be written as one unit (a PLA,
// Verilog, VHDL or C): the unit holds every connection, and its text is made whole.
void CheckUnitSize(const TSharedPrimes& primes);
