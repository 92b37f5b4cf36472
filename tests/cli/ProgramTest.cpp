// Tests of the built program as a shell runs it: failed writes, no display, memory limits.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define QUILLON_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLON_ASAN 1
#endif
#endif
#ifndef QUILLON_ASAN
#define QUILLON_ASAN 0
#endif

namespace {

enum class TOutput { Pipe, DiskFull, Closed, ReaderGone };

struct TLaunch {
    std::vector<std::string> Args;
    std::string Input = "/dev/null";  // a path, opened as standard input
    TOutput Output = TOutput::Pipe;
    rlim_t MemoryLimit = 0;  // bytes of address space; 0 for no limit
};

struct TExit {
    int Status = -1;  // the exit status, or 128 + the signal that ended the program
    std::string Out;
    std::string Err;
};

// Runs the program without a display, standard error and (unless told otherwise) standard
// output into pipes that are read to their end.
TExit Launch(const TLaunch& launch) {
    int out[2];
    int err[2];
    if (pipe(out) != 0 || pipe(err) != 0) {
        ADD_FAILURE() << "no pipe";
        return {};
    }
    if (launch.Output == TOutput::ReaderGone) {
        close(out[0]);
    }
    const pid_t child = fork();
    if (child == 0) {
        const int in = open(launch.Input.c_str(), O_RDONLY);
        dup2(in, 0);
        if (launch.Output == TOutput::DiskFull) {
            dup2(open("/dev/full", O_WRONLY), 1);
        } else if (launch.Output == TOutput::Closed) {
            close(1);
        } else {
            dup2(out[1], 1);
        }
        dup2(err[1], 2);
        if (launch.MemoryLimit != 0) {
            const rlimit limit{launch.MemoryLimit, launch.MemoryLimit};
            setrlimit(RLIMIT_AS, &limit);
        }
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("QT_QPA_PLATFORM");
        std::vector<char*> argv{const_cast<char*>(QUILLON_PROGRAM)};
        for (const std::string& arg : launch.Args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        execv(QUILLON_PROGRAM, argv.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    TExit exit;
    std::vector<pollfd> open{{err[0], POLLIN, 0}};
    if (launch.Output != TOutput::ReaderGone) {
        open.push_back({out[0], POLLIN, 0});
    }
    char buffer[4096];
    while (!open.empty() && poll(open.data(), open.size(), -1) > 0) {
        for (size_t i = open.size(); i-- > 0;) {
            if (open[i].revents == 0) {
                continue;
            }
            const ssize_t got = read(open[i].fd, buffer, sizeof buffer);
            if (got <= 0) {
                close(open[i].fd);
                open.erase(open.begin() + static_cast<std::ptrdiff_t>(i));
                continue;
            }
            (open[i].fd == err[0] ? exit.Err : exit.Out).append(buffer, static_cast<size_t>(got));
        }
    }
    int status = 0;
    waitpid(child, &status, 0);
    exit.Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return exit;
}

class Program : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("quillon-program-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string Write(const std::string& name, const std::string& text) {
        const std::filesystem::path path = dir / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    std::filesystem::path dir;
};

struct TCase {
    const char* Name;
    std::vector<std::string> Args;
    std::string Input;  // the text given on standard input
    TOutput Output;
    std::string Err;
};

class ProgramFails : public Program, public ::testing::WithParamInterface<TCase> {};

// Whatever fails, the program says it in one line and ends with status 2, display or not.
TEST_P(ProgramFails, WithOneLineAndStatusTwo) {
    const TCase& c = GetParam();
    const TExit exit = Launch({c.Args, Write("input", c.Input), c.Output});
    EXPECT_EQ(exit.Status, 2);
    EXPECT_EQ(exit.Err, c.Err);
    EXPECT_EQ(exit.Out, "");
}

const std::vector<std::string> Simplify = {"simplify", "-"};

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramFails,
    ::testing::Values(TCase{"DiskFull", Simplify, "3\nA\n", TOutput::DiskFull,
                            "quillon: cannot write standard output: No space left on device\n"},
                      TCase{"OutputClosed", Simplify, "3\nA\n", TOutput::Closed,
                            "quillon: cannot write standard output: Bad file descriptor\n"},
                      TCase{"ReaderGone", Simplify, "3\nA\n", TOutput::ReaderGone,
                            "quillon: cannot write standard output: Broken pipe\n"},
                      TCase{"HelpOnAFullDisk",
                            {"--help"},
                            "",
                            TOutput::DiskFull,
                            "quillon: cannot write standard output: No space left on device\n"},
                      TCase{"UnknownOptionWithoutDisplay",
                            {"--bogus"},
                            "",
                            TOutput::Pipe,
                            "quillon: unknown option --bogus (see quillon --help)\n"},
                      TCase{"BadInput", Simplify, "4\nAbE\n", TOutput::Pipe,
                            "quillon: standard input: line 2: Boolean string AbE is invalid\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Program, AFolderOnStandardInputIsAFailedRead) {
    const TExit exit = Launch({Simplify, "/"});
    EXPECT_EQ(exit.Status, 2);
    EXPECT_EQ(exit.Err, "quillon: standard input: cannot read it: Is a directory\n");
}

TEST_F(Program, PrintsTheResultAndWarningsWithStatusZero) {
    const TExit exit = Launch({Simplify, Write("in", "counts\n.i 2\n.o 1\n1- 1\n")});
    EXPECT_EQ(exit.Status, 0);
    EXPECT_EQ(exit.Out, "A\n");
    EXPECT_EQ(exit.Err,
              "quillon: standard input: line 1: skipped \"counts\" before .i as a title\n");
}

// 64 MiB of line ends need no memory for their lines; a file whose rows do not fit in memory
// ends in one line too, not in an abort.
TEST_F(Program, InputIsReadWithinTheMemoryItNeeds) {
    if (QUILLON_ASAN) {
        GTEST_SKIP() << "an address-space limit leaves no room for the sanitizer's shadow memory";
    }
    const TExit lineEnds = Launch({Simplify, Write("ends", std::string(size_t{64} << 20, '\n')),
                                   TOutput::Pipe, rlim_t{600000} * 1024});
    EXPECT_EQ(lineEnds.Status, 2);
    EXPECT_EQ(lineEnds.Err, "quillon: standard input: not a PLA file: it has no .i line\n");
    std::string rows = ".i 1\n.o 1\n";
    rows.reserve(size_t{32} << 20);
    while (rows.size() < (size_t{32} << 20)) {
        rows += "1 1\n";
    }
    const TExit tooMany = Launch({Simplify, Write("rows", rows), TOutput::Pipe, rlim_t{128} << 20});
    EXPECT_EQ(tooMany.Status, 2);
    EXPECT_EQ(tooMany.Err, "quillon: out of memory\n");
}

}  // namespace
