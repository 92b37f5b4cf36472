// The command line: `quillon simplify ...`, `--help` and `--version`, without any window.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// True when the arguments ask for the command line: anything but none at all or only the
// windows' toolkit options ("-platform offscreen", "-style=fusion", ...). An unknown option is
// the command line's, which refuses it.
bool IsCommandLine(int argc, const char* const* argv);

// Runs the command the arguments (without the program's name) give and writes its output.
// Returns the exit status: 0 when done (warnings may then be on err), 2 when anything failed
// (bad arguments, bad input, too little memory, output that could not be written), which err
// tells in one line.
int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err);
