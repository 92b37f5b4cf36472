// Redundant-term removal: drops absorbed terms and repeats, gives compact terms in code order.
#pragma once

#include "model/SensitiveStr.h"

// Source and destination may be the same list. Moves the K-map window's gauge.
void RemoveRedundant(const TStringListAdv& source, TStringListAdv& destination);
