// The names each export format writes: legal, distinct, none reserved.
#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "model/DesignUnit.h"

// The names a writer uses. Verilog, VHDL and C: the same names in all three, identifiers legal
// in each of them (at most 1000 characters), none a reserved word or a standard macro of any,
// all distinct without regard to case, the unit's name distinct from the ports. Text keeps the
// names given; PLA only replaces blanks and control characters. In every format an output takes
// a suffix ("_2") rather than repeat an input's name.
struct TUnitNames {
    std::string Unit;
    std::vector<std::string> Inputs;
    std::vector<std::string> Outputs;

    // A further name (a signal, a local) made legal and distinct from every name so far.
    std::string Internal(const std::string& name);

    TExportFormat Format = TExportFormat::Text;
    bool Caseless = false;        // Verilog, VHDL, C: names that differ in case only are the same
    std::set<std::string> Taken;  // in lower case when Caseless

    std::string Fresh(const std::string& legal);  // legal, or legal_2, legal_3, ...
};
TUnitNames UnitNames(TExportFormat format, const TDesignUnit& unit);

// The ports the format writes under another name than the one given (or the default letter):
// pairs of the name before and after, inputs first.
std::vector<std::pair<std::string, std::string>> RenamedPorts(TExportFormat format,
                                                              const TDesignUnit& unit);
// The same as one line for a message ("a to a_2, b to b_2 and 3 more"), empty when none is
// renamed; long names are cut, since a message names them only to be found.
std::string RenamedPortsText(TExportFormat format, const TDesignUnit& unit);
