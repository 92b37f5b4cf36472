// The program: the command line, or a hand-over to the windows' own program. It loads no toolkit,
// so `quillon simplify` starts in milliseconds and needs no display.
#include <limits.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CommandLine.h"

#ifndef QUILLON_WINDOWS_PROGRAM
#define QUILLON_WINDOWS_PROGRAM "../libexec/quillon/quillon-windows"
#endif

namespace {

// A display from the environment, or a platform named on the command line (-platform offscreen).
bool DisplayAvailable(int argc, char* argv[]) {
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-platform" || arg == "--platform") {
            return true;
        }
    }
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && *platform != '\0') {
        return true;
    }
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (display != nullptr && *display != '\0') || (wayland != nullptr && *wayland != '\0');
}

std::string ProgramFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof path) {
        return ".";
    }
    const std::string self(path, static_cast<size_t>(length));
    return self.substr(0, self.rfind('/'));
}

// Beside this program in a build, under libexec once installed.
std::string WindowsProgram() {
    const std::string folder = ProgramFolder();
    const std::string built = folder + "/quillon-windows";
    if (access(built.c_str(), X_OK) == 0) {
        return built;
    }
    return folder + "/" + QUILLON_WINDOWS_PROGRAM;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (IsCommandLine(argc, argv)) {
        // A reader that went away is a failed write, told as one, not a silent end.
        std::signal(SIGPIPE, SIG_IGN);
        // Unsynchronized streams report failed reads and writes instead of taking them for an end.
        std::ios::sync_with_stdio(false);
        return RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout,
                              std::cerr);
    }
    if (!DisplayAvailable(argc, argv)) {
        std::fprintf(stderr,
                     "QUILLON needs a display; none was found. Run it under a virtual one: "
                     "xvfb-run -a ./build/quillon\n");
        return 1;
    }
    const std::string program = WindowsProgram();
    execv(program.c_str(), argv);
    std::fprintf(stderr, "QUILLON cannot start its windows: %s: %s\n", program.c_str(),
                 std::strerror(errno));
    return 1;
}
