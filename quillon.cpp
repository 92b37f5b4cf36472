// The program: the command line when asked for, else the application, its four windows, the loop.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "windows/FormBooleanCalc.h"
#include "windows/Windows.h"

static bool DisplayAvailable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && *platform != '\0') {
        return true;
    }
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (display != nullptr && *display != '\0') || (wayland != nullptr && *wayland != '\0');
}

int main(int argc, char* argv[]) {
    // Decided before any toolkit object exists, so the command line needs no display.
    if (IsCommandLine(argc, argv)) {
        return RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout,
                              std::cerr);
    }
    if (!DisplayAvailable()) {
        std::fprintf(stderr,
                     "QUILLON needs a display; none was found. Run it under a virtual one: "
                     "xvfb-run -a ./build/quillon\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("QUILLON");
    CreateApplicationWindows();
    frmBooleanClac->show();
    return QApplication::exec();
}
