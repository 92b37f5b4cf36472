// The command line run in memory: its exit status and what it wrote to each stream.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"

struct TCommandRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

inline TCommandRun RunInMemory(const std::vector<std::string>& args,
                               const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    TCommandRun run;
    run.Status = RunCommandLine(args, in, out, err);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}
