// Running the compilers and simulators that the exports are checked with, in a folder of a test.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "model/DesignUnit.h"

namespace export_tools {

// The tools CMake found; "" when one is missing, which fails the test that needs it.
struct TTools {
    std::string Iverilog = QUILLON_IVERILOG;
    std::string Vvp = QUILLON_VVP;
    std::string Ghdl = QUILLON_GHDL;
    std::string Gcc = QUILLON_GCC;
    std::string Gxx = QUILLON_GXX;
};

struct TRun {
    int Status = -1;
    std::string Output;  // standard output and standard error
};

inline TRun RunCommand(const std::string& command) {
    TRun run;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    char buffer[65536];
    size_t got = 0;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        run.Output.append(buffer, got);
    }
    run.Status = pclose(pipe);
    return run;
}

// A fresh folder, removed with everything in it at the end of the test.
class TScratch {
  public:
    explicit TScratch(const std::string& name)
        : Dir(std::filesystem::temp_directory_path() /
              ("quillon-" + name + "-" + std::to_string(getpid()))) {
        std::filesystem::remove_all(Dir);
        std::filesystem::create_directories(Dir);
    }
    ~TScratch() { std::filesystem::remove_all(Dir); }

    std::string Write(const std::string& file, const std::string& text) const {
        const std::filesystem::path path = Dir / file;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
    std::string Path(const std::string& file) const { return (Dir / file).string(); }

    std::filesystem::path Dir;
};

// Fails the test unless the tool was found: scripts/install-deps.sh installs every one.
#define QUILLON_REQUIRE_TOOL(path, name)                                            \
    ASSERT_FALSE(std::string(path).empty())                                         \
        << name                                                                     \
        << " was not found when the build was configured; scripts/install-deps.sh " \
           "installs it"

}  // namespace export_tools
