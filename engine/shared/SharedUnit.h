// A shared cover, or the shared primes, of a function set as a design unit for the writers.
#pragma once

#include <string>

#include "engine/shared/SharedCover.h"
#include "engine/shared/SharedPrimes.h"
#include "model/DesignUnit.h"
#include "model/FunctionSet.h"

// Terms in code order, each output using the terms that feed it, with the set's names and its
// don't cares (the PLA writes them). An empty name is the default unit name.
TDesignUnit SharedCoverUnit(const TFunctionSet& set, const TSharedCover& cover, std::string name);
// Every prime feeding every output it may: a cover too, as each ON minterm lies in one.
TDesignUnit SharedPrimesUnit(const TFunctionSet& set, const TSharedPrimes& primes,
                             std::string name);
