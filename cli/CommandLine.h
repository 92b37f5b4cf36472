// The command line: `quillon simplify ...`, `--help` and `--version`, without any window.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// True when the arguments ask for the command line: a first argument that is one of its
// commands or options, or any word not starting with "-" (an unknown command). Other arguments
// ("-platform offscreen", ...) belong to the windows' toolkit.
bool IsCommandLine(int argc, const char* const* argv);

// Runs the command the arguments (without the program's name) give. Returns the exit status:
// 0 when done, 2 for bad arguments or bad input, which err tells in one line.
int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err);
